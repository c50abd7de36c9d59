#include "batch/batch_ui_win.h"

#include <commdlg.h>

#include <stdexcept>

#include "platform/confirm_box_win.h"
#include "platform/shell_win.h"

void BatchUiWin::Message(const std::string& text) {
    MessageBoxA(owner_, text.c_str(), "Lurkmark", MB_OK);
}

bool BatchUiWin::Confirm(const std::string& text) {
    return AskYesNo(owner_, text);
}

std::optional<std::string> BatchUiWin::AskSavePath() {
    char path[MAX_PATH] = "";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = "Batch file (*.bat)\0*.bat\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrInitialDir = benchDir_.c_str();
    dialog.lpstrDefExt = "bat";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (GetSaveFileNameA(&dialog)) return std::string(path);
    // Cancelling leaves no error code; anything else (a name too long for the buffer) is a
    // failure the user must hear of, not a silent cancel.
    if (const DWORD error = CommDlgExtendedError()) {
        throw std::runtime_error("The save dialog failed (error " + std::to_string(error) + ").");
    }
    return std::nullopt;
}

void BatchUiWin::Pause(unsigned milliseconds) {
    Sleep(milliseconds);
}

void BatchUiWin::Open(const std::string& path) {
    // The viewer is the user's own; whether the shell found one is of no interest here.
    ShellOpen(nullptr, path, SW_SHOW);
}
