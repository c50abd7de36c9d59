#pragma once
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <string>

#include "app/debug_log.h"
#include "app/group_bar_win.h"
#include "app/pass_window_win.h"
#include "app/program_pass_win.h"
#include "app/results_page_win.h"
#include "app/results_window_win.h"
#include "app/standard_streams_win.h"
#include "batch/batch_list.h"
#include "batch/batch_ui_win.h"
#include "domain/app_paths.h"
#include "domain/bench_options.h"
#include "domain/option_state.h"
#include "domain/switches.h"
#include "online/maker_hosts.h"
#include "platform/scoped_win.h"
#include "platform/win_file_system_win.h"
#include "settings/dpapi_sealer_win.h"
#include "settings/registry_settings_store_win.h"
#include "settings/settings_key_notice.h"
#include "ui/window_win.h"

class AutoUpdater;
class PickerForm;
class WaitForm;

// TForm1: the program's one working window. It owns the shared state of the program for
// its whole lifetime. Sizes are in design pixels at 96 DPI (see dpi_win.h).
class MainForm : public Window, public PassWindow {
public:
    static constexpr int kClientWidth = 508;
    static constexpr int kClientHeight = 323;
    static constexpr int kPageCount = 7;
    static constexpr int kAboutPage = 4;
    static constexpr int kResultsPage = 6;

    MainForm();
    ~MainForm() override;

    // Creates the window and runs the start-up sequence.
    bool Create(const ArgumentList& args);
    // The resolution picker shown by "Possibilities"; created after this window.
    void SetPicker(PickerForm* picker) { picker_ = picker; }
    // The "Please wait..." window shown while the help file downloads.
    void SetWaitForm(WaitForm* waitForm) { waitForm_ = waitForm; }

    // Starts a benchmark pass (Run button, or the batch start).
    void BenchButtonClick();

    // What a running pass asks of the window.
    HWND OwnerWindow() const override { return Handle(); }
    void ShowProgressPanel(bool shown) override;               // Panel1 over the pages
    void SetProgressCaption(const std::string& text) override;  // Label2
    void SetBenchButtonEnabled(bool enabled) override;
    void ShowMessage(const std::string& text) override;         // OK box
    bool Confirm(const std::string& text) override;             // Yes/No box: true only for Yes
    void MinimiseApplication();
    void WriteOutput(const std::string& line) override;
    // The status the program ends with: 0 interactively; a batch start's BatchExit.
    int ExitStatus() const;

    // Help group items that open the help file and the maker's web page.
    void RzGroup3Items0Click();
    void RzGroup3Items4Click();
    // "Update benchmark" on the proxy page.
    void RzToolButton3Click();
    // PopupMenu1 commands (the batch list).
    void Newbatch1Click();
    void Viewbatch1Click();
    void Savebatch1Click();
    void Addsettings1Click();

    const StartupMode& Mode() const { return mode_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void LogUpdateRefusal(const std::string& line);
    MakerHosts MakerHostsLogged();
    // Unattended (/QUIET): what a message box would say goes to the debug log and the
    // standard error output instead.
    void Tell(const std::string& text);
    bool AnswerRecovery(const std::string& question);
    LRESULT OnUnattendedError(const char* text);

    // Building the window (main_form_layout_win.cpp).
    void CreateControls();
    void CreateFrameControls();
    void CreatePathsPage(HWND page);
    void CreateResolutionPage(HWND page);
    void CreateDemoPage(HWND page);
    void CreateProxyPage(HWND page);
    void CreateAboutPage(HWND page);
    void CreateFiltersPage(HWND page);
    void CreateTimeLimitGroup(HWND page);
    void CreateResultsPage(HWND page);
    void CreateProgressPanel();
    void CreatePopupMenu();
    HWND AddControl(HWND parent, const char* cls, const char* text, DWORD style, int id, int x, int y, int w, int h,
                    DWORD exStyle = 0);
    HWND AddLabel(HWND parent, const char* text, int x, int y, int w, int h = 14, DWORD align = SS_LEFT);
    HWND AddEdit(HWND parent, int id, int x, int y, int w, bool readOnly);
    HWND AddButton(HWND parent, int id, const char* text, int x, int y, int w, int h);
    HWND AddCheckBox(HWND parent, int id, const char* text, int x, int y, int w);
    HWND AddChoiceGroup(HWND parent, int id, const char* caption, int x, int y, int w, int h, const char* const* items,
                        int count, int columns, int firstItemId, bool radio);
    // text: LPSTR_TEXTCALLBACKA for a hint that is the control's text when it shows.
    void AddHint(HWND control, char* text);
    void AddHint(HWND control, const char* text) { AddHint(control, const_cast<char*>(text)); }
    void ShowWholeTextAsHint(HWND field);
    void OnHintNeeded(NMTTDISPINFOA& info);
    void WatchCheckBoxLeave(int id);

    // Start-up and shutdown.
    void ShowProgramIcon();
    void LoadSettingsReportingErrors();
    void ShowOptions();
    void FormActivate();
    void FormDestroy();

    // Events.
    void OnCommand(int id, int code);
    void OnPointerLeft(int id);
    LRESULT OnControlColour(UINT msg, HDC dc, HWND control);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void OnContextMenu(HWND source, LPARAM position);
    void Image1MouseDown();
    void Image2Click();
    void Image3Click();
    void ShowPage(int index);
    void ShowResultsPage();
    void ShowElapsedTime();
    void RzToolButton2Click();
    void RzToolButton1Click();
    void OpenResFolderClick();
    void NoteEditChange();
    void resItemClick(int index);
    void resMouseLeave();
    void cusresboxClick();
    void cusresboxMouseLeave();
    void CusPossibilitiesClick();
    void AspectBoxChanging(int index);
    void demoChanging(int index);
    void DemoEditButtonClick();
    std::string FolderOfDemoFile() const;
    void ShaderModeBoxChanging(int index);
    void AFBoxChange();
    void AABoxChange();
    void BoostCheckBoxClick();
    void BoostCheckBoxMouseLeave();
    void UseProxyBoxClick();
    void UseProxyBoxMouseLeave();
    void ProxyFieldChange(int id);
    void TimeLimitEditChange();
    void RepeatsBoxChange();
    void WarmUpCheckBoxClick();
    void BatchQuietCheckBoxClick();
    void HighPerfCheckBoxClick();

    // Small helpers over the controls.
    HWND Control(int id) const;
    std::string TextOf(int id) const;
    void SetText(int id, const std::string& text);
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked);
    void Enable(int id, bool enabled);
    int CheckedItem(int firstItemId, int count) const;
    void SelectItem(int firstItemId, int count, int index);
    void MoveFocus(WPARAM target, LPARAM byHandle);

    StartupMode mode_;
    BenchOptions benchOptions_;
    AppPaths paths_;
    OptionState options_;
    DebugLog debugLog_;
    RegistrySettingsStore registry_;
    // Every option goes through this one: a missing key is said once, not per value.
    SettingsKeyNotice settings_;
    DpapiSealer secrets_;  // the proxy password
    WinFileSystem files_;
    // FormActivate runs on every activation; only the first one may start a batch pass.
    bool batchBehaviourStarted_ = false;
    // Set once the start-up sequence (with the recovery question) is over.
    bool startupDone_ = false;
    // A batch start's standard output and error (none interactively).
    std::unique_ptr<StandardStreams> streams_;
    // Told before the pass's debug log was started; it is told again once that log is.
    std::vector<std::string> toldBeforePass_;
    // The end's restore, or the recovery answered unattended, could not put the user's files back.
    bool filesNotBack_ = false;
    bool recoveryLeftFilesAside_ = false;  // the recovery answered Yes could not put every file back
    // The help command runs its download while the window's messages flow: one at a time.
    bool helpRunning_ = false;
    // Set while the window shows loaded options, so that change events do not store them.
    bool showingOptions_ = false;
    // The progress panel's clock: when the current stage of the pass began.
    static constexpr UINT_PTR kElapsedTimer = 1;
    DWORD stageStartTick_ = 0;

    // Made once the window exists: the runners report to it, the recovery question is over it.
    std::unique_ptr<ProgramPass> pass_;
    std::unique_ptr<BatchUiWin> batchUi_;
    std::unique_ptr<BatchList> batchList_;
    // Updater: the update component, configured afresh by every press of "Update benchmark".
    std::unique_ptr<AutoUpdater> updater_;

    PickerForm* picker_ = nullptr;
    WaitForm* waitForm_ = nullptr;
    GroupBar groupBar_;
    ResultsPage resultsPage_;
    ResultsWindow resultsWindow_{settings_, [this] { OpenResFolderClick(); }};
    std::map<int, HWND> controls_;
    HWND pages_[kPageCount] = {};
    HWND tooltip_ = nullptr;
    std::string hintText_;  // the text of a hint given when asked for, while it shows
    ScopedMenu popupMenu_;
    ScopedGdiObject font_;
    ScopedGdiObject progressTitleFont_;
    ScopedGdiObject progressCaptionFont_;
    ScopedGdiObject background_;
    ScopedGdiObject pageBrush_;
    ScopedGdiObject paleYellowBrush_;
    ScopedGdiObject whiteBrush_;
    ScopedGdiObject disabledBrush_;
};
