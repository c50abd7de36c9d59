#pragma once
#include <windows.h>

#include "app/machine_description_win.h"
#include "app/program_game_side.h"
#include "gameconfig/game_config.h"
#include "platform/shell_file_operations_win.h"
#include "results/report_document.h"
#include "results/report_document_win.h"
#include "runner/pass_controller.h"
#include "runner/pass_state.h"
#include "runner/process_runner_win.h"

class MainForm;

// The window as the pass sees it.
class MainFormPassView : public PassView {
public:
    explicit MainFormPassView(MainForm& form) : form_(form) {}
    void SetProgressCaption(const std::string& caption) override;
    void ShowProgressPanel() override;
    void HideProgressPanel() override;
    void SetRunButtonEnabled(bool enabled) override;
    void RepaintWindow() override;
    void ShowMessage(const std::string& text) override;
    void Pause(unsigned milliseconds) override;
    void OpenReport(const std::string& filePath) override;
    void EndProgram() override;

private:
    MainForm& form_;
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
    ProgramPass(MainForm& form, WindowState window);

    void BenchButtonClick() { controller_.BenchButtonClick(); }
    GameConfig& Config() { return config_; }

private:
    ShellFileOperations shellFiles_;
    GameConfig config_;
    PassState state_;
    ReportDocument report_;
    ProgramGameSide gameSide_;
    MachineDescriptionWin machine_;
    MainFormPassView view_;
    PassContext context_;
    WinProcessRunner dxrun_;
    WinProcessRunner cp_;
    LocalMoment startMoment_;  // the start of the pass under way
    PassController controller_;
};
