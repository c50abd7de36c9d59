#include "platform/confirm_box_win.h"

bool AskYesNo(HWND owner, const std::string& text) {
    return MessageBoxA(owner, text.c_str(), "Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES;
}
