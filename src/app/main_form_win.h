#pragma once
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <string>

#include "app/debug_log.h"
#include "app/group_bar_win.h"
#include "app/main_form_painter_win.h"
#include "app/online_commands_win.h"
#include "app/pass_window_win.h"
#include "app/program_pass_win.h"
#include "app/results_page_win.h"
#include "app/results_window_win.h"
#include "app/unattended_mode_win.h"
#include "batch/batch_list.h"
#include "batch/batch_ui_win.h"
#include "domain/app_paths.h"
#include "domain/bench_options.h"
#include "domain/option_state.h"
#include "domain/switches.h"
#include "platform/scoped_win.h"
#include "platform/win_file_system_win.h"
#include "settings/dpapi_sealer_win.h"
#include "settings/registry_settings_store_win.h"
#include "settings/settings_key_notice.h"
#include "ui/window_win.h"

class PickerForm;
struct PlainOption;
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

    const StartupMode& Mode() const { return mode_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Unattended (/QUIET): what a message box would say goes to the debug log and the
    // standard error output instead.
    void Tell(const std::string& text);

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
    void OnContextMenu(HWND source, LPARAM position);
    void Image1MouseDown();
    void ShowPage(int index);
    void ShowResultsPage();
    void ShowElapsedTime();
    void RzToolButton2Click();
    void RzToolButton1Click();
    void OpenResFolderClick();
    void RzToolButton3Click();

    // The option pages (main_form_options_win.cpp).
    bool OnOptionCommand(int id, int code);
    void StorePlainOption(const PlainOption& option);
    void OnPointerLeft(int id);
    void resItemClick(int index);
    void cusresboxClick();
    void CusPossibilitiesClick();
    void AspectBoxChanging(int index);
    void demoChanging(int index);
    void DemoEditButtonClick();
    std::string FolderOfDemoFile() const;
    void ShaderModeBoxChanging(int index);
    void ProxyPassEditChange();
    void TimeLimitEditChange();
    void RepeatsBoxChange();

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
    void KeepKeyboardFocus();

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
    // Set once the start-up sequence (with the recovery question) is over.
    bool startupDone_ = false;
    UnattendedMode unattended_{mode_, debugLog_, paths_};
    bool recoveryLeftFilesAside_ = false;  // the recovery answered Yes could not put every file back
    // Set while the window shows loaded options, so that change events do not store them.
    bool showingOptions_ = false;
    // The progress panel's clock: when the current stage of the pass began.
    static constexpr UINT_PTR kElapsedTimer = 1;
    DWORD stageStartTick_ = 0;

    // Made once the window exists: the runners report to it, the recovery question is over it.
    std::unique_ptr<ProgramPass> pass_;
    std::unique_ptr<BatchUiWin> batchUi_;
    std::unique_ptr<BatchList> batchList_;
    std::unique_ptr<OnlineCommands> online_;

    PickerForm* picker_ = nullptr;
    WaitForm* waitForm_ = nullptr;
    GroupBar groupBar_;
    ResultsPage resultsPage_;
    ResultsWindow resultsWindow_{settings_, [this] { OpenResFolderClick(); }};
    std::map<int, HWND> controls_;
    HWND pages_[kPageCount] = {};
    HWND tooltip_ = nullptr;
    HWND lastFocus_ = nullptr;  // the control that had the focus when the window was left
    std::string hintText_;  // the text of a hint given when asked for, while it shows
    ScopedMenu popupMenu_;
    ScopedGdiObject font_;
    ScopedGdiObject progressTitleFont_;
    ScopedGdiObject progressCaptionFont_;
    ScopedGdiObject background_;
    MainFormPainter painter_;
};
