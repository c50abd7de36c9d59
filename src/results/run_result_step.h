#pragma once
#include "results/console_log_parser.h"
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
    void BeginPass() { saveFailureShown_ = false; }
    void RecordRunResult();

private:
    void RecordInteractive();
    void RecordBatch();
    void AppendSection(const ScoreResult& score, bool noScore);
    // The added line of a run whose game passed its time limit and was ended.
    void AppendTimeLimitLine();
    // Writes the report: empty when done, else the message naming the file.
    std::string SaveFailure();
    // False when the file could not be written; the first failure of a pass is shown.
    bool SaveReport();
    void CleanUp();

    PassContext& ctx_;
    bool saveFailureShown_ = false;
};
