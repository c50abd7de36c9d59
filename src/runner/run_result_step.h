#pragma once
#include "results/console_log_parser.h"
#include "results/run_record.h"
#include "results/machine_checks.h"
#include "runner/pass_ports.h"

// The step after every game run: reads the score, appends the run's section to the report
// and saves it, and after the last run finishes the pass (footer, last save and opening,
// restore, pass mark, window, and in a batch pass the program's end). It always ends by
// deleting the console log and the generated game batch file.
class RunResultStep {
public:
    explicit RunResultStep(PassContext& context) : ctx_(context) {}

    // A new pass (or a Run press in open mode): a report that cannot be saved is reported
    // again, once.
    void BeginPass() {
        saveFailureShown_ = false;
        dataFailureShown_ = false;
        recording_ = false;
        sectionsWritten_ = 0;
        startBusy_.reset();
        startRefreshRate_.reset();
    }
    void RecordRunResult();
    // An interactive pass the user cancelled, once its game has been ended: the run under way
    // gives no result; a report with a section gets the cancelled line, its closing lines and
    // a last save and opening; then the pass ends as after its last run. The data files
    // already hold every resolution that was finished.
    void RecordCancelled();

    // The report has its head: from now on the pass's runs are kept for the data files.
    // isoStartTime: the start in ISO 8601 with the UTC offset.
    void StartRecord(const std::string& isoStartTime);
    // A run that is not its resolution's last: its result is kept for the resolution's
    // section, and the log and batch file are cleaned up as after every run.
    void RecordRepeat();
    // What the machine was like right before a game start: kept for the run's record, and the
    // power findings go into the report at once.
    void NoteGameStart(const std::optional<BusyReading>& busy, const PowerReading& power,
                       std::optional<int> refreshRate);
    // Findings about the whole pass: a red line after the machine description and a debug
    // line each, once per code.
    void NotePassFlags(const std::vector<RunFlag>& flags);
    // The power plan the pass switched from, put back (when it switched); on every way out.
    void PutBackPlan();

private:
    void RecordInteractive();
    void RecordBatch();
    // shown: the Score's text, none for "No Score.".
    void AppendSection(const std::optional<std::string>& shown);
    // The added line of a resolution one of whose games passed its time limit and was ended.
    void AppendTimeLimitLine();
    // Writes the report: empty when done, else the message naming the file.
    std::string SaveFailure();
    // False when the file could not be written; the first failure of a pass is shown.
    bool SaveReport();
    void CleanUp();

    // The run just ended, added to its resolution's record.
    void NoteRun(const ScoreResult& score);
    // More than one run (or a warm-up) per resolution: the section shows their statistics.
    bool SeveralRuns() const;
    // With several runs a section stands once one of them left its log or passed its limit.
    bool AnySectionRun() const;
    bool AnyRunEndedByTimeLimit() const;
    // The score the section of the resolution just finished shows: none for "No Score.".
    std::optional<std::string> SectionScore(const ScoreResult& score, bool letterMeansNoScore) const;
    void AddFlagDebugLines();
    // The JSON file of the pass and the CSV rows of the resolution just finished; empty when
    // written, else the message naming what failed.
    std::string DataFilesFailure();
    void WriteDataFiles();
    void AppendCsvRows(const std::string& rows);

    PassContext& ctx_;
    bool saveFailureShown_ = false;
    bool dataFailureShown_ = false;
    bool recording_ = false;
    int sectionsWritten_ = 0;  // result sections of this pass in the report
    PassRecord record_;
    std::optional<BusyReading> startBusy_;  // of the game start under way
    std::optional<int> startRefreshRate_;
};
