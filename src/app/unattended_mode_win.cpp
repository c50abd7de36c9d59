#include "app/unattended_mode_win.h"

#include <exception>

#include "platform/confirm_box_win.h"

UnattendedMode::UnattendedMode(const StartupMode& mode, DebugLog& debugLog, const AppPaths& paths)
    : mode_(mode), debugLog_(debugLog), paths_(paths) {}

void UnattendedMode::Begin() {
    if (mode_.BatchMode) streams_ = std::make_unique<StandardStreams>();
}

void UnattendedMode::Tell(const std::string& text) {
    streams_->Err(text);
    debugLog_.Add(text);
    if (!behaviourStarted_) toldBeforePass_.push_back(text);
    try {
        debugLog_.Save(paths_.WorkDir());
    } catch (const std::exception& e) {
        streams_->Err(e.what());
    }
}

void UnattendedMode::WriteOutput(const std::string& line) {
    if (streams_) streams_->Out(line);
}

bool UnattendedMode::AnswerRecovery(HWND owner, const std::string& question) {
    if (!mode_.Quiet) return AskYesNo(owner, question);
    Tell(question + " Yes (/QUIET).");
    return true;
}

bool UnattendedMode::OnError(HWND window, const char* text) {
    if (!mode_.Quiet) return false;
    Tell(text);
    // Nobody would ever close the window: the program ends, putting the user's files back.
    PostMessageA(window, WM_CLOSE, 0, 0);
    return true;
}

bool UnattendedMode::BeginBehaviour() {
    if (behaviourStarted_) return false;
    behaviourStarted_ = true;
    return true;
}

void UnattendedMode::RetellToPassLog() {
    for (const std::string& text : toldBeforePass_) debugLog_.Add(text);
    if (!toldBeforePass_.empty()) debugLog_.Save(paths_.WorkDir());
    toldBeforePass_.clear();
}

int UnattendedMode::ExitStatus(bool passKeepsFilesAside, std::optional<BatchExit> passOutcome) const {
    if (!mode_.BatchMode || mode_.OpenMode) return static_cast<int>(BatchExit::AllScored);
    if (filesNotBack_ || passKeepsFilesAside) return static_cast<int>(BatchExit::FilesNotBack);
    return static_cast<int>(passOutcome.value_or(BatchExit::InternalError));
}
