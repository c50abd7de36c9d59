#include "online/auto_updater_win.h"

#include "online/upgrader_handover_win.h"
#include "platform/decimal_separator_win.h"

AutoUpdater::AutoUpdater(HWND mainWindow, const std::string& programPath)
    : shell_(mainWindow, programPath, settings_, [this] { flow_.WizardCancelRequested(); },
             [this] { flow_.WizardConfirmed(); }, [this] { flow_.CancelCheck(); }),
      flow_(settings_, events_, transfer_, shell_, programPath, UserDecimalSeparator()) {
    DeleteLeftoverUpgrader(programPath.substr(0, programPath.rfind('\\') + 1));
}
