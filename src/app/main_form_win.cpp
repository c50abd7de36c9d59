#include "app/main_form_win.h"

#include <commctrl.h>

#include <exception>
#include <vector>

#include "app/about_box_win.h"
#include "app/browse_dialogs_win.h"
#include "app/control_ids.h"
#include "app/elapsed_text.h"
#include "app/enter_key_win.h"
#include "app/picker_form_win.h"
#include "app/pointer_leave_win.h"
#include "online/auto_updater_win.h"
#include "online/help_command_win.h"
#include "online/maker_hosts.h"
#include "online/update_command.h"
#include "online/update_files_win.h"
#include "online/updater_config.h"
#include "platform/confirm_box_win.h"
#include "platform/error_report_win.h"
#include "platform/shell_win.h"
#include "runner/game_batch_file.h"
#include "settings/data_folder_win.h"
#include "settings/display_modes_win.h"
#include "settings/option_store.h"
#include "settings/policy_key_win.h"
#include "settings/settings_load.h"
#include "ui/artwork_win.h"
#include "ui/dpi_win.h"

namespace {

constexpr char kMessageCaption[] = "Lurkmark";
// Posted at the end of the start-up: the batch behaviour starts once the message loop runs.
constexpr UINT kStartBatchBehaviour = WM_APP + 40;

struct ChoiceGroup {
    int firstItemId;
    int count;
};
constexpr ChoiceGroup kAspectItems{ctl::AspectItemBase, 3};
constexpr ChoiceGroup kDemoItems{ctl::DemoItemBase, 3};
constexpr ChoiceGroup kShaderItems{ctl::ShaderItemBase, 4};

int ItemIndex(int id, const ChoiceGroup& group) {
    return id >= group.firstItemId && id < group.firstItemId + group.count ? id - group.firstItemId : -1;
}

}  // namespace

MainForm::MainForm()
    : settings_(registry_, [this](const std::string& text) {
          if (mode_.Quiet) return Tell(text);
          MessageBoxA(Handle(), text.c_str(), kMessageCaption, MB_OK | MB_ICONWARNING);
      }) {}
MainForm::~MainForm() = default;

bool MainForm::Create(const ArgumentList& args) {
    mode_ = ReadStartupMode(args);
    if (mode_.BatchMode) {
        benchOptions_ = ReadBatchOptions(args);
        streams_ = std::make_unique<StandardStreams>();
    }
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
    updater_ = std::make_unique<AutoUpdater>(Handle(), ProgramPath());
    updater_->Events() = MainWindowUpdateEvents(Handle(), kMessageCaption);
    updater_->Events().OnRefused = [this](const std::string& line) { LogUpdateRefusal(line); };
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
            !pass_->Config().StartupRecovery(settings_, [this](const std::string& text) { return AnswerRecovery(text); });
    };
    SettingsLoadContext ctx{settings_, files_, BuildDisplayModeList, recovery, &secrets_};
    try {
        const std::string problem = LoadSettings(ctx, options_, paths_);
        if (mode_.Quiet && recoveryLeftFilesAside_) {
            // Unattended, a pass over files still set aside would only add to them: the
            // program ends and says so; the next start asks again.
            Tell("Your game settings files could not all be put back; they stay set aside in the game's "
                 "base folder. The benchmark was not started.");
            filesNotBack_ = true;
            PostMessageA(Handle(), WM_CLOSE, 0, 0);
        }
        if (!problem.empty() && mode_.Quiet) Tell(problem);
        if (!problem.empty() && !mode_.Quiet) MessageBoxA(Handle(), problem.c_str(), kMessageCaption, MB_OK | MB_ICONERROR);
    } catch (const std::exception& e) {
        // The rest of the load is skipped; the window still opens.
        ReportUnhandledError(Handle(), e);
    }
}

// Puts the loaded options into the controls. A radio group whose choice the load set runs
// its change event, as a user's choice would.
void MainForm::ShowOptions() {
    showingOptions_ = true;
    SetText(ctl::PreyPathEdit, options_.gameFolder);
    SetText(ctl::ResEdit, options_.resultFolder);
    SetText(ctl::NoteEdit, options_.note);
    SetText(ctl::Label6, options_.versionLabel);
    for (ResolutionPosition i = 0; i < kResolutionCount; ++i) {
        const int id = ctl::ResItemBase + static_cast<int>(i);
        SetChecked(id, options_.resolutions[i].checked);
        Enable(id, options_.resolutions[i].enabled);
    }
    SetChecked(ctl::cusresbox, options_.customOn);
    SetText(ctl::CusWidth, options_.customWidth);
    SetText(ctl::CusHeight, options_.customHeight);
    for (int id : {ctl::CusWidth, ctl::CusHeight, ctl::CusPossibilities}) Enable(id, options_.customFieldsEnabled);
    SelectItem(kAspectItems.firstItemId, kAspectItems.count, options_.aspect);
    SelectItem(kDemoItems.firstItemId, kDemoItems.count, options_.demo);
    SetText(ctl::DemoEdit, options_.demoFile);
    Enable(ctl::DemoEdit, options_.demoFileEnabled);
    Enable(ctl::DemoEditButton, options_.demoFileEnabled);
    SelectItem(kShaderItems.firstItemId, kShaderItems.count, options_.shader);
    SendMessageA(Control(ctl::AFBox), CB_SETCURSEL, options_.af, 0);
    SendMessageA(Control(ctl::AABox), CB_SETCURSEL, options_.aa, 0);
    SetChecked(ctl::BoostCheckBox, options_.boost);
    SendMessageA(Control(ctl::RepeatsBox), CB_SETCURSEL, options_.repeats - 1, 0);
    SetChecked(ctl::WarmUpCheckBox, options_.warmUp);
    SetChecked(ctl::BatchQuietCheckBox, options_.batchQuiet);
    SetChecked(ctl::HighPerfCheckBox, options_.highPerformancePlan);
    SetChecked(ctl::UseProxyBox, options_.useProxy);
    SetText(ctl::ProxyServerEdit, options_.proxyServer);
    SetText(ctl::ProxyPortEdit, options_.proxyPort);
    SetText(ctl::ProxyUsernameEdit, options_.proxyUsername);
    SetText(ctl::ProxyPassEdit, options_.proxyPassword);
    for (int id : {ctl::ProxyServerEdit, ctl::ProxyPortEdit, ctl::ProxyUsernameEdit, ctl::ProxyPassEdit}) {
        Enable(id, options_.proxyFieldsEnabled);
    }
    SetText(ctl::TimeLimitEdit, std::to_string(TimeLimitMinutesShown(options_.gameTimeLimitSeconds)));
    showingOptions_ = false;
    if (options_.aspect != kNoChoice) AspectBoxChanging(options_.aspect);
    if (options_.demo != kNoChoice) demoChanging(options_.demo);
    if (options_.shader != kNoChoice) ShaderModeBoxChanging(options_.shader);
}

void MainForm::BenchButtonClick() {
    pass_->BenchButtonClick();
}

void MainForm::ShowProgressPanel(bool shown) {
    if (!shown) KillTimer(Handle(), kElapsedTimer);
    HWND panel = Control(ctl::Panel1);
    if (shown) SetWindowPos(panel, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(panel, shown ? SW_SHOW : SW_HIDE);
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
}

void MainForm::ShowMessage(const std::string& text) {
    if (mode_.Quiet) return Tell(text);
    MessageBoxA(Handle(), text.c_str(), kMessageCaption, MB_OK);
}

void MainForm::WriteOutput(const std::string& line) {
    if (streams_) streams_->Out(line);
}

void MainForm::Tell(const std::string& text) {
    streams_->Err(text);
    debugLog_.Add(text);
    if (!batchBehaviourStarted_) toldBeforePass_.push_back(text);
    try {
        debugLog_.Save(paths_.WorkDir());
    } catch (const std::exception& e) {
        streams_->Err(e.what());
    }
}

bool MainForm::AnswerRecovery(const std::string& question) {
    if (!mode_.Quiet) return AskYesNo(Handle(), question);
    Tell(question + " Yes (/QUIET).");
    return true;
}

LRESULT MainForm::OnUnattendedError(const char* text) {
    if (!mode_.Quiet) return FALSE;
    Tell(text);
    // Nobody would ever close the window: the program ends, putting the user's files back.
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
    return TRUE;
}

int MainForm::ExitStatus() const {
    if (!mode_.BatchMode || mode_.OpenMode) return static_cast<int>(BatchExit::AllScored);
    if (filesNotBack_ || pass_->KeepFilesAside()) return static_cast<int>(BatchExit::FilesNotBack);
    return static_cast<int>(pass_->Outcome().value_or(BatchExit::InternalError));
}

bool MainForm::Confirm(const std::string& text) {
    return AskYesNo(Handle(), text);
}

void MainForm::MinimiseApplication() {
    ShowWindow(Handle(), SW_MINIMIZE);
}

// What the update refused from the server, kept in the debug log beside the last pass.
void MainForm::LogUpdateRefusal(const std::string& line) {
    debugLog_.Add(line);
    try {
        debugLog_.Save(paths_.WorkDir());
    } catch (const std::exception& e) {
        ReportUnhandledError(Handle(), e);
    }
}

// A host value that is not a host is ignored, and the debug log says so.
MakerHosts MainForm::MakerHostsLogged() {
    MakerHosts hosts = ReadMakerHosts(ReadPolicyValue);
    for (const std::string& line : hosts.ignoredValues) LogUpdateRefusal(line);
    return hosts;
}

void MainForm::RzGroup3Items0Click() {
    if (helpRunning_) return;  // its "Please wait..." window is on screen
    helpRunning_ = true;
    struct Done {
        bool& running;
        ~Done() { running = false; }
    } done{helpRunning_};
    OpenHelp(Handle(), paths_, MakerHostsLogged(), *waitForm_);
}

void MainForm::RzGroup3Items4Click() {
    OpenHomePage(MakerHostsLogged());
}

// A port that is not a number ends here with the conversion error, before any check starts.
void MainForm::RzToolButton3Click() {
    ProxyConfig proxy = updater_->Settings().proxy;
    ConfigureUpdaterProxy({IsChecked(ctl::UseProxyBox), TextOf(ctl::ProxyServerEdit), TextOf(ctl::ProxyPortEdit),
                           TextOf(ctl::ProxyUsernameEdit), TextOf(ctl::ProxyPassEdit)},
                          proxy);
    UpdaterSettings& updater = updater_->Settings();
    updater = LurkmarkUpdaterSettings(settings_.Read("Programversion"), MakerHostsLogged());
    updater.proxy = proxy;
    updater_->StartUpdateCheck();
}

void MainForm::Newbatch1Click() {
    batchList_->Newbatch1Click();
}

void MainForm::Viewbatch1Click() {
    batchList_->Viewbatch1Click();
}

void MainForm::Savebatch1Click() {
    batchList_->Savebatch1Click();
}

void MainForm::Addsettings1Click() {
    batchList_->Addsettings1Click(options_);
}

LRESULT MainForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) FormActivate();
        break;
    case kStartBatchBehaviour:
        FormActivate();
        return 0;
    case kUnattendedErrorMessage:
        return OnUnattendedError(reinterpret_cast<const char*>(lParam));
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
        return OnControlColour(msg, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
        OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
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
    if (const int i = ItemIndex(id, {ctl::ResItemBase, static_cast<int>(kResolutionCount)}); i >= 0) {
        if (code == BN_CLICKED) resItemClick(i);
        return;
    }
    // The radio groups: the change event runs only when the choice really changes.
    struct RadioGroup {
        ChoiceGroup items;
        int OptionState::*choice;
        void (MainForm::*changing)(int);
    };
    static const RadioGroup radioGroups[] = {
        {kAspectItems, &OptionState::aspect, &MainForm::AspectBoxChanging},
        {kDemoItems, &OptionState::demo, &MainForm::demoChanging},
        {kShaderItems, &OptionState::shader, &MainForm::ShaderModeBoxChanging},
    };
    for (const RadioGroup& group : radioGroups) {
        const int i = ItemIndex(id, group.items);
        if (i < 0) continue;
        const bool chosen = CheckedItem(group.items.firstItemId, group.items.count) == i;
        if (code == BN_CLICKED && !showingOptions_ && chosen && options_.*group.choice != i) (this->*group.changing)(i);
        return;
    }
    switch (id) {
    case IDOK: PressFocusedButton(Handle()); break;  // Enter
    case ctl::Image2: Image2Click(); break;
    case ctl::Image3: Image3Click(); break;
    case ctl::BenchButton: BenchButtonClick(); break;
    case ctl::ProgressCancel: pass_->CancelClick(); break;
    case ctl::RzGroup1Items0: ShowPage(0); break;
    case ctl::RzGroup1Items1: ShowPage(1); break;
    case ctl::RzGroup1Items2: ShowPage(2); break;
    case ctl::RzGroup1Items3: ShowPage(5); break;
    case ctl::RzGroup1Items4: ShowResultsPage(); break;
    case ctl::ResultsCompare: resultsPage_.CompareClick(); break;
    case ctl::ResultsOpenFolder: OpenResFolderClick(); break;
    case ctl::ResultsWindowOpen: resultsWindow_.Show(Handle(), options_.resultFolder); break;
    case ctl::RzGroup3Items0: RzGroup3Items0Click(); break;
    case ctl::RzGroup3Items2: ShowPage(3); break;
    case ctl::RzGroup3Items3: ShowPage(4); break;
    case ctl::RzGroup3Items4: RzGroup3Items4Click(); break;
    case ctl::RzToolButton2: RzToolButton2Click(); break;
    case ctl::RzToolButton1: RzToolButton1Click(); break;
    case ctl::OpenResFolder: OpenResFolderClick(); break;
    case ctl::NoteEdit:
        if (code == EN_CHANGE) NoteEditChange();
        break;
    case ctl::cusresbox:
        if (code == BN_CLICKED) cusresboxClick();
        break;
    case ctl::CusPossibilities: CusPossibilitiesClick(); break;
    case ctl::DemoEditButton: DemoEditButtonClick(); break;
    case ctl::AFBox:
        if (code == CBN_SELCHANGE) AFBoxChange();
        break;
    case ctl::AABox:
        if (code == CBN_SELCHANGE) AABoxChange();
        break;
    case ctl::BoostCheckBox:
        if (code == BN_CLICKED) BoostCheckBoxClick();
        break;
    case ctl::RepeatsBox:
        if (code == CBN_SELCHANGE) RepeatsBoxChange();
        break;
    case ctl::BatchQuietCheckBox:
        if (code == BN_CLICKED) BatchQuietCheckBoxClick();
        break;
    case ctl::WarmUpCheckBox:
        if (code == BN_CLICKED) WarmUpCheckBoxClick();
        break;
    case ctl::HighPerfCheckBox:
        if (code == BN_CLICKED) HighPerfCheckBoxClick();
        break;
    case ctl::UseProxyBox:
        if (code == BN_CLICKED) UseProxyBoxClick();
        break;
    case ctl::ProxyServerEdit:
    case ctl::ProxyPortEdit:
    case ctl::ProxyUsernameEdit:
    case ctl::ProxyPassEdit:
        if (code == EN_CHANGE) ProxyFieldChange(id);
        break;
    case ctl::RzToolButton3: RzToolButton3Click(); break;
    case ctl::TimeLimitEdit:
        if (code == EN_CHANGE) TimeLimitEditChange();
        break;
    case ctl::Newbatch1: Newbatch1Click(); break;
    case ctl::Viewbatch1: Viewbatch1Click(); break;
    case ctl::Savebatch1: Savebatch1Click(); break;
    case ctl::Addsettings1: Addsettings1Click(); break;
    default: break;
    }
}

void MainForm::OnPointerLeft(int id) {
    switch (id) {
    case ctl::res: resMouseLeave(); break;
    case ctl::cusresbox: cusresboxMouseLeave(); break;
    case ctl::BoostCheckBox: BoostCheckBoxMouseLeave(); break;
    case ctl::WarmUpCheckBox: StoreFlag(settings_, "WarmUp", options_.warmUp); break;
    case ctl::BatchQuietCheckBox: StoreFlag(settings_, "BatchQuiet", options_.batchQuiet); break;
    case ctl::HighPerfCheckBox: StoreFlag(settings_, "HighPerformancePlan", options_.highPerformancePlan); break;
    case ctl::UseProxyBox: UseProxyBoxMouseLeave(); break;
    default: break;
    }
}

LRESULT MainForm::OnControlColour(UINT msg, HDC dc, HWND control) {
    char cls[16] = {};
    GetClassNameA(control, cls, sizeof cls);
    // A drop-down list's face and its opened list alike: white on the page's black.
    if (lstrcmpiA(cls, "ComboBox") == 0 || lstrcmpiA(cls, "ComboLBox") == 0) {
        SetTextColor(dc, kWhite);
        SetBkColor(dc, kPageBlack);
        return reinterpret_cast<LRESULT>(pageBrush_.Get());
    }
    if (lstrcmpiA(cls, "Edit") == 0 || msg == WM_CTLCOLORLISTBOX) {
        const int id = GetDlgCtrlID(control);
        if (id == ctl::AboutMemo) {
            SetTextColor(dc, kSilver);
            SetBkColor(dc, kPageBlack);
            return reinterpret_cast<LRESULT>(pageBrush_.Get());
        }
        if (!IsWindowEnabled(control)) {
            SetTextColor(dc, RGB(130, 130, 130));
            SetBkColor(dc, RGB(44, 46, 48));
            return reinterpret_cast<LRESULT>(disabledBrush_.Get());
        }
        const bool paleYellow = id == ctl::PreyPathEdit || id == ctl::ResEdit;
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, paleYellow ? RGB(255, 255, 225) : kWhite);
        return reinterpret_cast<LRESULT>(paleYellow ? paleYellowBrush_.Get() : whiteBrush_.Get());
    }
    // Labels, check boxes and radio buttons on the black pages.
    const int id = GetDlgCtrlID(control);
    const bool item = lstrcmpiA(cls, "Button") == 0 && id != ctl::BoostCheckBox && id != ctl::UseProxyBox &&
                      id != ctl::cusresbox && id != ctl::WarmUpCheckBox && id != ctl::BatchQuietCheckBox &&
                      id != ctl::HighPerfCheckBox;
    SetTextColor(dc, item ? kSilver : kWhite);
    SetBkColor(dc, kPageBlack);
    SetBkMode(dc, OPAQUE);
    return reinterpret_cast<LRESULT>(pageBrush_.Get());
}

void MainForm::OnDrawItem(const DRAWITEMSTRUCT& item) {
    switch (item.CtlID) {
    case ctl::BenchButton: PaintRunButton(item); break;
    case ctl::Image2: PaintWindowGlyph(item, true); break;
    case ctl::Image3: PaintWindowGlyph(item, false); break;
    case ctl::Image5: PaintLogo(item.hDC, item.rcItem); break;
    case ctl::RzToolButton1:
    case ctl::RzToolButton2:
    case ctl::DemoEditButton: PaintDarkButton(item, "..."); break;
    default: PaintDarkButton(item); break;
    }
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

void MainForm::Image2Click() {
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void MainForm::Image3Click() {
    MinimiseApplication();
}

void MainForm::ShowPage(int index) {
    for (int i = 0; i < kPageCount; ++i) ShowWindow(pages_[i], i == index ? SW_SHOW : SW_HIDE);
}

// The folder is read afresh each time the page opens: passes may have been added or removed.
void MainForm::ShowResultsPage() {
    resultsPage_.Reload(options_.resultFolder);
    ShowPage(kResultsPage);
}

void MainForm::RzToolButton2Click() {
    const auto file = BrowseForFile(Handle(), "Browse for Prey.exe...", "Prey.exe (prey.exe)|prey.exe",
                                    options_.gameFolder);
    if (!file) return;
    try {
        PickGameFolder(settings_, files_, *file, options_, paths_);
    } catch (...) {
        SetText(ctl::PreyPathEdit, options_.gameFolder);
        throw;
    }
    SetText(ctl::PreyPathEdit, options_.gameFolder);
}

void MainForm::RzToolButton1Click() {
    const auto folder = BrowseForFolder(Handle(), "Browse for results folder...", options_.resultFolder);
    if (!folder) return;
    PickResultFolder(settings_, *folder, options_, paths_);
    SetText(ctl::ResEdit, options_.resultFolder);
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

void MainForm::NoteEditChange() {
    if (showingOptions_) return;
    options_.note = TextOf(ctl::NoteEdit);
    StoreText(settings_, "Note", options_.note);
}

void MainForm::resItemClick(int index) {
    options_.resolutions[index].checked = IsChecked(ctl::ResItemBase + index);
    // Stored at once as well as when the pointer leaves, so that keyboard changes are kept.
    StoreResolutions(settings_, options_);
}

void MainForm::resMouseLeave() {
    StoreResolutions(settings_, options_);
}

void MainForm::cusresboxClick() {
    options_.customOn = IsChecked(ctl::cusresbox);
    options_.customFieldsEnabled = options_.customOn;
    for (int id : {ctl::CusWidth, ctl::CusHeight, ctl::CusPossibilities}) Enable(id, options_.customOn);
    StoreCustomResolutionSwitch(settings_, options_);
}

void MainForm::cusresboxMouseLeave() {
    StoreCustomResolutionSwitch(settings_, options_);
}

void MainForm::CusPossibilitiesClick() {
    if (!picker_) return;
    picker_->ShowModal([this](const ScreenSize& size) {
        SetText(ctl::CusWidth, size.width);
        SetText(ctl::CusHeight, size.height);
        StoreCustomSize(settings_, options_, size.width, size.height);
    });
}

void MainForm::AspectBoxChanging(int index) {
    options_.aspect = index;
    StoreChoice(settings_, "AspectRatio", index);
}

void MainForm::demoChanging(int index) {
    options_.demo = index;
    options_.demoFileEnabled = index == 2;
    Enable(ctl::DemoEdit, options_.demoFileEnabled);
    Enable(ctl::DemoEditButton, options_.demoFileEnabled);
    StoreDemoChoice(settings_, index);
}

void MainForm::DemoEditButtonClick() {
    const auto file = BrowseForFile(Handle(), "Browse for Prey demo files...", "Prey demo files (*.demo)|*.demo",
                                    FolderOfDemoFile());
    if (!file) return;
    PickUserDemo(settings_, *file, options_);
    SetText(ctl::DemoEdit, options_.demoFile);
}

// The folder of the user's demo; without one, the game's demos folder.
std::string MainForm::FolderOfDemoFile() const {
    const std::size_t slash = options_.demoFile.find_last_of('\\');
    if (slash != std::string::npos) return options_.demoFile.substr(0, slash + 1);
    return paths_.DemosPath;
}

void MainForm::ShaderModeBoxChanging(int index) {
    options_.shader = index;
    StoreChoice(settings_, "Shader", index);
}

void MainForm::AFBoxChange() {
    options_.af = static_cast<int>(SendMessageA(Control(ctl::AFBox), CB_GETCURSEL, 0, 0));
    StoreChoice(settings_, "AFLevel", options_.af);
}

void MainForm::AABoxChange() {
    options_.aa = static_cast<int>(SendMessageA(Control(ctl::AABox), CB_GETCURSEL, 0, 0));
    StoreChoice(settings_, "AALevel", options_.aa);
}

void MainForm::BoostCheckBoxClick() {
    options_.boost = IsChecked(ctl::BoostCheckBox);
    StoreFlag(settings_, "Boost", options_.boost);
}

void MainForm::RepeatsBoxChange() {
    const int index = static_cast<int>(SendMessageA(Control(ctl::RepeatsBox), CB_GETCURSEL, 0, 0));
    if (index < 0 || index >= kMaxRepeats) return;
    options_.repeats = index + 1;
    StoreRepeats(settings_, options_.repeats);
}

void MainForm::BatchQuietCheckBoxClick() {
    options_.batchQuiet = IsChecked(ctl::BatchQuietCheckBox);
    StoreFlag(settings_, "BatchQuiet", options_.batchQuiet);
}

void MainForm::HighPerfCheckBoxClick() {
    options_.highPerformancePlan = IsChecked(ctl::HighPerfCheckBox);
    StoreFlag(settings_, "HighPerformancePlan", options_.highPerformancePlan);
}

void MainForm::WarmUpCheckBoxClick() {
    options_.warmUp = IsChecked(ctl::WarmUpCheckBox);
    StoreFlag(settings_, "WarmUp", options_.warmUp);
}

void MainForm::BoostCheckBoxMouseLeave() {
    StoreFlag(settings_, "Boost", options_.boost);
}

void MainForm::UseProxyBoxClick() {
    options_.useProxy = IsChecked(ctl::UseProxyBox);
    options_.proxyFieldsEnabled = options_.useProxy;
    for (int id : {ctl::ProxyServerEdit, ctl::ProxyPortEdit, ctl::ProxyUsernameEdit, ctl::ProxyPassEdit}) {
        Enable(id, options_.useProxy);
    }
    StoreFlag(settings_, "UseProxy", options_.useProxy);
}

void MainForm::UseProxyBoxMouseLeave() {
    StoreFlag(settings_, "UseProxy", options_.useProxy);
}

void MainForm::ProxyFieldChange(int id) {
    if (showingOptions_) return;
    const std::string text = TextOf(id);
    switch (id) {
    case ctl::ProxyServerEdit:
        options_.proxyServer = text;
        StoreText(settings_, "ProxyServer", text);
        break;
    case ctl::ProxyPortEdit:
        options_.proxyPort = text;
        StoreText(settings_, "ProxyPort", text);
        break;
    case ctl::ProxyUsernameEdit:
        options_.proxyUsername = text;
        StoreText(settings_, "ProxyUsername", text);
        break;
    default:
        options_.proxyPassword = text;
        StoreProxyPassword(settings_, secrets_, text);
        break;
    }
}

void MainForm::TimeLimitEditChange() {
    if (showingOptions_) return;
    const std::string text = TextOf(ctl::TimeLimitEdit);
    // An emptied field is being retyped: nothing to store yet.
    if (text.empty()) return;
    const std::optional<int> minutes = ParseGameTimeLimit(text);
    if (!minutes || *minutes > kMaxGameTimeLimitMinutes) {
        SetText(ctl::TimeLimitEdit, std::to_string(kMaxGameTimeLimitMinutes));  // reports the change again
        return;
    }
    options_.gameTimeLimitSeconds = *minutes * 60;
    StoreGameTimeLimit(settings_, options_.gameTimeLimitSeconds);
}

void MainForm::FormActivate() {
    if (!mode_.BatchMode || !startupDone_ || batchBehaviourStarted_) return;
    batchBehaviourStarted_ = true;
    if (mode_.OpenMode) {
        if (files_.FolderExists(options_.resultFolder)) ShellOpen(options_.resultFolder);
        PostMessageA(Handle(), WM_CLOSE, 0, 0);
        return;
    }
    // Unattended, the window is never shown at all.
    if (!mode_.Quiet) MinimiseApplication();
    BenchButtonClick();
    // The pass has started its debug log afresh: what was told before it goes in again.
    for (const std::string& text : toldBeforePass_) debugLog_.Add(text);
    if (!toldBeforePass_.empty()) debugLog_.Save(paths_.WorkDir());
    toldBeforePass_.clear();
}

void MainForm::FormDestroy() {
    try {
        if (!pass_->KeepFilesAside()) pass_->Config().Restore(nullptr);
    } catch (const std::exception& e) {
        // The user learns that the files could not all be put back; the clean-up goes on.
        filesNotBack_ = true;
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

int MainForm::CheckedItem(int firstItemId, int count) const {
    for (int i = 0; i < count; ++i) {
        if (IsChecked(firstItemId + i)) return i;
    }
    return kNoChoice;
}

void MainForm::SelectItem(int firstItemId, int count, int index) {
    for (int i = 0; i < count; ++i) SetChecked(firstItemId + i, i == index);
    // Unchecking a radio item takes its tab stop away; a group with no choice keeps one on
    // its first item, so the keyboard still reaches it.
    if (index == kNoChoice) {
        HWND first = Control(firstItemId);
        SetWindowLongA(first, GWL_STYLE, GetWindowLongA(first, GWL_STYLE) | WS_TABSTOP);
    }
}

// The dialog manager moves the focus with this message (a mnemonic on a label, for one);
// only dialog windows answer it by themselves.
void MainForm::MoveFocus(WPARAM target, LPARAM byHandle) {
    HWND next = LOWORD(byHandle) ? reinterpret_cast<HWND>(target)
                                 : GetNextDlgTabItem(Handle(), GetFocus(), target != 0);
    if (next) SetFocus(next);
}
