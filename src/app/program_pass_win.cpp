#include "app/program_pass_win.h"

#include "app/main_form_win.h"
#include "platform/shell_win.h"
#include "results/report_document_win.h"

void MainFormPassView::SetProgressCaption(const std::string& caption) { form_.SetProgressCaption(caption); }

void MainFormPassView::ShowProgressPanel() { form_.ShowProgressPanel(true); }

void MainFormPassView::HideProgressPanel() { form_.ShowProgressPanel(false); }

void MainFormPassView::SetRunButtonEnabled(bool enabled) { form_.SetBenchButtonEnabled(enabled); }

void MainFormPassView::RepaintWindow() {
    RedrawWindow(form_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void MainFormPassView::ShowMessage(const std::string& text) { form_.ShowMessage(text); }

void MainFormPassView::Pause(unsigned milliseconds) { Sleep(milliseconds); }

void MainFormPassView::OpenReport(const std::string& filePath) { ::OpenReport(form_.Handle(), filePath); }

void MainFormPassView::EndProgram() {
    // The pass still cleans up after asking; the window closes once the handler returns.
    PostMessageA(form_.Handle(), WM_CLOSE, 0, 0);
}

ProgramPass::ProgramPass(MainForm& form, WindowState w)
    : shellFiles_(form.Handle()),
      config_(w.files, shellFiles_, w.paths),
      gameSide_({w.mode, w.paths, w.options, w.bench, state_, w.log, w.store, w.files, shellFiles_, config_}),
      machine_(w.mode, w.paths, w.files, report_, w.log),
      view_(form),
      context_{w.mode, w.paths, w.options, w.bench, state_, w.log, report_, w.store, w.files, view_, gameSide_},
      dxrun_(form.Handle()),
      cp_(form.Handle()),
      controller_(context_, machine_, dxrun_, cp_, {SystemFolder(),
                                                    [this] {
                                                        // Both forms of the start come from one reading.
                                                        startMoment_ = CurrentMoment();
                                                        return FormatStartTime(startMoment_.local, LOCALE_USER_DEFAULT);
                                                    },
                                                    [this] { return IsoTimeOf(startMoment_); }}) {}
