#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/debug_log.h"
#include "app/standard_streams_win.h"
#include "domain/app_paths.h"
#include "domain/switches.h"
#include "runner/batch_exit.h"

// A batch start (/BATCH, with /QUIET unattended): what it says in place of message boxes,
// how it answers questions, when its pass starts and the status the program ends with.
class UnattendedMode {
public:
    UnattendedMode(const StartupMode& mode, DebugLog& debugLog, const AppPaths& paths);

    // Opens the standard streams of a batch start (none interactively).
    void Begin();
    // What a message box would say goes to the debug log and the standard error output.
    void Tell(const std::string& text);
    // A line for the job's log on the standard output, when there is one.
    void WriteOutput(const std::string& line);
    bool AnswerRecovery(HWND owner, const std::string& question);
    // An error report unattended: told, and the window asked to close, since nobody ever would.
    // False interactively: the report shows its box.
    bool OnError(HWND window, const char* text);

    // True once, for the first call: the batch behaviour starts then.
    bool BeginBehaviour();
    // The pass has started its debug log afresh: what was told before it goes in again.
    void RetellToPassLog();

    // The end's restore, or the recovery answered unattended, could not put the user's files back.
    void FilesNotBack() { filesNotBack_ = true; }
    // 0 interactively; a batch start's BatchExit.
    int ExitStatus(bool passKeepsFilesAside, std::optional<BatchExit> passOutcome) const;

private:
    const StartupMode& mode_;
    DebugLog& debugLog_;
    const AppPaths& paths_;
    std::unique_ptr<StandardStreams> streams_;
    // Told before the pass's debug log was started; it is told again once that log is.
    std::vector<std::string> toldBeforePass_;
    // The window's activation runs on every activation; only the first one may start a pass.
    bool behaviourStarted_ = false;
    bool filesNotBack_ = false;
};
