#include "support/file_dialog.h"

#include "support/window_automation.h"

namespace wt {

namespace {

// The file name field: an edit inside combo box cmb13, or edit edt1.
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

BOOL CALLBACK FindEdit(HWND hwnd, LPARAM param) {
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpiA(cls, "Edit") != 0) return TRUE;
    *reinterpret_cast<HWND*>(param) = hwnd;
    return FALSE;
}

}  // namespace

HWND FileNameField(HWND dialog) {
    HWND combo = FindControl(dialog, kFileNameCombo);
    if (!combo) return FindControl(dialog, kFileNameEdit);
    HWND edit = nullptr;  // inside the combo box, one or two levels down
    EnumChildWindows(combo, FindEdit, reinterpret_cast<LPARAM>(&edit));
    return edit;
}

HWND WaitForFileDialog(HWND owner) {
    HWND dialog = WaitForDialogOwnedBy(owner);
    if (dialog && !WaitUntil([&] { return FileNameField(dialog) != nullptr; })) return nullptr;
    return dialog;
}

void TypeNameAndConfirm(HWND dialog, const std::string& name) {
    SetText(FileNameField(dialog), name);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

}  // namespace wt
