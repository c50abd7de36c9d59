#include "results/run_result_step.h"

#include "runner/game_batch_file.h"
#include "settings/game_time_limit.h"

namespace {

constexpr unsigned kPauseMs = 1000;

// A run "shows a result" when its log gave a score text, or when the log held no result
// line at all: then the section says "No Score." and the report is still worth showing.
bool ShowsResult(const ScoreResult& score) {
    return !score.scoreText.empty() || (score.logFound && !score.markerFound);
}

}  // namespace

void RunResultStep::RecordRunResult() {
    if (ctx_.mode.BatchMode) {
        RecordBatch();
    } else {
        RecordInteractive();
    }
    CleanUp();
}

void RunResultStep::RecordInteractive() {
    ctx_.view.Pause(kPauseMs);
    const ScoreResult score = ConsoleLogParser::readScore(ctx_.files, ctx_.paths.CfgPath);
    const bool timedOut = ctx_.pass.RunEndedByTimeLimit;
    if (timedOut) {
        // Whatever the ended game left in its log is no result.
        ctx_.view.RepaintWindow();
        AppendSection(score, true);
        AppendTimeLimitLine();
        ctx_.debugLog.Add("FPS: No Score");
        ctx_.debugLog.Save(ctx_.paths.BenchDir);
    } else if (score.logFound) {
        ctx_.debugLog.Add("Prepare result");
        ctx_.debugLog.Save(ctx_.paths.BenchDir);
        ctx_.view.RepaintWindow();
        const bool noScore = score.hasLetter || !score.markerFound;
        AppendSection(score, noScore);
        ctx_.debugLog.Add(noScore ? "FPS: No Score" : "FPS: " + score.scoreText);
        ctx_.debugLog.Save(ctx_.paths.BenchDir);
    } else {
        ctx_.debugLog.Add("ERROR! The qconsole.log not exist!");
        ctx_.debugLog.Save(ctx_.paths.BenchDir);
    }
    SaveReport();

    if (ctx_.pass.CompletedRuns != ctx_.pass.PlannedRuns) return;
    ctx_.report.addClosingLines(ReportDocument::Mode::Interactive);
    if ((timedOut || ShowsResult(score)) && SaveReport()) {
        ctx_.view.OpenReport(ctx_.report.filePath(ctx_.paths.ResultPath));
    }
    ctx_.game.RestoreGameConfig(true);
    ctx_.debugLog.Save(ctx_.paths.BenchDir);
    ctx_.view.Pause(kPauseMs);
    ctx_.view.HideProgressPanel();
    ctx_.game.MarkPassEnded(false);
    ctx_.view.SetRunButtonEnabled(true);
}

void RunResultStep::RecordBatch() {
    ctx_.view.Pause(kPauseMs);
    const ScoreResult score = ConsoleLogParser::readScore(ctx_.files, ctx_.paths.CfgPath);
    const bool timedOut = ctx_.pass.RunEndedByTimeLimit;
    if (timedOut) {
        ctx_.view.RepaintWindow();
        AppendSection(score, true);
        AppendTimeLimitLine();
        ctx_.report.addLine(kBatchSectionEnd);
    } else if (score.logFound) {
        ctx_.view.RepaintWindow();
        // Batch mode shows the text as the game printed it, letters and all; only a log
        // without any result line has nothing to show.
        AppendSection(score, !score.markerFound);
        ctx_.report.addLine(kBatchSectionEnd);
    }
    ctx_.report.addClosingLines(ReportDocument::Mode::Batch);
    const std::string failure = timedOut || ShowsResult(score) ? SaveFailure() : std::string();
    ctx_.game.RestoreGameConfig(false);
    ctx_.view.Pause(kPauseMs);
    ctx_.view.HideProgressPanel();
    ctx_.game.MarkPassEnded(true);
    ctx_.view.SetRunButtonEnabled(true);
    // Told once the user's files are back and the pass mark is cleared: an unattended batch
    // may leave the message waiting for a long time, and nothing is at stake meanwhile.
    if (!failure.empty()) ctx_.view.ShowMessage(failure);
    ctx_.view.EndProgram();
}

void RunResultStep::AppendSection(const ScoreResult& score, bool noScore) {
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
    report.addLine(noScore ? NoScoreLine() : ScoreLine(score.scoreText));
}

void RunResultStep::AppendTimeLimitLine() {
    ctx_.report.addLine(CaptionLine(TimeLimitEndedText(ctx_.pass.RunTimeLimitSeconds)));
}

std::string RunResultStep::SaveFailure() {
    try {
        // The default folder is the program's own choice, so it is made when missing; a
        // folder the user chose and then removed is reported instead, not silently recreated.
        const std::string& folder = ctx_.paths.ResultPath;
        if (folder == DefaultResultPath(ctx_.paths.BenchDir) && !ctx_.files.FolderExists(folder)) {
            ctx_.files.CreateFolder(folder);
        }
        ctx_.report.save(ctx_.paths.ResultPath);
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

void RunResultStep::CleanUp() {
    // A log left behind would hand the next run the previous run's score.
    if (!ctx_.paths.GamePath.empty()) {
        DeleteFileOrThrow(ctx_.files, ctx_.paths.CfgPath + ConsoleLogParser::kLogFileName);
        DeleteFileOrThrow(ctx_.files, JoinPath(ctx_.paths.GamePath, kGameBatchFileName));
    }
    ctx_.view.Pause(kPauseMs);
}
