#include "batch/batch_ui_win.h"

#include <commdlg.h>
#include <shellapi.h>

#include "platform/confirm_box_win.h"

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
    if (!GetSaveFileNameA(&dialog)) return std::nullopt;
    return std::string(path);
}

void BatchUiWin::Pause(unsigned milliseconds) {
    Sleep(milliseconds);
}

void BatchUiWin::Open(const std::string& path) {
    // The viewer is the user's own; whether the shell found one is of no interest here.
    ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOW);
}
