#pragma once
// Fakes for driving a whole pass natively: a scripted window, the game side, the machine
// description and the two process runners. Every call is appended to one shared event list
// so that tests can check the order of effects.
#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fake_settings.h"
#include "app/debug_log.h"
#include "platform/os_error.h"
#include "runner/pass_ports.h"
#include "runner/process_runner.h"

using EventList = std::vector<std::string>;

inline bool Contains(const EventList& events, const std::string& event) {
    return std::find(events.begin(), events.end(), event) != events.end();
}

inline long CountOf(const EventList& events, const std::string& event) {
    return std::count(events.begin(), events.end(), event);
}

class ScriptedView : public PassView {
public:
    explicit ScriptedView(EventList& events) : events_(events) {}
    bool panelShown = false;
    bool runButtonEnabled = true;
    std::string caption;
    std::vector<std::string> messages;
    std::vector<std::string> opened;
    std::vector<std::string> output;
    bool endRequested = false;

    void SetProgressCaption(const std::string& text) override {
        caption = text;
        events_.push_back("caption " + text);
    }
    void ShowProgressPanel() override {
        panelShown = true;
        events_.push_back("panel shown");
    }
    void HideProgressPanel() override {
        panelShown = false;
        events_.push_back("panel hidden");
    }
    void SetRunButtonEnabled(bool enabled) override {
        runButtonEnabled = enabled;
        events_.push_back(enabled ? "button on" : "button off");
    }
    void RepaintWindow() override { events_.push_back("repaint"); }
    void ShowMessage(const std::string& text) override {
        messages.push_back(text);
        events_.push_back("message " + text);
    }
    void Pause(unsigned ms) override { events_.push_back("pause " + std::to_string(ms)); }
    void OpenReport(const std::string& path) override {
        opened.push_back(path);
        events_.push_back("open");
    }
    void EndProgram() override {
        endRequested = true;
        events_.push_back("end program");
    }
    void WriteOutput(const std::string& line) override { output.push_back(line); }

private:
    EventList& events_;
};

// Plays the game side's part on the shared state the way the real one does, without files
// other than the generated batch file.
class FakeGameSide : public GameSide {
public:
    FakeGameSide(EventList& events, PassState& pass, DebugLog& log, FakeSettingsStore& settings, FakeFileSystem& files,
                 const AppPaths& paths)
        : events_(events), pass_(pass), log_(log), settings_(settings), files_(files), paths_(paths) {}

    std::vector<ResolutionPosition> planned;  // positions in table order
    bool demoError = false;

    void PrepareDemo() override {
        events_.push_back("prepare demo");
        pass_.DemoName = "rivo3v-6.demo";
        pass_.DemoError = demoError;
    }
    void ApplyFilterStep() override { events_.push_back("filter"); }
    void SelectAspect() override {
        events_.push_back("aspect");
        pass_.AspectLine = "Aspect Ratio: [16:9]";
    }
    void ApplyBoostStep() override { events_.push_back("boost"); }
    bool prepareFails = false;  // a settings file that cannot be moved aside
    void PrepareGameConfig() override {
        events_.push_back("prepare config");
        if (prepareFails) throw std::runtime_error("Your game settings file preyconfig.cfg could not be moved aside");
    }
    bool restoreFails = false;
    void RestoreGameConfig(bool withDebugLines) override {
        events_.push_back(withDebugLines ? "restore with lines" : "restore quietly");
        if (restoreFails) throw std::runtime_error("Cannot move file autoexec_old.cfg");
        if (withDebugLines) log_.Add("Delete autoexec.cfg");
    }
    int CountPlannedRuns() override { return static_cast<int>(planned.size()); }
    std::optional<ResolutionPosition> NextPlannedRun(ResolutionPosition from) override {
        for (ResolutionPosition p : planned) {
            if (p >= from) return p;
        }
        return std::nullopt;
    }
    void ComposeGameCommandLine(ResolutionPosition position) override {
        pass_.GameCommandLine = "prey.exe +timedemoquit " + std::to_string(position);
    }
    void WriteGameBatchFile() override { files_.files[paths_.GamePath + "\\Lurkmark.bat"] = pass_.GameCommandLine; }
    std::string ShaderText() override { return "Shader Detail: High"; }
    std::string AntialiasingText() override { return "Antialiasing: 4\xD7"; }
    std::string FilteringText() override { return "Anisotropic filtering: 16\xD7"; }
    std::string BoostText() override { return "Graphics BOOST: disabled"; }
    void MarkPassUnderWay() override { Mark("1"); }
    void MarkPassRefused() override { Mark("0"); }
    void MarkPassEnded(bool) override { Mark("0"); }

private:
    void Mark(const std::string& value) {
        settings_.values["NoErrorWarning"] = value;
        events_.push_back("mark " + value);
    }
    EventList& events_;
    PassState& pass_;
    DebugLog& log_;
    FakeSettingsStore& settings_;
    FakeFileSystem& files_;
    const AppPaths& paths_;
};

class FakeMachine : public MachineDescription {
public:
    FakeMachine(EventList& events, ReportDocument& report) : events_(events), report_(report) {}
    void readDiagnosticsFile() override { events_.push_back("read diagnostics"); }
    void appendSystemLines() override { report_.addInfoLine("CPU:", "Test CPU"); }
    void appendAdapterLines() override { report_.addInfoLine("Graphics card:", "Test GPU"); }

private:
    EventList& events_;
    ReportDocument& report_;
};

class FakeRunner : public ProcessRunner {
public:
    FakeRunner(EventList& events, std::string name) : events_(events), name_(std::move(name)) {}
    bool failNextStart = false;
    int starts = 0;

    void Run() override {
        if (running_) throw std::logic_error(kRunnerBusyMessage);
        if (failNextStart) throw OsError(2, "The system cannot find the file specified.");
        running_ = true;
        ++starts;
        events_.push_back(name_ + " run");
    }
    bool Running() const override { return running_; }
    // The process ended: idle first, then the handler, as the real runner does.
    void End(int exitCode = 0) { Ended(exitCode, false); }
    // The time limit passed and the process tree was ended.
    void EndByTimeLimit() { Ended(1460, true); }

private:
    void Ended(int exitCode, bool byTimeLimit) {
        if (!running_) throw std::logic_error(name_ + " is not running");
        running_ = false;
        SetEndedByTimeLimit(byTimeLimit);
        NotifyTerminated(exitCode);
    }

private:
    EventList& events_;
    std::string name_;
    bool running_ = false;
};
