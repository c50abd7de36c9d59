#pragma once
// What a benchmark pass needs from the window, the game side and the machine description.
// The pass itself (PassController, RunResultStep) is portable and is tested with fakes.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "domain/app_paths.h"
#include "domain/bench_options.h"
#include "domain/log_sink.h"
#include "domain/option_state.h"
#include "domain/resolution_table.h"
#include "domain/switches.h"
#include "platform/file_system.h"
#include "results/report_document.h"
#include "runner/machine_watch.h"
#include "runner/pass_state.h"
#include "settings/settings_store.h"

// The main window as the pass sees it. Every call comes on the message thread.
class PassView {
public:
    virtual ~PassView() = default;
    // Label2 of the progress panel; repainted at once.
    virtual void SetProgressCaption(const std::string& caption) = 0;
    // Panel1 ("Benchmarking in progress") over the option pages; shown and repainted at once
    // with its caption and BenchButton.
    virtual void ShowProgressPanel() = 0;
    virtual void HideProgressPanel() = 0;
    // BenchButton.
    virtual void SetRunButtonEnabled(bool enabled) = 0;
    // The progress panel, the background picture and the main window, repainted at once.
    virtual void RepaintWindow() = 0;
    // A plain message box with an OK button over the main window; returns when it is closed.
    virtual void ShowMessage(const std::string& text) = 0;
    // Blocks the message thread for the given time.
    virtual void Pause(unsigned milliseconds) = 0;
    // The saved report to the user's program for .htm files; the pass does not wait for it.
    virtual void OpenReport(const std::string& filePath) = 0;
    // Asks the program to end after the current handler (the main window is closed).
    virtual void EndProgram() = 0;
    // One line to the standard output when the program has one (a console it was started
    // from, a redirected handle); nothing otherwise.
    virtual void WriteOutput(const std::string& line) = 0;
};

// The game side: run plan and command line, game configuration files and pass marks.
// Each works on the shared PassState, BenchOptions, debug log and AppPaths of the program.
class GameSide {
public:
    virtual ~GameSide() = default;
    virtual void PrepareDemo() = 0;  // sets DemoName and DemoError
    virtual void ApplyFilterStep() = 0;
    virtual void SelectAspect() = 0;  // sets AspectFragment and AspectLine
    virtual void ApplyBoostStep() = 0;
    virtual void PrepareGameConfig() = 0;
    // Puts the user's configuration files back; the debug lines only in an interactive pass.
    virtual void RestoreGameConfig(bool withDebugLines) = 0;

    // Interactive passes: the number of selected runs.
    virtual int CountPlannedRuns() = 0;
    // The first planned run at or after the position (0 to 8 the fixed entries in table
    // order, kCustomPosition the custom slot); none after the last.
    virtual std::optional<ResolutionPosition> NextPlannedRun(ResolutionPosition from) = 0;
    virtual void ComposeGameCommandLine(ResolutionPosition position) = 0;  // sets GameCommandLine
    virtual void WriteGameBatchFile() = 0;

    // The settings captions of the pass, as the report's sections show them.
    virtual std::string ShaderText() = 0;
    virtual std::string AntialiasingText() = 0;
    virtual std::string FilteringText() = 0;
    virtual std::string BoostText() = 0;

    // NoErrorWarning: "1" when the first game run is about to start; "0" when an interactive
    // pass is refused (creating the settings key when missing) and when a pass ends
    // (creating the key only at the end of a batch pass).
    virtual void MarkPassUnderWay() = 0;
    virtual void MarkPassRefused() = 0;
    virtual void MarkPassEnded(bool batchPass) = 0;
};

// The machine description of the report (and, in an interactive pass, the debug log).
class MachineDescription {
public:
    virtual ~MachineDescription() = default;
    // Reads and deletes WorkDir() + "dxinfo.txt" after the diagnostics tool has ended.
    virtual void readDiagnosticsFile() = 0;
    virtual void appendSystemLines() = 0;
    virtual void appendAdapterLines() = 0;
};

// The shared state and services one pass works with; all owned by the main window.
struct PassContext {
    const StartupMode& mode;
    const AppPaths& paths;
    const OptionState& options;  // the window's selections: note, custom size, derivation
    BenchOptions& benchOptions;
    PassState& pass;
    LogSink& debugLog;
    ReportDocument& report;
    SettingsStore& settings;
    FileSystem& files;
    PassView& view;
    GameSide& game;
    MachineWatch* watch = nullptr;  // none: the pass reads nothing of the machine beside the game
};
