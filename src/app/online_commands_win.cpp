#include "app/online_commands_win.h"

#include <exception>

#include "online/auto_updater_win.h"
#include "online/help_command_win.h"
#include "online/update_availability_win.h"
#include "online/update_files_win.h"
#include "online/updater_config.h"
#include "platform/error_report_win.h"
#include "platform/shell_win.h"
#include "settings/policy_key_win.h"

namespace {
constexpr char kMessageCaption[] = "Lurkmark";
}  // namespace

OnlineCommands::OnlineCommands(HWND window, SettingsStore& settings, DebugLog& debugLog, const AppPaths& paths)
    : window_(window),
      settings_(settings),
      debugLog_(debugLog),
      paths_(paths),
      updater_(std::make_unique<AutoUpdater>(window, ProgramPath())) {
    updater_->Events() = MainWindowUpdateEvents(window, kMessageCaption);
    updater_->Events().OnRefused = [this](const std::string& line) { LogRefusal(line); };
}

OnlineCommands::~OnlineCommands() = default;

// What the update refused from the server, kept in the debug log beside the last pass.
void OnlineCommands::LogRefusal(const std::string& line) {
    debugLog_.Add(line);
    try {
        debugLog_.Save(paths_.WorkDir());
    } catch (const std::exception& e) {
        ReportUnhandledError(window_, e);
    }
}

// A host value that is not a host is ignored, and the debug log says so.
MakerHosts OnlineCommands::HostsLogged() {
    MakerHosts hosts = ReadMakerHosts(ReadPolicyValue);
    for (const std::string& line : hosts.ignoredValues) LogRefusal(line);
    return hosts;
}

void OnlineCommands::OpenHelp(WaitForm& waitForm) {
    if (helpRunning_) return;  // its "Please wait..." window is on screen
    helpRunning_ = true;
    struct Done {
        bool& running;
        ~Done() { running = false; }
    } done{helpRunning_};
    ::OpenHelp(window_, paths_, HostsLogged(), waitForm);
}

void OnlineCommands::OpenHomePage() {
    ::OpenHomePage(HostsLogged());
}

void OnlineCommands::CheckForUpdate(const ProxyPageTexts& proxyPage) {
    if (!UpdateCheckPossible(window_, kMessageCaption, HostsLogged())) return;
    ProxyConfig proxy = updater_->Settings().proxy;
    ConfigureUpdaterProxy(proxyPage, proxy);
    UpdaterSettings& updater = updater_->Settings();
    updater = LurkmarkUpdaterSettings(settings_.Read("Programversion"), HostsLogged());
    updater.proxy = proxy;
    updater_->StartUpdateCheck();
}
