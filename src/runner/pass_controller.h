#pragma once
#include <cstddef>
#include <functional>
#include <string>

#include "runner/pass_ports.h"
#include "runner/process_runner.h"
#include "runner/run_result_step.h"

// One benchmark pass as a chain of handlers on the message thread: the Run button (or the
// batch start) starts the diagnostics tool, its end starts the run phase, and every game
// end records the result and starts the next run. Nothing here waits for a process.
class PassController {
public:
    struct Platform {
        std::string systemFolder;               // the Windows system folder, no trailing backslash
        std::function<std::string()> startTime;  // now, in the user's short date and long time formats
        std::function<std::string()> isoStartTime;  // now, ISO 8601 local time with its UTC offset
        std::function<std::string()> computerName;  // the PC's name; empty when unknown
        std::function<std::string()> machineId;     // a stable identifier of the PC; empty when unknown
    };

    // Takes over the end handlers of both runners.
    PassController(PassContext& context, MachineDescription& machine, ProcessRunner& dxrun, ProcessRunner& cp,
                   Platform platform);

    void BenchButtonClick();
    void dxrunTerminate(ProcessRunner& runner, int exitCode);
    // The run start for one ResolutionTable position (kCustomPosition: the custom slot).
    void StartRun(ResolutionPosition position);
    void cpTerminate(ProcessRunner& runner, int exitCode);
    // The Cancel on the progress panel. True when an interactive pass has a process running
    // (the diagnostics tool or the game): the caller ends it, and its reported end closes the
    // pass as cancelled instead of going on. A batch pass shows no panel and is never cancelled.
    bool Cancel();
    // The pass is abandoned (the program ends during it): a report name it claimed and never
    // wrote to is given back.
    void ReleaseUnusedReportName() { resultStep_.ReleaseUnusedReportName(); }

private:
    // Runs one handler's work; when it throws, the pass stops with the user's files put back
    // and the window usable, and the error goes on to the program's error report.
    template <class Work>
    void StopPassOnError(Work work);
    void PutBackAfterError();
    void StartPass();
    void RecordRunAndGoOn();
    void InteractiveRunPhase();
    void BatchRunPhase();
    // The game folder is gone: the refusal of the pass's mode; true when the pass stops here.
    bool RefusedWithoutGameFolder();
    void Refuse(const std::string& message);
    // A batch pass refused before any game started; an unattended program then ends.
    void RefuseBatch(const std::string& message);
    // The report's head, its claimed name and the pass's record; the failure naming the
    // results folder when no report can be made there, else empty.
    std::string StartReport(ReportDocument::Mode mode);
    void DescribeMachine();
    // With the option on, the High performance power plan for the pass; a failure is noted in
    // the report.
    void SwitchPlanForPass();
    // The pause before a game start, over which the processor, the power and the refresh rate
    // of the run's display mode are read.
    void PauseWatchingMachine(ResolutionPosition position);
    void DeleteConsoleLog();
    // The next run of the resolution just played, when it has more to come.
    bool StartRepeatOfCurrentRun();
    // The end of the cancelled pass's process: before the game stage nothing of the user's
    // is set aside, and the window only comes back.
    void EndCancelledPass(bool gameStage);

    PassContext& ctx_;
    MachineDescription& machine_;
    ProcessRunner& dxrun_;
    ProcessRunner& cp_;
    Platform platform_;
    RunResultStep resultStep_;
    bool repeatingRun_ = false;  // the StartRun under way plays the same resolution again
    bool cancelled_ = false;     // the next process end closes the pass as cancelled
};
