#include "app/main_form_win.h"

#include <commctrl.h>

#include <exception>
#include <vector>

#include "app/about_box_win.h"
#include "app/control_ids.h"
#include "app/elapsed_text.h"
#include "app/enter_key_win.h"
#include "app/pointer_leave_win.h"
#include "platform/confirm_box_win.h"
#include "platform/error_report_win.h"
#include "platform/shell_win.h"
#include "runner/game_batch_file.h"
#include "settings/data_folder_win.h"
#include "settings/display_modes_win.h"
#include "settings/settings_load.h"
#include "ui/artwork_win.h"
#include "ui/dpi_win.h"

namespace {

constexpr char kMessageCaption[] = "Lurkmark";
// Posted at the end of the start-up: the batch behaviour starts once the message loop runs.
constexpr UINT kStartBatchBehaviour = WM_APP + 40;

}  // namespace

MainForm::MainForm()
    : settings_(registry_, [this](const std::string& text) {
          if (mode_.Quiet) return Tell(text);
          MessageBoxA(Handle(), text.c_str(), kMessageCaption, MB_OK | MB_ICONWARNING);
      }) {}
MainForm::~MainForm() = default;

bool MainForm::Create(const ArgumentList& args) {
    mode_ = ReadStartupMode(args);
    if (mode_.BatchMode) benchOptions_ = ReadBatchOptions(args);
    unattended_.Begin();
    if (!mode_.BatchMode) AboutBox::ShowSplash();
    if (!CreateCentred("TForm1", "Lurkmark", WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_SYSMENU,
                       WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, Scale(kClientWidth), Scale(kClientHeight), nullptr)) {
        return false;
    }
    ShowProgramIcon();
    CreateControls();
    paths_.BenchDir = ProgramFolder();
    paths_.DataDir = DataDirFor(paths_.BenchDir);
    pass_ = std::make_unique<ProgramPass>(
        *this, ProgramPass::WindowState{mode_, paths_, options_, benchOptions_, debugLog_, settings_, files_});
    batchUi_ = std::make_unique<BatchUiWin>(Handle(), paths_.WorkDir());
    batchList_ = std::make_unique<BatchList>(*batchUi_, paths_.WorkDir());
    online_ = std::make_unique<OnlineCommands>(Handle(), settings_, debugLog_, paths_);
    ShowPage(kAboutPage);
    LoadSettingsReportingErrors();
    ShowOptions();
    startupDone_ = true;
    // An activation during the start-up (the recovery question's box handing activation back)
    // is too early, and after the question Windows may not activate the window at all: the
    // batch behaviour must not hang on either.
    if (mode_.BatchMode) PostMessageA(Handle(), kStartBatchBehaviour, 0, 0);
    return true;
}

// The taskbar, Alt+Tab and the window menu show the program's icon (resource 1).
void MainForm::ShowProgramIcon() {
    const struct {
        WPARAM which;
        int metric;
    } icons[] = {{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}};
    for (const auto& icon : icons) {
        const int side = GetSystemMetrics(icon.metric);
        HANDLE image = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, side, side, LR_SHARED);
        if (image) SendMessageA(Handle(), WM_SETICON, icon.which, reinterpret_cast<LPARAM>(image));
    }
}

void MainForm::LoadSettingsReportingErrors() {
    auto recovery = [this] {
        // The plan is the program's own change: put back without a question.
        pass_->PutBackLeftOverPowerPlan();
        recoveryLeftFilesAside_ =
            !pass_->Config().StartupRecovery(settings_, [this](const std::string& text) { return unattended_.AnswerRecovery(Handle(), text); });
    };
    SettingsLoadContext ctx{settings_, files_, BuildDisplayModeList, recovery, &secrets_};
    try {
        const std::string problem = LoadSettings(ctx, options_, paths_);
        if (mode_.Quiet && recoveryLeftFilesAside_) {
            // Unattended, a pass over files still set aside would only add to them: the
            // program ends and says so; the next start asks again.
            Tell("Your game settings files could not all be put back; they stay set aside in the game's "
                 "base folder. The benchmark was not started.");
            unattended_.FilesNotBack();
            PostMessageA(Handle(), WM_CLOSE, 0, 0);
        }
        if (!problem.empty() && mode_.Quiet) Tell(problem);
        if (!problem.empty() && !mode_.Quiet) MessageBoxA(Handle(), problem.c_str(), kMessageCaption, MB_OK | MB_ICONERROR);
    } catch (const std::exception& e) {
        // The rest of the load is skipped; the window still opens.
        ReportUnhandledError(Handle(), e);
    }
}

void MainForm::BenchButtonClick() {
    pass_->BenchButtonClick();
}

void MainForm::ShowProgressPanel(bool shown) {
    if (!shown) KillTimer(Handle(), kElapsedTimer);
    HWND panel = Control(ctl::Panel1);
    if (shown) SetWindowPos(panel, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(panel, shown ? SW_SHOW : SW_HIDE);
    KeepKeyboardFocus();
    // A pass has ended: its data file is now in the results folder. A batch program ends now
    // and shows no list: it leaves a shared folder of many PCs and its index alone.
    if (!shown && !mode_.BatchMode) {
        resultsPage_.Reload(options_.resultFolder);
        resultsWindow_.Reload(options_.resultFolder);
    }
}

// Every caption names a new stage of the pass (the machine description, then each run):
// the elapsed time starts again from it.
void MainForm::SetProgressCaption(const std::string& text) {
    SetText(ctl::Label2, text);
    stageStartTick_ = GetTickCount();
    SetText(ctl::ElapsedLabel, ElapsedText(0));
    SetTimer(Handle(), kElapsedTimer, 1000, nullptr);
}

void MainForm::ShowElapsedTime() {
    SetText(ctl::ElapsedLabel, ElapsedText((GetTickCount() - stageStartTick_) / 1000));
}

void MainForm::SetBenchButtonEnabled(bool enabled) {
    Enable(ctl::BenchButton, enabled);
    KeepKeyboardFocus();
}

// The focus never rests on a disabled Run, a hidden page or the bare window, where Tab and
// Enter would reach nothing: during a pass Cancel takes it, after the pass Run.
void MainForm::KeepKeyboardFocus() {
    if (GetActiveWindow() != Handle()) return;  // a message box has it, and gives it back
    HWND focus = GetFocus();
    if (focus && focus != Handle() && IsWindowVisible(focus) && IsWindowEnabled(focus)) return;
    HWND target = IsWindowVisible(Control(ctl::Panel1)) ? Control(ctl::ProgressCancel) : Control(ctl::BenchButton);
    if (IsWindowVisible(target) && IsWindowEnabled(target)) SetFocus(target);
}

void MainForm::ShowMessage(const std::string& text) {
    if (mode_.Quiet) return Tell(text);
    MessageBoxA(Handle(), text.c_str(), kMessageCaption, MB_OK);
}

void MainForm::WriteOutput(const std::string& line) {
    unattended_.WriteOutput(line);
}

void MainForm::Tell(const std::string& text) {
    unattended_.Tell(text);
}

int MainForm::ExitStatus() const {
    return unattended_.ExitStatus(pass_->KeepFilesAside(), pass_->Outcome());
}

bool MainForm::Confirm(const std::string& text) {
    return AskYesNo(Handle(), text);
}

void MainForm::MinimiseApplication() {
    ShowWindow(Handle(), SW_MINIMIZE);
}

LRESULT MainForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ACTIVATE:
        // As a dialog box does: the focus comes back to the control that had it when the
        // window was left (for the game, a message box), not to the bare window.
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (IsChild(Handle(), GetFocus())) lastFocus_ = GetFocus();
            break;
        }
        FormActivate();
        if (HIWORD(wParam) || !lastFocus_ || !IsChild(Handle(), lastFocus_)) break;
        SetFocus(lastFocus_);
        KeepKeyboardFocus();
        return 0;
    case kStartBatchBehaviour:
        FormActivate();
        return 0;
    case kUnattendedErrorMessage:
        return unattended_.OnError(Handle(), reinterpret_cast<const char*>(lParam)) ? TRUE : FALSE;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kElapsedTimer) ShowElapsedTime();
        return 0;
    case WM_NEXTDLGCTL:
        MoveFocus(wParam, lParam);
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == tooltip_ && header->code == TTN_GETDISPINFOA) {
            OnHintNeeded(*reinterpret_cast<NMTTDISPINFOA*>(lParam));
            return 0;
        }
        LRESULT result = 0;
        if (resultsPage_.OnNotify(*header, result)) return result;
        break;
    }
    case kPointerLeftMessage:
        OnPointerLeft(static_cast<int>(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        return painter_.ControlColour(msg, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
        painter_.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_LBUTTONDOWN:
        Image1MouseDown();
        return 0;
    case WM_CONTEXTMENU:
        OnContextMenu(reinterpret_cast<HWND>(wParam), lParam);
        return 0;
    case WM_SETCURSOR: {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
        if (id == ctl::Image2 || id == ctl::Image3 || id == ctl::BenchButton) {
            ShowHandPointer();
            return TRUE;
        }
        break;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintWithPicture(Handle(), background_.Get(), Scale(kClientWidth), Scale(kClientHeight));
        return 0;
    case WM_CLOSE:
        if (!pass_->MayLeave(mode_.BatchMode ? ProgramPass::Leaving::Unattended : ProgramPass::Leaving::ByUser)) {
            return 0;
        }
        DestroyWindow(Handle());
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // The process may be ended as soon as this returns: the game goes first, then the
        // user's files come back, as at any other end.
        if (wParam) {
            pass_->MayLeave(ProgramPass::Leaving::Unattended);
            DestroyWindow(Handle());
        }
        return 0;
    case WM_DESTROY:
        FormDestroy();
        PostQuitMessage(ExitStatus());
        return 0;
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

void MainForm::OnCommand(int id, int code) {
    if (OnOptionCommand(id, code)) return;
    // Buttons, group bar items and menu commands: clicked, by mouse or keyboard alike.
    struct Command {
        int id;
        void (*run)(MainForm&);
    };
    static const Command commands[] = {
        {IDOK, [](MainForm& f) { PressFocusedButton(f.Handle()); }},  // Enter
        {ctl::Image2, [](MainForm& f) { PostMessageA(f.Handle(), WM_CLOSE, 0, 0); }},
        {ctl::Image3, [](MainForm& f) { f.MinimiseApplication(); }},
        {ctl::BenchButton, [](MainForm& f) { f.BenchButtonClick(); }},
        {ctl::ProgressCancel, [](MainForm& f) { f.pass_->CancelClick(); }},
        {ctl::RzGroup1Items0, [](MainForm& f) { f.ShowPage(0); }},
        {ctl::RzGroup1Items1, [](MainForm& f) { f.ShowPage(1); }},
        {ctl::RzGroup1Items2, [](MainForm& f) { f.ShowPage(2); }},
        {ctl::RzGroup1Items3, [](MainForm& f) { f.ShowPage(5); }},
        {ctl::RzGroup1Items4, [](MainForm& f) { f.ShowResultsPage(); }},
        {ctl::ResultsCompare, [](MainForm& f) { f.resultsPage_.CompareClick(); }},
        {ctl::ResultsOpenFolder, [](MainForm& f) { f.OpenResFolderClick(); }},
        {ctl::ResultsWindowOpen, [](MainForm& f) { f.resultsWindow_.Show(f.Handle(), f.options_.resultFolder); }},
        {ctl::RzGroup3Items0, [](MainForm& f) { f.online_->OpenHelp(*f.waitForm_); }},
        {ctl::RzGroup3Items2, [](MainForm& f) { f.ShowPage(3); }},
        {ctl::RzGroup3Items3, [](MainForm& f) { f.ShowPage(4); }},
        {ctl::RzGroup3Items4, [](MainForm& f) { f.online_->OpenHomePage(); }},
        {ctl::RzToolButton2, [](MainForm& f) { f.RzToolButton2Click(); }},
        {ctl::RzToolButton1, [](MainForm& f) { f.RzToolButton1Click(); }},
        {ctl::OpenResFolder, [](MainForm& f) { f.OpenResFolderClick(); }},
        {ctl::CusPossibilities, [](MainForm& f) { f.CusPossibilitiesClick(); }},
        {ctl::DemoEditButton, [](MainForm& f) { f.DemoEditButtonClick(); }},
        {ctl::RzToolButton3, [](MainForm& f) { f.RzToolButton3Click(); }},
        {ctl::Newbatch1, [](MainForm& f) { f.batchList_->Newbatch1Click(); }},
        {ctl::Viewbatch1, [](MainForm& f) { f.batchList_->Viewbatch1Click(); }},
        {ctl::Savebatch1, [](MainForm& f) { f.batchList_->Savebatch1Click(); }},
        {ctl::Addsettings1, [](MainForm& f) { f.batchList_->Addsettings1Click(f.options_); }},
    };
    for (const Command& command : commands) {
        if (command.id == id) return command.run(*this);
    }
}

// "Update benchmark" on the proxy page, with the proxy fields as the user left them.
void MainForm::RzToolButton3Click() {
    online_->CheckForUpdate({IsChecked(ctl::UseProxyBox), TextOf(ctl::ProxyServerEdit), TextOf(ctl::ProxyPortEdit),
                             TextOf(ctl::ProxyUsernameEdit), TextOf(ctl::ProxyPassEdit)});
}

void MainForm::OnHintNeeded(NMTTDISPINFOA& info) {
    hintText_ = TextOf(GetDlgCtrlID(reinterpret_cast<HWND>(info.hdr.idFrom)));
    info.lpszText = const_cast<char*>(hintText_.c_str());
}

void MainForm::OnContextMenu(HWND source, LPARAM position) {
    HWND pageArea = Control(ctl::PageControl);
    HWND panel = Control(ctl::Panel1);
    const bool onBackground = source == Handle();
    const bool onPages = source == pageArea || IsChild(pageArea, source) || source == panel || IsChild(panel, source);
    if (!onBackground && !onPages) return;
    POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (position == -1) GetCursorPos(&at);  // opened from the keyboard
    TrackPopupMenu(popupMenu_.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
}

void MainForm::Image1MouseDown() {
    // The system moves the window as if its caption bar were dragged.
    ReleaseCapture();
    SendMessageA(Handle(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
}

void MainForm::ShowPage(int index) {
    for (int i = 0; i < kPageCount; ++i) ShowWindow(pages_[i], i == index ? SW_SHOW : SW_HIDE);
}

// The folder is read afresh each time the page opens: passes may have been added or removed.
void MainForm::ShowResultsPage() {
    resultsPage_.Reload(options_.resultFolder);
    ShowPage(kResultsPage);
}

void MainForm::OpenResFolderClick() {
    const std::string folder = TextOf(ctl::ResEdit);
    if (folder.empty()) return;
    if (files_.FolderExists(folder)) {
        ShellOpen(folder);
    } else {
        ShowMessage("The results directory not exist.");
    }
}

void MainForm::FormActivate() {
    if (!mode_.BatchMode || !startupDone_ || !unattended_.BeginBehaviour()) return;
    if (mode_.OpenMode) {
        if (files_.FolderExists(options_.resultFolder)) ShellOpen(options_.resultFolder);
        PostMessageA(Handle(), WM_CLOSE, 0, 0);
        return;
    }
    // Unattended, the window is never shown at all.
    if (!mode_.Quiet) MinimiseApplication();
    BenchButtonClick();
    unattended_.RetellToPassLog();
}

void MainForm::FormDestroy() {
    try {
        pass_->PutBackLeftOverPowerPlan();
        if (!pass_->KeepFilesAside()) pass_->Config().Restore(nullptr);
    } catch (const std::exception& e) {
        // The user learns that the files could not all be put back; the clean-up goes on.
        unattended_.FilesNotBack();
        ReportUnhandledError(Handle(), e);
    }
    if (!paths_.GamePath.empty()) {
        files_.DeleteFileIfExists(JoinPath(paths_.GamePath, kGameBatchFileName));
        files_.DeleteFileIfExists(paths_.CfgPath + "qconsole.log");
    }
    files_.DeleteFileIfExists(paths_.WorkDir() + kBatchViewFileName);
}

HWND MainForm::Control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

std::string MainForm::TextOf(int id) const {
    HWND control = Control(id);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(control, &text[0], static_cast<int>(text.size()))));
    return text;
}

void MainForm::SetText(int id, const std::string& text) {
    SetWindowTextA(Control(id), text.c_str());
}

bool MainForm::IsChecked(int id) const {
    return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainForm::SetChecked(int id, bool checked) {
    SendMessageA(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainForm::Enable(int id, bool enabled) {
    EnableWindow(Control(id), enabled ? TRUE : FALSE);
}

// The dialog manager moves the focus with this message (a mnemonic on a label, for one);
// only dialog windows answer it by themselves.
void MainForm::MoveFocus(WPARAM target, LPARAM byHandle) {
    HWND next = LOWORD(byHandle) ? reinterpret_cast<HWND>(target)
                                 : GetNextDlgTabItem(Handle(), GetFocus(), target != 0);
    if (next) SetFocus(next);
}
