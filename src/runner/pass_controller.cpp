#include "runner/pass_controller.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "domain/game_time_limit.h"
#include "domain/resolution_table.h"
#include "platform/frame_capture_layout.h"
#include "platform/os_error.h"
#include "runner/frame_capture.h"
#include "runner/game_batch_file.h"
#include "runner/pass_end.h"
#include "runner/power_plan_switch.h"
#include "settings/option_store.h"
#include "sysinfo/diagnostics_report.h"

namespace {

constexpr unsigned kPauseBeforeGameMs = 1000;

ResolutionPosition PositionOfToken(const std::string& token) {
    for (ResolutionPosition i = 0; i < kResolutionCount; ++i) {
        if (token == ResolutionTable[i].token) return i;
    }
    throw std::logic_error("No resolution has the token " + token);
}

}  // namespace

PassController::PassController(PassContext& context, MachineDescription& machine, ProcessRunner& dxrun,
                               ProcessRunner& cp, Platform platform)
    : ctx_(context), machine_(machine), dxrun_(dxrun), cp_(cp), platform_(std::move(platform)), resultStep_(context) {
    dxrun_.SetOnTerminate([this](ProcessRunner& runner, int exitCode) { dxrunTerminate(runner, exitCode); });
    cp_.SetOnTerminate([this](ProcessRunner& runner, int exitCode) { cpTerminate(runner, exitCode); });
}

template <class Work>
void PassController::StopPassOnError(Work work) {
    try {
        work();
    } catch (...) {
        PutBackAfterError();
        throw;
    }
}

void PassController::PutBackAfterError() {
    // Left as it was, the pass would hold the user's files aside and the Run button
    // disabled until the program ends. A restore that fails as well keeps the pass mark, so
    // the next start still offers the recovery; the first error is the one reported.
    try {
        DropFrameCapture(ctx_.files, ctx_.pass, ctx_.debugLog);
        PassEnd end;
        end.saveLog = false;
        end.window = false;  // below, whatever the restore does
        EndPass(ctx_, end);
        if (!ctx_.pass.Outcome) ctx_.pass.Outcome = BatchExit::InternalError;
    } catch (const std::exception& e) {
        ctx_.debugLog.Add(std::string("Restore after an error failed: ") + e.what());
        ctx_.pass.Outcome = BatchExit::FilesNotBack;
    }
    resultStep_.ReleaseUnusedReportName();
    ctx_.view.HideProgressPanel();
    ctx_.view.SetRunButtonEnabled(true);
}

void PassController::BenchButtonClick() {
    StopPassOnError([this] { StartPass(); });
}

void PassController::StartPass() {
    ctx_.view.SetProgressCaption("Collecting system information...");
    StartPassLog(ctx_.debugLog, ctx_.settings.Read("Programversion"), ctx_.paths);
    ctx_.view.ShowProgressPanel();
    ctx_.view.SetRunButtonEnabled(false);
    resultStep_.BeginPass();

    if (ctx_.mode.OpenMode) {
        // Open mode runs no pass: only the result step for the console log already there.
        ctx_.benchOptions.resolution.clear();
        resultStep_.RecordRunResult();
        return;
    }
    // The machine description takes the diagnostics tool many seconds on a real machine; a
    // missing game folder is said before the user waits for it.
    if (RefusedWithoutGameFolder()) return;
    ctx_.game.PrepareDemo();
    DeleteConsoleLog();
    const std::string& system = platform_.systemFolder;
    dxrun_.SetCommandLine(system + "\\dxdiag.exe /whql:on /t " + ctx_.paths.WorkDir() + kDiagnosticsFileName);
    dxrun_.SetCurrentDirectory(system);
    try {
        dxrun_.Run();
    } catch (const OsError& e) {
        // Without the tool the pass goes on as with a tool that wrote no report: the display
        // memory, driver version and sound device stay empty.
        ctx_.debugLog.Add(std::string("The display diagnostics tool could not be started (") + e.what() +
                          "); its values stay empty.");
        dxrunTerminate(dxrun_, 0);
    }
}

void PassController::dxrunTerminate(ProcessRunner&, int exitCode) {
    StopPassOnError([this, exitCode] {
        if (cancelled_) return EndCancelledPass(false);
        if (exitCode != 0 && !ctx_.files.FileExists(ctx_.paths.WorkDir() + kDiagnosticsFileName)) {
            char code[16];
            std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(exitCode));
            ctx_.debugLog.Add(std::string("The display diagnostics tool ended with code ") + code +
                              " and wrote no report; its values stay empty.");
        }
        machine_.readDiagnosticsFile();
        if (ctx_.mode.BatchMode) {
            BatchRunPhase();
        } else {
            InteractiveRunPhase();
        }
    });
}

void PassController::InteractiveRunPhase() {
    ctx_.benchOptions = DeriveBenchOptions(ctx_.options);
    GameSide& game = ctx_.game;
    game.ApplyFilterStep();
    game.SelectAspect();
    game.ApplyBoostStep();
    game.PrepareGameConfig();

    PassState& pass = ctx_.pass;
    if (RefusedWithoutGameFolder()) return;
    pass.PlannedRuns = game.CountPlannedRuns();
    pass.CompletedRuns = 0;
    if (pass.PlannedRuns < 1) return Refuse("ERROR. Please, choose a resolution of Prey.");
    if (pass.DemoError) return Refuse("ERROR. Please, check your custom defined demo parameters.");

    ctx_.debugLog.Add("Resolutions: " + std::to_string(pass.PlannedRuns));
    game.MarkPassUnderWay();
    ctx_.view.ShowProgressPanel();
    // A folder that cannot be written is told when the first save fails, as it always was.
    StartReport(ReportDocument::Mode::Interactive);
    ctx_.debugLog.Add("Start time: " + ctx_.report.startTime());
    DescribeMachine();
    SwitchPlanForPass();
    const std::optional<ResolutionPosition> first = game.NextPlannedRun(0);
    if (!first) throw std::logic_error("A planned run could not be found");
    StartRun(*first);
}

void PassController::BatchRunPhase() {
    if (RefusedWithoutGameFolder()) return;
    if (ctx_.benchOptions.resolution.empty()) return RefuseBatch("Please, define a resolution of Prey.");
    // The report's name is claimed before the user's files are touched: a results folder that
    // cannot be written (a share that is down, a folder without rights) refuses the pass while
    // nothing is at stake.
    const std::string reportFailure = StartReport(ReportDocument::Mode::Batch);
    if (!reportFailure.empty()) {
        return RefuseBatch("Please, choose a results folder that can be written. " + reportFailure);
    }
    GameSide& game = ctx_.game;
    try {
        game.ApplyFilterStep();
        game.SelectAspect();
        game.ApplyBoostStep();
        game.PrepareGameConfig();
    } catch (...) {
        // A settings file that cannot be moved aside refuses the pass before any game starts;
        // what moved is put back on the way out.
        ctx_.pass.Outcome = BatchExit::Refused;
        throw;
    }

    ctx_.view.SetRunButtonEnabled(false);
    game.MarkPassUnderWay();
    ctx_.view.ShowProgressPanel();
    DescribeMachine();
    SwitchPlanForPass();
    StartRun(PositionOfToken(ctx_.benchOptions.resolution));
}

bool PassController::RefusedWithoutGameFolder() {
    if (!ctx_.paths.GamePath.empty() && ctx_.files.FolderExists(ctx_.paths.GamePath)) return false;
    if (ctx_.mode.BatchMode) {
        RefuseBatch("Please, install the retail version of Prey.");
    } else {
        Refuse("ERROR. Please, install the retail version of Prey.");
    }
    return true;
}

void PassController::Refuse(const std::string& message) {
    ctx_.view.ShowMessage(message);
    ctx_.view.HideProgressPanel();
    ctx_.game.MarkPassRefused();
    ctx_.view.SetRunButtonEnabled(true);
}

void PassController::RefuseBatch(const std::string& message) {
    ctx_.pass.Outcome = BatchExit::Refused;
    ctx_.view.ShowMessage(message);
    ctx_.view.SetRunButtonEnabled(true);
    if (ctx_.mode.Quiet) ctx_.view.EndProgram();
}

std::string PassController::StartReport(ReportDocument::Mode mode) {
    ctx_.report.startPass(platform_.startTime(), mode);
    const std::string failure = resultStep_.ReserveReportName();
    ctx_.pass.RunsPerResolution = RunsPerResolution(ctx_.benchOptions);
    ctx_.pass.WarmUp = !ctx_.benchOptions.warmUp.empty();
    resultStep_.StartRecord(platform_.isoStartTime ? platform_.isoStartTime() : "",
                            platform_.computerName ? platform_.computerName() : "",
                            platform_.machineId ? platform_.machineId() : "");
    return failure;
}

void PassController::DescribeMachine() {
    machine_.appendSystemLines();
    machine_.appendAdapterLines();
    ctx_.report.addCommentAndSeparator(ctx_.options.note);
}

void PassController::SwitchPlanForPass() {
    if (!ctx_.watch || ctx_.benchOptions.highPerf.empty()) return;
    resultStep_.NotePassFlags(PlanNotSwitchedFlags(SwitchToHighPerformance(*ctx_.watch, ctx_.settings, ctx_.debugLog)));
}

void PassController::PauseWatchingMachine(ResolutionPosition position) {
    MachineWatch* watch = ctx_.watch;
    if (!watch) return ctx_.view.Pause(kPauseBeforeGameMs);
    // The pause before the game is the second the processor is measured over: what is busy
    // then takes its share of the run too.
    watch->StartProcessorSample();
    ctx_.view.Pause(kPauseBeforeGameMs);
    const bool custom = position == kCustomPosition;
    const int width = custom ? std::atoi(ctx_.options.customWidth.c_str()) : ResolutionTable[position].width;
    const int height = custom ? std::atoi(ctx_.options.customHeight.c_str()) : ResolutionTable[position].height;
    resultStep_.NoteGameStart(watch->ProcessorBusy(), watch->Power(), watch->RefreshRate(width, height));
}

void PassController::StartRun(ResolutionPosition position) {
    if (!repeatingRun_) ctx_.pass.CurrentRepeat = ctx_.pass.WarmUp ? 0 : 1;
    repeatingRun_ = false;
    const bool custom = position == kCustomPosition;
    const std::string& width = ctx_.options.customWidth;
    const std::string& height = ctx_.options.customHeight;
    const std::string caption = (custom ? CustomCaption(width, height) : std::string(ResolutionTable[position].caption)) +
                                RepeatCaption(ctx_.pass);
    ctx_.view.SetProgressCaption(caption);
    ctx_.pass.CurrentRunKey = RunKey(position);
    PrepareFrameCapture(!ctx_.benchOptions.frames.empty(), ctx_.paths, ctx_.files, ctx_.pass);
    ctx_.game.ComposeGameCommandLine(position);

    LogSink& log = ctx_.debugLog;
    log.Add("");
    if (custom) {
        log.Add("START Prey " + width + " \xD7 " + height + " (Custom)..." + RepeatCaption(ctx_.pass));
    } else {
        log.Add("START");
        log.Add(caption);
    }
    log.Save(ctx_.paths.WorkDir());
    ctx_.game.WriteGameBatchFile();

    const GameStartParameters start = GameStart(ctx_.paths, platform_.systemFolder);
    cp_.SetCurrentDirectory(start.currentDirectory);
    cp_.SetProgram(start.program);
    cp_.SetCommandLine(start.commandLine);
    // The command interpreter hands its environment on to the game, and the recorder in the
    // game finds its file there.
    EnvironmentVariables added;
    if (!ctx_.pass.FrameCaptureFile.empty()) added.push_back({kFrameCaptureVariable, ctx_.pass.FrameCaptureFile});
    cp_.SetAddedVariables(std::move(added));
    ctx_.pass.RunTimeLimitSeconds = TimeLimitOfToken(ctx_.benchOptions.timeLimit);
    cp_.SetTimeLimit(ctx_.pass.RunTimeLimitSeconds);
    PauseWatchingMachine(position);
    try {
        cp_.Run();
    } catch (const OsError& e) {
        DropFrameCapture(ctx_.files, ctx_.pass, ctx_.debugLog);
        // The pass stops quietly; the configuration stays prepared until the program ends or
        // the next start offers the recovery. The power plan is the machine's, not the pass's.
        PassEnd end;
        end.filesBack = false;
        end.saveLog = false;
        end.window = false;  // the panel stays; only Run comes back
        EndPass(ctx_, end);
        ctx_.view.SetRunButtonEnabled(true);
        // Unattended, nobody would ever end the program.
        if (!ctx_.mode.BatchMode) return;
        ctx_.pass.Outcome = BatchExit::InternalError;
        if (!ctx_.mode.Quiet) return;
        ctx_.view.ShowMessage(std::string("The game could not be started. ") + e.what());
        ctx_.view.EndProgram();
    }
}

void PassController::cpTerminate(ProcessRunner& runner, int) {
    ctx_.pass.RunEndedByTimeLimit = runner.EndedByTimeLimit();
    StopPassOnError([this] {
        if (cancelled_) return EndCancelledPass(true);
        RecordRunAndGoOn();
    });
}

bool PassController::Cancel() {
    if (ctx_.mode.BatchMode || (!dxrun_.Running() && !cp_.Running())) return false;
    // Pressed again while a game resists being ended: it is ended again, noted once.
    if (cancelled_) return true;
    cancelled_ = true;
    ctx_.debugLog.Add(kCancelledText);
    ctx_.debugLog.Save(ctx_.paths.WorkDir());
    return true;
}

void PassController::EndCancelledPass(bool gameStage) {
    cancelled_ = false;
    if (gameStage) return resultStep_.RecordCancelled();
    PassEnd end;
    end.filesBack = false;
    end.saveLog = false;
    EndPass(ctx_, end);
}

void PassController::RecordRunAndGoOn() {
    ctx_.debugLog.Add("CP terminated");
    if (ctx_.pass.RunEndedByTimeLimit) ctx_.debugLog.Add(TimeLimitEndedText(ctx_.pass.RunTimeLimitSeconds));
    ctx_.debugLog.Save(ctx_.paths.WorkDir());
    if (StartRepeatOfCurrentRun()) return;
    if (ctx_.mode.BatchMode) return resultStep_.RecordRunResult();

    PassState& pass = ctx_.pass;
    const std::optional<ResolutionPosition> position = PositionOfKey(pass.CurrentRunKey);
    if (position) ++pass.CompletedRuns;
    const bool last = pass.CurrentRunKey == kCustomRunKey || pass.CompletedRuns == pass.PlannedRuns;
    resultStep_.RecordRunResult();
    if (last || !position) return;
    if (const std::optional<ResolutionPosition> next = ctx_.game.NextPlannedRun(*position + 1)) StartRun(*next);
}

bool PassController::StartRepeatOfCurrentRun() {
    PassState& pass = ctx_.pass;
    const std::optional<ResolutionPosition> position = PositionOfKey(pass.CurrentRunKey);
    if (!position || pass.CurrentRepeat >= pass.RunsPerResolution) return false;
    // The same pauses lie between two runs of a resolution as between two resolutions.
    resultStep_.RecordRepeat();
    ++pass.CurrentRepeat;
    repeatingRun_ = true;
    StartRun(*position);
    return true;
}

void PassController::DeleteConsoleLog() {
    // Without a game folder there is no log (and no relative path to guess).
    if (ctx_.paths.GamePath.empty()) return;
    DeleteFileOrThrow(ctx_.files, ctx_.paths.CfgPath + ConsoleLogParser::kLogFileName);
}
