#include "app/program_pass_win.h"

#include "platform/shell_win.h"
#include "runner/pass_end.h"
#include "results/report_document_win.h"
#include "sysinfo/computer_identity_win.h"

void WindowPassView::SetProgressCaption(const std::string& caption) { form_.SetProgressCaption(caption); }

void WindowPassView::ShowProgressPanel() { form_.ShowProgressPanel(true); }

void WindowPassView::HideProgressPanel() { form_.ShowProgressPanel(false); }

void WindowPassView::SetRunButtonEnabled(bool enabled) { form_.SetBenchButtonEnabled(enabled); }

void WindowPassView::RepaintWindow() {
    RedrawWindow(form_.OwnerWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void WindowPassView::ShowMessage(const std::string& text) { form_.ShowMessage(text); }

void WindowPassView::Pause(unsigned milliseconds) { Sleep(milliseconds); }

void WindowPassView::OpenReport(const std::string& filePath) { ::OpenReport(form_.OwnerWindow(), filePath); }

void WindowPassView::WriteOutput(const std::string& line) { form_.WriteOutput(line); }

void WindowPassView::EndProgram() {
    // The pass still cleans up after asking; the window closes once the handler returns.
    PostMessageA(form_.OwnerWindow(), WM_CLOSE, 0, 0);
}

namespace {

constexpr DWORD kGameEndWaitMs = 15000;
constexpr char kGameNotEnded[] =
    "The benchmark game could not be ended. Your own game settings stay set aside; "
    "the program offers to put them back at its next start.";
constexpr char kLeaveQuestion[] =
    "A benchmark game is still running. Do you want to end it and put your own game settings back?";

}  // namespace

ProgramPass::ProgramPass(PassWindow& form, WindowState w)
    : form_(form),
      paths_(w.paths),
      log_(w.log),
      shellFiles_(form.OwnerWindow(), w.mode.Quiet),
      config_(w.files, shellFiles_, w.paths),
      gameSide_({w.mode, w.paths, w.options, w.bench, state_, w.log, w.store, w.files, shellFiles_, config_}),
      machine_(w.mode, w.paths, w.files, report_, w.log),
      view_(form),
      context_{w.mode, w.paths, w.options, w.bench, state_, w.log, report_, w.store, w.files, view_, gameSide_, &watch_},
      dxrun_(form.OwnerWindow()),
      cp_(form.OwnerWindow()),
      controller_(context_, machine_, dxrun_, cp_, {SystemFolder(),
                                                    [this] {
                                                        // Both forms of the start come from one reading.
                                                        startMoment_ = CurrentMoment();
                                                        return FormatStartTime(startMoment_.local, LOCALE_USER_DEFAULT);
                                                    },
                                                    [this] { return IsoTimeOf(startMoment_); }, ComputerName,
                                                    MachineGuid}) {
    config_.KeepRecordIn(&w.store);
}

bool ProgramPass::MayLeave(Leaving how) {
    if (!cp_.Running()) {
        // At most the diagnostics tool runs: nothing of the user's is set aside yet.
        AbandonPass();
        if (!dxrun_.EndProcessTree(kGameEndWaitMs)) log_.Add("The display diagnostics tool could not be ended.");
        // Between two runs (a message on screen) the pass's power plan is still active.
        PutBackLeftOverPowerPlan();
        return true;
    }
    if (how == Leaving::ByUser && !form_.Confirm(kLeaveQuestion)) return false;
    // During the question the game may have ended and the pass gone on or finished.
    if (!cp_.Running()) return MayLeave(how);
    AbandonPass();
    if (!cp_.EndProcessTree(kGameEndWaitMs)) {
        KeepFilesAsideForGame();
        return true;
    }
    log_.Add("The benchmark game was ended because the program was closed.");
    PassEnd end;
    end.window = false;  // the window is closing
    EndPass(context_, end);
    return true;
}

void ProgramPass::AbandonPass() {
    // No further step of the pass may run: the ends of processes ended now are not reported.
    dxrun_.SetOnTerminate({});
    cp_.SetOnTerminate({});
    controller_.ReleaseUnusedReportName();
}

void ProgramPass::PutBackLeftOverPowerPlan() {
    PassEnd end;
    end.filesBack = false;
    end.saveLog = false;
    end.window = false;
    EndPass(context_, end);
}

void ProgramPass::KeepFilesAsideForGame() {
    // Put back now, the user's preyconfig.cfg would be overwritten when the game exits. The
    // power plan is no file of the game's: it goes back whatever the game does.
    PutBackLeftOverPowerPlan();
    keepFilesAside_ = true;
    log_.Add(kGameNotEnded);
    log_.Save(paths_.WorkDir());
}

void ProgramPass::CancelClick() {
    if (!controller_.Cancel()) return;
    // No question: the button says what it does, and what was scored is kept. Once the
    // process is gone its end is reported, and that closes the pass.
    const bool game = cp_.Running();
    if ((game ? cp_ : dxrun_).EndProcessTree(kGameEndWaitMs)) return;
    if (!game) {
        // Nothing of the user's is set aside yet; the panel stays until the tool ends.
        log_.Add("The display diagnostics tool could not be ended.");
        log_.Save(paths_.WorkDir());
        return;
    }
    KeepFilesAsideForGame();
    form_.ShowMessage(kGameNotEnded);
}
