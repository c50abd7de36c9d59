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
        reportNameReserved_ = false;
        reportSaved_ = false;
        startBusy_.reset();
        startRefreshRate_.reset();
        frameTimesOfRuns_.clear();
    }
    // Claims the report's name in the results folder (making the default folder when it is
    // missing); the failure naming the folder when no file can be made there, else empty.
    std::string ReserveReportName();
    // A claimed name whose report was never written is given back: a pass without a result
    // leaves no file, as it always did.
    void ReleaseUnusedReportName();
    void RecordRunResult();
    // An interactive pass the user cancelled, once its game has been ended: the run under way
    // gives no result; a report with a section gets the cancelled line, its closing lines and
    // a last save and opening; then the pass ends as after its last run. The data files
    // already hold every resolution that was finished.
    void RecordCancelled();

    // The report has its head: from now on the pass's runs are kept for the data files.
    // isoStartTime: the start in ISO 8601 with the UTC offset.
    // computerName, machineId: the PC that runs the pass, empty where unknown.
    void StartRecord(const std::string& isoStartTime, const std::string& computerName, const std::string& machineId);
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
    // The game's log and batch file, removed after every run; CleanUp adds the pause after.
    void DeleteGameLeftovers();
    void CleanUp();
    void CreateMissingDefaultResultFolder();

    // The run just ended, added to its resolution's record.
    void NoteRun(const ScoreResult& score);
    // With "Record every frame's time": the run's figures from its capture and its capture CSV
    // beside the report; the debug log says why when none came. Never a failure: the run
    // counts with its score as without the option. Returns its frame times (none: empty).
    std::vector<double> NoteFrameTimes(RunRecord& run, const ResolutionRecord& resolution);
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
    // Appends the rows of the resolution just finished to the results table under its lock;
    // when another writer holds it too long, to this PC's side file. The notice saying so, or
    // empty when the rows are in the table.
    std::string AppendCsvRows();
    // The line per resolution and the report's and data file's paths, for the job's log.
    void WriteOutputLines(bool reportSaved);
    BatchExit OutcomeOfRuns() const;

    PassContext& ctx_;
    bool saveFailureShown_ = false;
    bool dataFailureShown_ = false;
    bool recording_ = false;
    int sectionsWritten_ = 0;  // result sections of this pass in the report
    bool reportNameReserved_ = false;  // the report's file exists, made empty at the start
    bool reportSaved_ = false;
    bool dataFilesFailed_ = false;  // the last write of the data files failed
    PassRecord record_;
    std::optional<BusyReading> startBusy_;  // of the game start under way
    std::optional<int> startRefreshRate_;
    std::vector<std::vector<double>> frameTimesOfRuns_;  // of the resolution under way, run by run
};
