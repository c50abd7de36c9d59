#pragma once
#include <windows.h>

#include "app/debug_log.h"
#include "app/machine_description_win.h"
#include "app/pass_window_win.h"
#include "app/program_game_side.h"
#include "gameconfig/game_config.h"
#include "platform/shell_file_operations_win.h"
#include "results/report_document.h"
#include "results/report_document_win.h"
#include "runner/machine_watch_win.h"
#include "runner/pass_controller.h"
#include "runner/pass_state.h"
#include "runner/process_runner_win.h"

// The window as the pass sees it.
class WindowPassView : public PassView {
public:
    explicit WindowPassView(PassWindow& form) : form_(form) {}
    void SetProgressCaption(const std::string& caption) override;
    void ShowProgressPanel() override;
    void HideProgressPanel() override;
    void SetRunButtonEnabled(bool enabled) override;
    void RepaintWindow() override;
    void ShowMessage(const std::string& text) override;
    void Pause(unsigned milliseconds) override;
    void OpenReport(const std::string& filePath) override;
    void EndProgram() override;
    void WriteOutput(const std::string& line) override;

private:
    PassWindow& form_;
};

// Everything a benchmark pass works with beside the window's own state: the game
// configuration, the report, the two process runners and the pass controller over them.
// Made once the main window exists, before the settings load (which may ask the recovery
// question), and owned by the window.
class ProgramPass {
public:
    struct WindowState {
        const StartupMode& mode;
        const AppPaths& paths;
        const OptionState& options;
        BenchOptions& bench;
        DebugLog& log;
        SettingsStore& store;
        FileSystem& files;
    };
    ProgramPass(PassWindow& form, WindowState window);

    void BenchButtonClick() { controller_.BenchButtonClick(); }
    // The Cancel on the progress panel: the running process ends with every process it
    // started, and its end closes the pass. A game that cannot be ended keeps the user's files
    // set aside (and the pass mark) until it ends, as at the program's end.
    void CancelClick();
    GameConfig& Config() { return config_; }
    // How the batch pass ended; nothing while it runs or when none ran.
    std::optional<BatchExit> Outcome() const { return state_.Outcome; }
    // A power plan a pass left switched, put back: at the next start after a program that died
    // in a pass, and at the program's end.
    void PutBackLeftOverPowerPlan();

    // How the program is being left: by the user (Exit, the close command) in an interactive
    // program, or unattended (a batch program, the end of the Windows session).
    enum class Leaving { ByUser, Unattended };
    // Called before the window closes. A game still running is never left to write over the
    // user's restored files: the user is asked (Leaving::ByUser; false when they keep it
    // running), or it is ended with every process it started. Once it has ended the user's
    // files are put back; when it cannot be ended they stay set aside for the next start.
    bool MayLeave(Leaving how);
    // The user's files stay set aside at the program's end (a game that could not be ended).
    bool KeepFilesAside() const { return keepFilesAside_ && cp_.Running(); }

private:
    void AbandonPass();
    // The game could not be ended: the user's files stay where the pass put them.
    void KeepFilesAsideForGame();

    PassWindow& form_;
    const AppPaths& paths_;
    DebugLog& log_;
    bool keepFilesAside_ = false;
    ShellFileOperations shellFiles_;
    GameConfig config_;
    PassState state_;
    ReportDocument report_;
    ProgramGameSide gameSide_;
    MachineDescriptionWin machine_;
    WindowPassView view_;
    MachineWatchWin watch_;
    PassContext context_;
    WinProcessRunner dxrun_;
    WinProcessRunner cp_;
    LocalMoment startMoment_;  // the start of the pass under way
    PassController controller_;
};
