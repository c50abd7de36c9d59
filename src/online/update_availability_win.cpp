#include "online/update_availability_win.h"

#include "online/help_command_win.h"
#include "online/older_windows.h"
#include "platform/sha256_win.h"

bool UpdateCheckPossible(HWND owner, const std::string& caption, const MakerHosts& hosts) {
    if (ChooseUpdateCheck(CngAvailable()) == UpdateCheckStart::Check) return true;
    if (MessageBoxA(owner, kUpdatesNeedVistaText, caption.c_str(), MB_YESNO | MB_ICONINFORMATION) == IDYES) {
        OpenHomePage(hosts);
    }
    return false;
}
