#include "runner/run_result_step.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "domain/game_time_limit.h"
#include "domain/resolution_table.h"
#include "results/frame_times.h"
#include "results/result_data.h"
#include "results/run_checks.h"
#include "results/run_statistics.h"
#include "runner/frame_capture.h"
#include "runner/game_batch_file.h"
#include "runner/pass_end.h"

namespace {


bool HasCode(const std::vector<RunFlag>& flags, const std::string& code) {
    return std::any_of(flags.begin(), flags.end(), [&](const RunFlag& f) { return f.code == code; });
}

// A run "shows a result" when its log gave a score text, or when the log held no result
// line at all: then the section says "No Score." and the report is still worth showing.
bool ShowsResult(const ScoreResult& score) {
    return !score.scoreText.empty() || (score.logFound && !score.markerFound);
}

// "1024x768: 120.5 FPS" for the job's log: plain ASCII, whatever code page the console has.
std::string ResolutionOutputLine(const ResolutionRecord& resolution) {
    std::string line = std::to_string(resolution.width) + "x" + std::to_string(resolution.height) + ": ";
    const RunStatistics stats = ComputeStatistics(resolution.runs);
    line += stats.mean ? FixedText(*stats.mean, 1) + " FPS" : std::string("No Score");
    std::string flags;
    for (const RunRecord& run : resolution.runs) {
        for (const RunFlag& flag : run.flags) flags += (flags.empty() ? "" : "; ") + flag.text;
    }
    for (char& c : flags) {
        if (c == '\xD7') c = 'x';
    }
    return flags.empty() ? line : line + " (" + flags + ")";
}

// The window's name of each choice, from the pass's switch tokens.
std::string ChoiceText(const std::string& token, const std::vector<std::pair<const char*, const char*>>& names) {
    for (const auto& [t, name] : names) {
        if (token == t) return name;
    }
    return "";
}

PassOptionTexts OptionTextsOf(const BenchOptions& bench, const OptionState& options, const PassState& pass) {
    PassOptionTexts o;
    o.demo = ChoiceText(bench.demo, {{"DEMO1", "Rivo3V demo"}, {"DEMO2", "Rivo3V demo 2"}});
    if (o.demo.empty() && options.demo == 2 && !pass.DemoName.empty()) o.demo = "User defined demo";
    o.aspect = ChoiceText(bench.aspect, {{"AR43", "Standard [ 4:3 ]"},
                                         {"AR169", "Widescreen [ 16:9 ]"},
                                         {"AR1610", "Widescreen [ 16:10 ]"}});
    o.shader = ChoiceText(bench.shader, {{"SLOW", "Low level"},
                                         {"SMED", "Medium level"},
                                         {"SHIGH", "High level"},
                                         {"SHIGHEST", "Highest level"}});
    o.antialiasing = ChoiceText(bench.aa, {{"AANONE", "None"}, {"AA2", "2\xD7"}, {"AA4", "4\xD7"}, {"AASYS", "From System"}});
    o.filtering = ChoiceText(bench.af, {{"AFNONE", "None"},
                                        {"AF2", "Anisotropic 2\xD7"},
                                        {"AF4", "Anisotropic 4\xD7"},
                                        {"AF8", "Anisotropic 8\xD7"},
                                        {"AF16", "Anisotropic 16\xD7"},
                                        {"AFSYS", "From System"}});
    o.boost = bench.boost.empty() ? "Off" : "On";
    o.runs = pass.RunsPerResolution;
    o.warmUp = pass.WarmUp;
    o.frameTimes = !bench.frames.empty();
    if (const int limit = TimeLimitOfToken(bench.timeLimit); limit > 0) o.timeLimitSeconds = limit;
    return o;
}

ResolutionRecord ResolutionOf(const std::string& key, const OptionState& options) {
    ResolutionRecord r;
    r.key = key;
    if (key == kCustomRunKey) {
        r.label = CustomLabel(options.customWidth, options.customHeight);
        r.width = std::atoi(options.customWidth.c_str());
        r.height = std::atoi(options.customHeight.c_str());
        return r;
    }
    for (const ResolutionEntry& entry : ResolutionTable) {
        if (key != entry.key) continue;
        r.label = entry.label;
        r.width = entry.width;
        r.height = entry.height;
    }
    return r;
}

// One locked append. Rows appended whole whose flush was not confirmed are saved all the
// same (a second append would double them): the reason goes into `notice` for the user.
bool AppendRows(FileSystem& files, const std::string& path, unsigned waitMs,
                const std::function<std::string(const AppendedFileState&)>& compose, std::string& notice) {
    try {
        return files.AppendUnderLock(path, waitMs, compose);
    } catch (const AppendNotConfirmed& e) {
        notice = std::string("The results rows were written, but Windows could not confirm they reached the disk. ") + e.what();
        return true;
    }
}

}  // namespace

std::string RunResultStep::ReserveReportName() {
    try {
        CreateMissingDefaultResultFolder();
        ctx_.report.reserveFileName(ctx_.paths.ResultPath, ctx_.files);
        reportNameReserved_ = true;
        return "";
    } catch (const std::exception& e) {
        return e.what();
    }
}

void RunResultStep::ReleaseUnusedReportName() {
    if (!reportNameReserved_ || reportSaved_) return;
    reportNameReserved_ = false;
    const std::string path = ctx_.report.filePath(ctx_.paths.ResultPath);
    if (!ctx_.files.DeleteFileIfExists(path)) ctx_.debugLog.Add("The unused report name could not be given back: " + path);
}

void RunResultStep::CreateMissingDefaultResultFolder() {
    // The default folder is the program's own choice, so it is made when missing; a folder
    // the user chose and then removed is reported instead, not silently recreated.
    const std::string& folder = ctx_.paths.ResultPath;
    if (folder == DefaultResultPath(ctx_.paths.WorkDir()) && !ctx_.files.FolderExists(folder)) {
        ctx_.files.CreateFolder(folder);
    }
}

void RunResultStep::StartRecord(const std::string& isoStartTime, const std::string& computerName,
                                const std::string& machineId) {
    record_ = PassRecord{};
    recording_ = true;
    record_.program = ctx_.settings.Read("Programversion");
    record_.started = isoStartTime;
    record_.computerName = computerName;
    record_.machineId = machineId;
    record_.report = "result_" + ctx_.report.fileStamp() + ".htm";
    record_.note = ctx_.options.note;
    record_.options = OptionTextsOf(ctx_.benchOptions, ctx_.options, ctx_.pass);
}

void RunResultStep::NoteGameStart(const std::optional<BusyReading>& busy, const PowerReading& power,
                                  std::optional<int> refreshRate) {
    startBusy_ = busy;
    startRefreshRate_ = refreshRate;
    if (!recording_) return;
    if (power.onBattery) record_.onBattery = record_.onBattery.value_or(false) || *power.onBattery;
    if (!power.planName.empty()) record_.powerPlan = power.planName;
    NotePassFlags(PowerFlags(power));
}

void RunResultStep::NotePassFlags(const std::vector<RunFlag>& flags) {
    if (!recording_) return;
    for (const RunFlag& flag : flags) {
        if (HasCode(record_.flags, flag.code)) continue;
        record_.flags.push_back(flag);
        ctx_.report.addLineAfterMachine(FlagLine(flag.text));
        ctx_.debugLog.Add("Check " + flag.code + ": " + flag.text);
    }
}

void RunResultStep::NoteRun(const ScoreResult& score) {
    if (!recording_) return;
    const bool byTimeLimit = ctx_.pass.RunEndedByTimeLimit;
    const PassState& pass = ctx_.pass;
    const int first = pass.WarmUp ? 0 : 1;
    if (record_.resolutions.empty() || pass.CurrentRepeat == first) {
        record_.resolutions.push_back(ResolutionOf(pass.CurrentRunKey, ctx_.options));
        record_.resolutions.back().refreshRate = startRefreshRate_;
        frameTimesOfRuns_.clear();
    }
    ResolutionRecord& resolution = record_.resolutions.back();
    RunRecord run;
    run.run = pass.CurrentRepeat;
    run.warmUp = pass.CurrentRepeat == 0;
    run.logFound = score.logFound;
    run.scoreText = score.scoreText;
    if (byTimeLimit) {
        run.ended = RunEnd::TimeLimit;
    } else if (score.markerFound) {
        run.score = ScoreValue(score.scoreText);
        if (run.score) run.ended = RunEnd::Scored;
    }
    if (score.logFound) {
        try {
            std::string log;
            if (ctx_.files.ReadFile(ctx_.paths.CfgPath + ConsoleLogParser::kLogFileName, log)) {
                run.evidence = ReadRunEvidence(log);
            }
        } catch (const std::bad_alloc&) {
            // A log too large to hold gives no evidence: the checks stay silent.
        }
    }
    for (const auto& flags : {WindowSizeFlags(run.evidence, resolution.width, resolution.height),
                              InconsistentLogFlags(run.evidence), BusyMachineFlags(startBusy_)}) {
        run.flags.insert(run.flags.end(), flags.begin(), flags.end());
    }
    std::vector<double> frameTimes = NoteFrameTimes(run, resolution);
    resolution.runs.push_back(std::move(run));
    if (!ctx_.benchOptions.frames.empty()) {
        frameTimesOfRuns_.push_back(std::move(frameTimes));
        resolution.frameTimes = PooledFrameTimeFigures(resolution.runs, frameTimesOfRuns_);
    }
    startBusy_.reset();
}

std::vector<double> RunResultStep::NoteFrameTimes(RunRecord& run, const ResolutionRecord& resolution) {
    if (ctx_.benchOptions.frames.empty()) return {};
    LogSink& log = ctx_.debugLog;
    const TakenFrameCapture taken = TakeFrameCapture(ctx_.files, ctx_.pass);
    if (!taken.removalFailure.empty()) log.Add(taken.removalFailure);
    RunFrameTimes times;
    if (taken.capture) times = FrameTimesOfRun(taken.capture, run);
    if (!times.figures) {
        log.Add("Frame times not recorded: " + (taken.capture ? times.missingReason : taken.problem) + ".");
        // A batch pass saves its log at game starts and findings only: this line must not wait.
        log.Save(ctx_.paths.WorkDir());
        return {};
    }
    run.frameTimes = times.figures;
    if (times.mismatch) run.flags.push_back(*times.mismatch);
    const std::string csv = FrameCaptureFileName(record_.report, resolution.key, run.run);
    try {
        ctx_.files.WriteFileReplacing(JoinPath(ctx_.paths.ResultPath, csv),
                                      PresentMonCsv(times.frameTimesMs, "prey.exe", taken.capture->processId));
        run.frameTimesFile = csv;
    } catch (const std::exception& e) {
        log.Add(std::string("The frame capture CSV could not be saved. ") + e.what());
    }
    log.Add("Frame times: " + std::to_string(times.figures->frames) + " frames, 1 % low " +
            FixedText(times.figures->low1Fps, 1) + " FPS");
    log.Save(ctx_.paths.WorkDir());
    return std::move(times.frameTimesMs);
}

bool RunResultStep::SeveralRuns() const {
    return recording_ && !record_.resolutions.empty() && record_.resolutions.back().runs.size() > 1;
}

bool RunResultStep::AnySectionRun() const {
    for (const RunRecord& run : record_.resolutions.back().runs) {
        if (run.logFound || run.ended == RunEnd::TimeLimit) return true;
    }
    return false;
}

bool RunResultStep::AnyRunEndedByTimeLimit() const {
    if (!recording_ || record_.resolutions.empty()) return ctx_.pass.RunEndedByTimeLimit;
    for (const RunRecord& run : record_.resolutions.back().runs) {
        if (run.ended == RunEnd::TimeLimit) return true;
    }
    return false;
}

std::optional<std::string> RunResultStep::SectionScore(const ScoreResult& score, bool letterMeansNoScore) const {
    if (!SeveralRuns()) {
        // Whatever an ended game left in its log is no result.
        if (ctx_.pass.RunEndedByTimeLimit) return std::nullopt;
        if (!score.markerFound || (letterMeansNoScore && score.hasLetter)) return std::nullopt;
        return score.scoreText;
    }
    const RunStatistics stats = ComputeStatistics(record_.resolutions.back().runs);
    if (!stats.mean) return std::nullopt;
    return FixedText(*stats.mean, 1);
}

void RunResultStep::RecordRepeat() {
    ctx_.view.Pause(kPassPauseMs);
    const ScoreResult score = ConsoleLogParser::readScore(ctx_.files, ctx_.paths.CfgPath);
    NoteRun(score);
    if (!ctx_.mode.BatchMode) {
        if (ctx_.pass.RunEndedByTimeLimit) {
            ctx_.debugLog.Add("FPS: No Score");
        } else if (!score.logFound) {
            ctx_.debugLog.Add("ERROR! The qconsole.log not exist!");
        } else {
            const bool noScore = score.hasLetter || !score.markerFound;
            ctx_.debugLog.Add(noScore ? "FPS: No Score" : "FPS: " + score.scoreText);
        }
        ctx_.debugLog.Save(ctx_.paths.WorkDir());
    }
    CleanUp();
}

void RunResultStep::RecordRunResult() {
    if (ctx_.mode.BatchMode) {
        RecordBatch();
    } else {
        RecordInteractive();
    }
    CleanUp();
}

void RunResultStep::RecordInteractive() {
    ctx_.view.Pause(kPassPauseMs);
    const ScoreResult score = ConsoleLogParser::readScore(ctx_.files, ctx_.paths.CfgPath);
    NoteRun(score);
    const bool several = SeveralRuns();
    const bool timedOut = ctx_.pass.RunEndedByTimeLimit;
    if (timedOut) {
        ctx_.view.RepaintWindow();
    } else if (score.logFound) {
        ctx_.debugLog.Add("Prepare result");
        ctx_.debugLog.Save(ctx_.paths.WorkDir());
        ctx_.view.RepaintWindow();
    } else {
        ctx_.debugLog.Add("ERROR! The qconsole.log not exist!");
        ctx_.debugLog.Save(ctx_.paths.WorkDir());
    }
    // With several runs a section stands as soon as one of them left its log.
    const bool section = several ? AnySectionRun() : score.logFound || timedOut;
    if (section) {
        if (!score.logFound && !timedOut) ctx_.view.RepaintWindow();
        const std::optional<std::string> shown = SectionScore(score, true);
        AppendSection(shown);
        ctx_.debugLog.Add(shown ? "FPS: " + *shown : "FPS: No Score");
        AddFlagDebugLines();
        ctx_.debugLog.Save(ctx_.paths.WorkDir());
    }
    if (SaveReport()) WriteDataFiles();

    if (ctx_.pass.CompletedRuns != ctx_.pass.PlannedRuns) return;
    ctx_.report.addClosingLines(ReportDocument::Mode::Interactive);
    const bool showsResult = several ? section : timedOut || ShowsResult(score);
    if (showsResult && SaveReport()) ctx_.view.OpenReport(ctx_.report.filePath(ctx_.paths.ResultPath));
    EndPass(ctx_, PassEnd{});
}

void RunResultStep::RecordCancelled() {
    if (sectionsWritten_ > 0) {
        ctx_.report.addLine(CancelledLine());
        ctx_.report.addClosingLines(ReportDocument::Mode::Interactive);
        if (SaveReport()) ctx_.view.OpenReport(ctx_.report.filePath(ctx_.paths.ResultPath));
    }
    ReleaseUnusedReportName();
    // What the ended game left must not pass for the next run's result (none of it is the
    // user's: the restore does not bring such files back).
    DeleteGameLeftovers();
    EndPass(ctx_, PassEnd{});
}

void RunResultStep::RecordBatch() {
    ctx_.view.Pause(kPassPauseMs);
    const ScoreResult score = ConsoleLogParser::readScore(ctx_.files, ctx_.paths.CfgPath);
    NoteRun(score);
    const bool several = SeveralRuns();
    const bool timedOut = ctx_.pass.RunEndedByTimeLimit;
    const bool section = several ? AnySectionRun() : score.logFound || timedOut;
    if (section) {
        ctx_.view.RepaintWindow();
        // Batch mode shows the text as the game printed it, letters and all; only a log
        // without any result line has nothing to show.
        AppendSection(SectionScore(score, false));
        ctx_.report.addLine(kBatchSectionEnd);
        AddFlagDebugLines();
    }
    ctx_.report.addClosingLines(ReportDocument::Mode::Batch);
    const bool showsResult = several ? section : timedOut || ShowsResult(score);
    std::string failure = showsResult ? SaveFailure() : std::string();
    const bool reportSaved = showsResult && failure.empty();
    if (reportSaved) failure = DataFilesFailure();
    ReleaseUnusedReportName();
    ctx_.pass.Outcome = !showsResult ? BatchExit::NotAllScored
                        : !reportSaved || dataFilesFailed_ ? BatchExit::ResultsNotSaved
                                                           : OutcomeOfRuns();
    WriteOutputLines(reportSaved);
    PassEnd end;
    end.restoreDebugLines = false;
    end.saveLog = false;
    EndPass(ctx_, end);
    // Told once the user's files are back and the pass mark is cleared: an unattended batch
    // may leave the message waiting for a long time, and nothing is at stake meanwhile.
    if (!failure.empty()) ctx_.view.ShowMessage(failure);
    ctx_.view.EndProgram();
}

void RunResultStep::AppendSection(const std::optional<std::string>& shown) {
    ReportDocument& report = ctx_.report;
    const std::string heading =
        ResolutionHeading(ctx_.pass.CurrentRunKey, ctx_.options.customWidth, ctx_.options.customHeight);
    if (!heading.empty()) report.addLine(heading);
    report.addLine(DemoLine(ctx_.pass.DemoName));
    report.addLine(CaptionLine(ctx_.game.ShaderText()));
    report.addLine(CaptionLine(ctx_.pass.AspectLine));
    report.addLine(CaptionLine(ctx_.game.AntialiasingText()));
    report.addLine(CaptionLine(ctx_.game.FilteringText()));
    report.addLine(CaptionLine(ctx_.game.BoostText()));
    report.addLine(shown ? ScoreLine(*shown) : NoScoreLine());
    ++sectionsWritten_;
    if (AnyRunEndedByTimeLimit()) AppendTimeLimitLine();
    if (!recording_ || record_.resolutions.empty()) return;

    ResolutionRecord& resolution = record_.resolutions.back();
    // A run that rendered fewer frames than another run of the demo in this pass did not
    // play it whole; the comparison takes every run so far, of every resolution.
    for (RunRecord& run : resolution.runs) {
        std::vector<long> others;
        for (const ResolutionRecord& r : record_.resolutions) {
            for (const RunRecord& other : r.runs) {
                if (&other != &run && other.evidence.frames) others.push_back(*other.evidence.frames);
            }
        }
        const std::vector<RunFlag> shortDemo = ShortDemoFlags(run.evidence, others);
        run.flags.insert(run.flags.end(), shortDemo.begin(), shortDemo.end());
    }
    // A cap speaks of the resolution's runs together: every scored run carries it in the data
    // files, the report says it once.
    const std::vector<RunFlag> capped = RefreshCapFlags(resolution.runs, resolution.refreshRate);
    for (RunRecord& run : resolution.runs) {
        if (run.score) run.flags.insert(run.flags.end(), capped.begin(), capped.end());
    }
    const bool several = SeveralRuns();
    if (several) {
        const RunStatistics stats = ComputeStatistics(resolution.runs);
        report.addLine(StatisticsLine(resolution.runs, stats));
        if (stats.unsteady) report.addLine(UnsteadyLine(stats));
    }
    if (!ctx_.benchOptions.frames.empty()) {
        for (const std::string& line : FrameTimeReportLines(resolution)) report.addLine(line);
    }
    for (const RunRecord& run : resolution.runs) {
        for (const RunFlag& flag : run.flags) {
            if (!IsResolutionFlag(flag)) report.addLine(FlagLine(FlagLineText(run, flag, several)));
        }
    }
    for (const RunFlag& flag : capped) report.addLine(FlagLine(flag.text));
}

void RunResultStep::AddFlagDebugLines() {
    if (!recording_ || record_.resolutions.empty()) return;
    const ResolutionRecord& resolution = record_.resolutions.back();
    const bool several = resolution.runs.size() > 1;
    bool any = false;
    std::vector<RunFlag> resolutionFlags;
    for (const RunRecord& run : resolution.runs) {
        for (const RunFlag& flag : run.flags) {
            if (IsResolutionFlag(flag)) {
                if (!HasCode(resolutionFlags, flag.code)) resolutionFlags.push_back(flag);
                continue;
            }
            ctx_.debugLog.Add("Check " + flag.code + ": " + FlagLineText(run, flag, several));
            any = true;
        }
    }
    for (const RunFlag& flag : resolutionFlags) {
        ctx_.debugLog.Add("Check " + flag.code + ": " + flag.text);
        any = true;
    }
    if (any) ctx_.debugLog.Save(ctx_.paths.WorkDir());
}

std::string RunResultStep::DataFilesFailure() {
    dataFilesFailed_ = false;
    if (!recording_ || record_.resolutions.empty()) return "";
    record_.machine = MachineLinesOf(ctx_.report.lines());
    const std::string& folder = ctx_.paths.ResultPath;
    std::string failure;
    std::string notice;
    try {
        ctx_.files.WriteFileReplacing(JoinPath(folder, DataFileNameOf(record_.report)), ResultJson(record_));
    } catch (const std::exception& e) {
        failure = e.what();
    }
    try {
        notice = AppendCsvRows();
    } catch (const std::exception& e) {
        failure += (failure.empty() ? "" : " ") + std::string(e.what());
    }
    dataFilesFailed_ = !failure.empty();
    if (failure.empty()) return notice;
    return "The results data could not be saved. " + failure + (notice.empty() ? "" : " " + notice);
}

std::string RunResultStep::AppendCsvRows() {
    // About as long as another PC's append can take over a slow share; never for good.
    constexpr unsigned kLockWaitMs = 30000;
    const std::string& folder = ctx_.paths.ResultPath;
    const ResolutionRecord& resolution = record_.resolutions.back();
    const auto compose = [&](const AppendedFileState& file) { return CsvAppendBytes(file, record_, resolution); };
    std::string notConfirmed;
    const std::string table = JoinPath(folder, kResultsCsvName);
    if (AppendRows(ctx_.files, table, kLockWaitMs, compose, notConfirmed)) return notConfirmed;
    const std::string side = JoinPath(folder, SideCsvName(record_.computerName));
    if (!AppendRows(ctx_.files, side, kLockWaitMs, compose, notConfirmed)) {
        throw std::runtime_error("The results table " + table + " and " + side + " stayed locked by another program.");
    }
    return notConfirmed + (notConfirmed.empty() ? "" : " ") + "The results table " + table + " stayed locked by another program for 30 seconds; the rows of this pass "
           "were written to " + side + " instead.";
}

BatchExit RunResultStep::OutcomeOfRuns() const {
    if (!recording_) return BatchExit::NotAllScored;
    bool flagged = false;
    for (const ResolutionRecord& resolution : record_.resolutions) {
        for (const RunRecord& run : resolution.runs) {
            if (run.ended != RunEnd::Scored) return BatchExit::NotAllScored;
            flagged = flagged || !run.flags.empty();
        }
    }
    return flagged ? BatchExit::ScoredWithFindings : BatchExit::AllScored;
}

void RunResultStep::WriteOutputLines(bool reportSaved) {
    if (recording_) {
        for (const ResolutionRecord& resolution : record_.resolutions) {
            ctx_.view.WriteOutput(ResolutionOutputLine(resolution));
        }
    }
    if (!reportSaved) return;
    const std::string report = ctx_.report.filePath(ctx_.paths.ResultPath);
    ctx_.view.WriteOutput("Report: " + report);
    if (!dataFilesFailed_) ctx_.view.WriteOutput("Data: " + JoinPath(ctx_.paths.ResultPath, DataFileNameOf(record_.report)));
}

void RunResultStep::WriteDataFiles() {
    const std::string failure = DataFilesFailure();
    if (failure.empty() || dataFailureShown_) return;
    // Like the report's own failure: the pass goes on, and the user learns it once.
    dataFailureShown_ = true;
    ctx_.view.ShowMessage(failure);
}

void RunResultStep::AppendTimeLimitLine() {
    ctx_.report.addLine(CaptionLine(TimeLimitEndedText(ctx_.pass.RunTimeLimitSeconds)));
}

std::string RunResultStep::SaveFailure() {
    try {
        CreateMissingDefaultResultFolder();
        ctx_.report.save(ctx_.paths.ResultPath);
        reportSaved_ = true;
        return "";
    } catch (const std::exception& e) {
        return std::string("The report could not be saved. ") + e.what();
    }
}

bool RunResultStep::SaveReport() {
    const std::string failure = SaveFailure();
    if (failure.empty()) return true;
    // The pass goes on (the user's files are still restored at its end); the user learns
    // once where the report could not go.
    if (!saveFailureShown_) {
        saveFailureShown_ = true;
        ctx_.view.ShowMessage(failure);
    }
    return false;
}

void RunResultStep::DeleteGameLeftovers() {
    DropFrameCapture(ctx_.files, ctx_.pass, ctx_.debugLog);
    // A log left behind would hand the next run the previous run's score.
    if (!ctx_.paths.GamePath.empty()) {
        DeleteFileOrThrow(ctx_.files, ctx_.paths.CfgPath + ConsoleLogParser::kLogFileName);
        DeleteFileOrThrow(ctx_.files, JoinPath(ctx_.paths.GamePath, kGameBatchFileName));
    }
}

void RunResultStep::CleanUp() {
    DeleteGameLeftovers();
    ctx_.view.Pause(kPassPauseMs);
}
