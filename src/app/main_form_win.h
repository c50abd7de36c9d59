#pragma once
#include <string>

#include "app/debug_log.h"
#include "app/window_win.h"
#include "platform/win_file_system_win.h"
#include "settings/app_paths.h"
#include "settings/bench_options.h"
#include "settings/option_state.h"
#include "settings/registry_settings_store_win.h"
#include "settings/switches.h"

// TForm1: the program's one working window. It owns the shared state of the program for
// its whole lifetime.
class MainForm : public Window {
public:
    static constexpr int kClientWidth = 508;
    static constexpr int kClientHeight = 323;

    // Creates the window and runs the start-up sequence.
    bool Create(const ArgumentList& args);

    void BenchButtonClick();

    const StartupMode& Mode() const { return mode_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void RunStartupSequence(const ArgumentList& args);
    void LoadSettingsReportingErrors();
    void FormActivate();
    void FormClose();
    void FormDestroy();
    void Paint(HDC dc);

    StartupMode mode_;
    BenchOptions benchOptions_;
    AppPaths paths_;
    OptionState options_;
    DebugLog debugLog_;
    RegistrySettingsStore settings_;
    WinFileSystem files_;
    // FormActivate runs on every activation; only the first one may start a batch pass.
    bool batchBehaviourStarted_ = false;
};
