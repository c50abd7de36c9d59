// Building the main window: its frame controls, the group bar, the pages, the progress
// panel and the popup menu. Coordinates are design pixels at 96 DPI.
#include "app/main_form_win.h"

#include <commctrl.h>

#include <cstring>

#include "app/control_ids.h"
#include "app/dimmed_check_box_win.h"
#include "app/path_field_win.h"
#include "app/pointer_leave_win.h"
#include "app/visual_style_win.h"
#include "domain/resolution_table.h"
#include "ui/artwork_win.h"
#include "ui/container_panel_win.h"
#include "ui/dpi_win.h"

namespace {

constexpr int kPageLeft = 160;
constexpr int kPageTop = 42;
constexpr int kPageWidth = 340;
constexpr int kPageHeight = 273;

// Item rows of a choice group, filled column by column.
constexpr int kChoiceTop = 18;
constexpr int kChoiceRow = 19;

}  // namespace

void MainForm::CreateControls() {
    font_ = CreateUiFont(11);
    progressTitleFont_ = CreateUiFont(16);
    progressCaptionFont_ = CreateUiFont(13);
    background_ = RenderPicture(PaintMainBackground, Scale(kClientWidth), Scale(kClientHeight));
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, nullptr, nullptr);

    CreateFrameControls();
    HWND pageArea = CreateContainerPanel(Handle(), ctl::PageControl,
                                         ScaleRect(kPageLeft, kPageTop, kPageWidth, kPageHeight), nullptr,
                                         static_cast<HFONT>(font_.Get()), WS_VISIBLE);
    controls_[ctl::PageControl] = pageArea;
    for (int i = 0; i < kPageCount; ++i) {
        pages_[i] = CreateContainerPanel(pageArea, ctl::PageBase + i, ScaleRect(0, 0, kPageWidth, kPageHeight), nullptr,
                                         static_cast<HFONT>(font_.Get()));
        controls_[ctl::PageBase + i] = pages_[i];
    }
    CreatePathsPage(pages_[0]);
    CreateResolutionPage(pages_[1]);
    CreateDemoPage(pages_[2]);
    CreateProxyPage(pages_[3]);
    CreateAboutPage(pages_[4]);
    CreateFiltersPage(pages_[5]);
    CreateResultsPage(pages_[kResultsPage]);
    CreateProgressPanel();
    CreatePopupMenu();
}

void MainForm::CreateFrameControls() {
    AddHint(AddButton(Handle(), ctl::Image3, "Minimize", 464, 8, 17, 17), "Minimize");
    AddHint(AddButton(Handle(), ctl::Image2, "Exit", 485, 8, 17, 17), "Exit");
    groupBar_.Create(Handle(), ctl::RzGroupBar1, ScaleRect(8, 44, 144, 206), static_cast<HFONT>(font_.Get()),
                     {{ctl::RzGroup1,
                       "Options",
                       {{ctl::RzGroup1Items0, "Paths && information"},
                        {ctl::RzGroup1Items1, "Resolution"},
                        {ctl::RzGroup1Items2, "Demos && Quality"},
                        {ctl::RzGroup1Items3, "Filters"},
                        {ctl::RzGroup1Items4, "Results"}}},
                      {ctl::RzGroup3,
                       "Help",
                       {{ctl::RzGroup3Items0, "Benchmark help"},
                        {ctl::RzGroup3Items2, "Update benchmark"},
                        {ctl::RzGroup3Items3, "About..."},
                        {ctl::RzGroup3Items4, "Homepage"}}}});
    controls_[ctl::RzGroupBar1] = groupBar_.Handle();
    AddHint(AddButton(Handle(), ctl::BenchButton, "Run benchmark", 8, 258, 144, 52), "Run benchmark");
}

void MainForm::CreatePathsPage(HWND page) {
    AddLabel(page, "&Prey path", 8, 8, 200);
    ShowWholeTextAsHint(AddEdit(page, ctl::PreyPathEdit, 8, 24, 290, true));
    AddHint(AddButton(page, ctl::RzToolButton2, "Browse...", 302, 24, 28, 20), "Browse...");
    AddLabel(page, "&Results folder", 8, 56, 200);
    ShowWholeTextAsHint(AddEdit(page, ctl::ResEdit, 8, 72, 226, true));
    AddHint(AddButton(page, ctl::RzToolButton1, "Browse...", 238, 72, 28, 20), "Browse...");
    AddHint(AddButton(page, ctl::OpenResFolder, "&Open", 270, 72, 60, 20), "Open results folder");
    AddLabel(page, "Benchmark &notes (50 chars at most!)", 8, 104, 300);
    SendMessageA(AddEdit(page, ctl::NoteEdit, 8, 120, 322, false), EM_LIMITTEXT, kNoteMaxLength, 0);
    HWND quiet = AddControl(page, "BUTTON", "Saved &batch files run unattended (/QUIET)", BS_AUTOCHECKBOX | WS_TABSTOP,
                            ctl::BatchQuietCheckBox, 8, 152, 322, 16);
    DrawWithoutVisualStyle(quiet);
    AddHint(quiet, "The lines the batch list adds show no window or message and end by themselves, "
                   "for Task Scheduler and CI runners");
    WatchCheckBoxLeave(ctl::BatchQuietCheckBox);
}

void MainForm::CreateResolutionPage(HWND page) {
    const char* items[kResolutionCount];
    for (ResolutionPosition i = 0; i < kResolutionCount; ++i) items[i] = ResolutionTable[i].item;
    HWND res = AddChoiceGroup(page, ctl::res, " Resolution ", 4, 2, 332, 112, items, kResolutionCount, 4,
                              ctl::ResItemBase, false);
    AddCheckBox(res, ctl::cusresbox, "&Custom resolution:", 10, 84, 126);
    AddEdit(res, ctl::CusWidth, 138, 82, 44, true);
    AddLabel(res, "\xD7", 184, 85, 10, 14, SS_CENTER);
    AddEdit(res, ctl::CusHeight, 196, 82, 44, true);
    AddButton(res, ctl::CusPossibilities, "Po&ssibilities", 246, 81, 78, 22);
    Enable(ctl::CusWidth, false);
    Enable(ctl::CusHeight, false);
    Enable(ctl::CusPossibilities, false);
    for (ResolutionPosition i = 0; i < kResolutionCount; ++i) {
        DrawDimmedWhenDisabled(Control(ctl::ResItemBase + static_cast<int>(i)), kPageBlack, RGB(70, 74, 78),
                               RGB(100, 104, 108));
    }
    // The whole group counts as one area for the pointer leaving it.
    WatchPointerLeave(res, res, Handle(), ctl::res);
    for (ResolutionPosition i = 0; i < kResolutionCount; ++i) {
        WatchPointerLeave(Control(ctl::ResItemBase + static_cast<int>(i)), res, Handle(), ctl::res);
    }
    WatchCheckBoxLeave(ctl::cusresbox);
    WatchPointerLeave(Control(ctl::cusresbox), res, Handle(), ctl::res);

    static const char* const aspects[] = {"Standard [ 4:3 ]", "Widescreen [ 16:9 ]", "Widescreen [ 16:10 ]"};
    AddChoiceGroup(page, ctl::AspectBox, " Aspect Ratio ", 4, 120, 332, 66, aspects, 3, 2, ctl::AspectItemBase, true);
}

void MainForm::CreateDemoPage(HWND page) {
    static const char* const demos[] = {"R&ivo3V demo", "Rivo3V demo &2", "User &defined demo"};
    HWND demo = AddChoiceGroup(page, ctl::demo, " Choose a demo ", 4, 2, 332, 92, demos, 3, 2, ctl::DemoItemBase, true);
    AddEdit(demo, ctl::DemoEdit, 10, 62, 276, true);
    AddHint(AddButton(demo, ctl::DemoEditButton, "Browse...", 290, 62, 32, 20), "Browse...");
    Enable(ctl::DemoEdit, false);
    Enable(ctl::DemoEditButton, false);
    static const char* const shaders[] = {"&Low level", "&Medium level", "&High level", "Hi&ghest level"};
    AddChoiceGroup(page, ctl::ShaderModeBox, " Shader Detail   ", 4, 100, 332, 66, shaders, 4, 2, ctl::ShaderItemBase,
                   true);

    HWND runs = CreateContainerPanel(page, ctl::RunsGroup, ScaleRect(4, 172, 164, 50), " Runs ",
                                     static_cast<HFONT>(font_.Get()), WS_VISIBLE);
    controls_[ctl::RunsGroup] = runs;
    AddLabel(runs, "&Runs per resolution", 8, 16, 114);
    HWND repeats = AddControl(runs, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, ctl::RepeatsBox, 124,
                              12, 34, 200);
    for (const char* item : {"1", "2", "3", "4", "5", "6", "7", "8", "9"}) {
        SendMessageA(repeats, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    DrawWithoutVisualStyle(AddControl(runs, "BUTTON", "Discard a &warm-up run", BS_AUTOCHECKBOX | WS_TABSTOP,
                                      ctl::WarmUpCheckBox, 10, 33, 146, 16));
    WatchCheckBoxLeave(ctl::WarmUpCheckBox);
    CreateTimeLimitGroup(page);
    DrawWithoutVisualStyle(AddControl(page, "BUTTON", "Use the High &performance power plan during a pass",
                                      BS_AUTOCHECKBOX | WS_TABSTOP, ctl::HighPerfCheckBox, 10, 228, 320, 16));
    AddHint(Control(ctl::HighPerfCheckBox),
            "Switches Windows to its High performance power plan for the pass and back at its end");
    WatchCheckBoxLeave(ctl::HighPerfCheckBox);
    DrawWithoutVisualStyle(AddControl(page, "BUTTON", "Record every &frame's time", BS_AUTOCHECKBOX | WS_TABSTOP,
                                      ctl::FrameTimesCheckBox, 10, 248, 320, 16));
    AddHint(Control(ctl::FrameTimesCheckBox),
            "The game loads Lurkmark's frame recorder as its OpenGL library; the report adds the 1 % and 0.1 % lows, "
            "the 99th percentile frame time and stutters, and one CSV per run holds every frame");
    WatchCheckBoxLeave(ctl::FrameTimesCheckBox);
}

void MainForm::CreateTimeLimitGroup(HWND page) {
    HWND group = CreateContainerPanel(page, ctl::TimeLimitGroup, ScaleRect(172, 172, 164, 50), " Time limit ",
                                      static_cast<HFONT>(font_.Get()), WS_VISIBLE);
    controls_[ctl::TimeLimitGroup] = group;
    // Made before the field, so that its mnemonic reaches the field.
    AddLabel(group, "minu&tes\r\n(0: no limit)", 68, 17, 92, 28);
    HWND minutes = AddEdit(group, ctl::TimeLimitEdit, 10, 20, 52, false);
    SetWindowLongA(minutes, GWL_STYLE, GetWindowLongA(minutes, GWL_STYLE) | ES_NUMBER);
    SendMessageA(minutes, EM_LIMITTEXT, 4, 0);
    HWND spin = AddControl(group, UPDOWN_CLASSA, "", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                           ctl::TimeLimitSpin, 0, 0, 0, 0);
    SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(minutes), 0);
    SendMessageA(spin, UDM_SETRANGE32, 0, kMaxGameTimeLimitMinutes);
    AddHint(minutes, "The longest one game run may take before the game is ended; 0 for no limit");
}

void MainForm::CreateProxyPage(HWND page) {
    HWND proxy = CreateContainerPanel(page, ctl::ProxyGroup, ScaleRect(4, 2, 332, 146), " Proxy Settings ",
                                      static_cast<HFONT>(font_.Get()), WS_VISIBLE);
    AddLabel(proxy, "Proxy Ser&ver", 10, 18, 200);
    AddEdit(proxy, ctl::ProxyServerEdit, 10, 34, 200, false);
    AddLabel(proxy, "Proxy Por&t", 220, 18, 100);
    AddEdit(proxy, ctl::ProxyPortEdit, 220, 34, 102, false);
    AddLabel(proxy, "&Username", 10, 64, 150);
    AddEdit(proxy, ctl::ProxyUsernameEdit, 10, 80, 150, false);
    AddLabel(proxy, "Pass&word", 172, 64, 150);
    SendMessageA(AddEdit(proxy, ctl::ProxyPassEdit, 172, 80, 150, false), EM_SETPASSWORDCHAR, '*', 0);
    AddCheckBox(proxy, ctl::UseProxyBox, "Use Pro&xy  Server", 10, 114, 160);
    WatchCheckBoxLeave(ctl::UseProxyBox);
    for (int id : {ctl::ProxyServerEdit, ctl::ProxyPortEdit, ctl::ProxyUsernameEdit, ctl::ProxyPassEdit}) {
        Enable(id, false);
    }
    AddButton(page, ctl::RzToolButton3, "Update &benchmark", 4, 158, 140, 26);
}

void MainForm::CreateAboutPage(HWND page) {
    AddControl(page, "STATIC", "", SS_OWNERDRAW, ctl::Image5, 70, 4, 200, 128);
    AddControl(page, "STATIC", options_.versionLabel.c_str(), SS_CENTER, ctl::Label6, 70, 136, 200, 16);
    AddControl(page, "EDIT",
               "Lurkmark \xA9 Quenwick. All rights reserved.\r\n"
               "Prey name and logo \xA9 their owner.\r\n"
               "Prey graphics and demos \xA9 the game's maker.",
               ES_MULTILINE | ES_READONLY | ES_CENTER, ctl::AboutMemo, 6, 160, 328, 60);
}

void MainForm::CreateFiltersPage(HWND page) {
    HWND filters = CreateContainerPanel(page, ctl::FiltersGroup, ScaleRect(4, 2, 332, 104), " Filters ",
                                        static_cast<HFONT>(font_.Get()), WS_VISIBLE);
    AddLabel(filters, "&Filtering mode", 10, 18, 200);
    HWND af = AddControl(filters, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, ctl::AFBox, 10, 34, 200,
                         160);
    for (const char* item : {"None", "Anisotropic 2\xD7", "Anisotropic 4\xD7", "Anisotropic 8\xD7",
                             "Anisotropic 16\xD7", "From System"}) {
        SendMessageA(af, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    AddLabel(filters, "&Antialiasing mode", 10, 62, 200);
    HWND aa = AddControl(filters, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, ctl::AABox, 10, 78, 200,
                         120);
    for (const char* item : {"None", "2\xD7", "4\xD7", "From System"}) {
        SendMessageA(aa, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }

    HWND boost = CreateContainerPanel(page, ctl::BoostGroup, ScaleRect(4, 112, 332, 150), " Boost graphics... ",
                                      static_cast<HFONT>(font_.Get()), WS_VISIBLE);
    AddCheckBox(boost, ctl::BoostCheckBox, "&Enable", 10, 20, 100);
    WatchCheckBoxLeave(ctl::BoostCheckBox);
    AddControl(boost, "STATIC",
               "This option does not work in the Prey demo, USE ONLY in the full version of Prey!\r\n\r\n"
               "This mode is the highest possible for Prey and was originally designed for a graphics card "
               "with 512MB of Video RAM.",
               SS_CENTER, ctl::BoostNotice, 10, 46, 312, 96);
}

void MainForm::CreateResultsPage(HWND page) {
    HWND label = AddControl(page, "STATIC", "", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, ctl::ResultsLabel, 4, 4, 332,
                            14);
    HWND list = AddControl(page, WC_LISTVIEWA, "", LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_BORDER,
                           ctl::ResultsList, 4, 20, 332, 218);
    HWND compare = AddButton(page, ctl::ResultsCompare, "&Compare", 4, 244, 90, 24);
    AddHint(compare, "Compare 2 to 8 selected passes in a chart");
    AddHint(AddButton(page, ctl::ResultsOpenFolder, "Open &folder", 100, 244, 90, 24), "Open results folder");
    AddHint(AddButton(page, ctl::ResultsWindowOpen, "Open in &window", 226, 244, 110, 24),
            "The list in a window of its own, with the computer of each pass and a filter");
    resultsPage_.Attach({Handle(), label, list, compare});
}

void MainForm::CreateProgressPanel() {
    HWND panel = CreateContainerPanel(Handle(), ctl::Panel1, ScaleRect(kPageLeft, kPageTop, kPageWidth, kPageHeight),
                                      nullptr, static_cast<HFONT>(font_.Get()));
    controls_[ctl::Panel1] = panel;
    HWND title = AddControl(panel, "STATIC", "Benchmarking in progress", SS_CENTER, ctl::Label3, 0, 100, kPageWidth, 22);
    SendMessageA(title, WM_SETFONT, reinterpret_cast<WPARAM>(progressTitleFont_.Get()), FALSE);
    HWND caption = AddControl(panel, "STATIC", "Resolution: ...", SS_CENTER, ctl::Label2, 0, 130, kPageWidth, 20);
    SendMessageA(caption, WM_SETFONT, reinterpret_cast<WPARAM>(progressCaptionFont_.Get()), FALSE);
    HWND elapsed = AddControl(panel, "STATIC", "", SS_CENTER | SS_NOPREFIX, ctl::ElapsedLabel, 0, 154, kPageWidth, 20);
    SendMessageA(elapsed, WM_SETFONT, reinterpret_cast<WPARAM>(progressCaptionFont_.Get()), FALSE);
    HWND cancel = AddButton(panel, ctl::ProgressCancel, "Cancel", (kPageWidth - 90) / 2, 236, 90, 24);
    // A batch pass runs unattended and is not cancelled from its window.
    if (mode_.BatchMode) ShowWindow(cancel, SW_HIDE);
}

void MainForm::CreatePopupMenu() {
    popupMenu_.Reset(::CreatePopupMenu());
    AppendMenuA(popupMenu_.Get(), MF_STRING, ctl::Newbatch1, "New batch");
    AppendMenuA(popupMenu_.Get(), MF_STRING, ctl::Viewbatch1, "View batch");
    AppendMenuA(popupMenu_.Get(), MF_STRING, ctl::Savebatch1, "Save batch");
    AppendMenuA(popupMenu_.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popupMenu_.Get(), MF_STRING, ctl::Addsettings1, "Add settings");
}

HWND MainForm::AddControl(HWND parent, const char* cls, const char* text, DWORD style, int id, int x, int y, int w,
                          int h, DWORD exStyle) {
    const RECT r = ScaleRect(x, y, w, h);
    HWND hwnd = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                                nullptr);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    if (id != ctl::StaticLabel) controls_[id] = hwnd;
    return hwnd;
}

// A label whose text marks a letter with "&" gives that mnemonic to the control after it.
HWND MainForm::AddLabel(HWND parent, const char* text, int x, int y, int w, int h, DWORD align) {
    const DWORD prefix = std::strchr(text, '&') ? 0 : SS_NOPREFIX;
    return AddControl(parent, "STATIC", text, align | prefix, ctl::StaticLabel, x, y, w, h);
}

HWND MainForm::AddEdit(HWND parent, int id, int x, int y, int w, bool readOnly) {
    return AddControl(parent, "EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP | (readOnly ? ES_READONLY : 0), id, x, y, w, 20,
                      WS_EX_CLIENTEDGE);
}

HWND MainForm::AddButton(HWND parent, int id, const char* text, int x, int y, int w, int h) {
    return AddControl(parent, "BUTTON", text, BS_OWNERDRAW | WS_TABSTOP, id, x, y, w, h);
}

HWND MainForm::AddCheckBox(HWND parent, int id, const char* text, int x, int y, int w) {
    HWND box = AddControl(parent, "BUTTON", text, BS_AUTOCHECKBOX | WS_TABSTOP, id, x, y, w, 17);
    DrawWithoutVisualStyle(box);
    return box;
}

HWND MainForm::AddChoiceGroup(HWND parent, int id, const char* caption, int x, int y, int w, int h,
                              const char* const* items, int count, int columns, int firstItemId, bool radio) {
    HWND group = CreateContainerPanel(parent, id, ScaleRect(x, y, w, h), caption, static_cast<HFONT>(font_.Get()),
                                      WS_VISIBLE);
    controls_[id] = group;
    // Items fill the columns one after the other, as many rows as the columns need; the
    // columns that receive items share the width, so long captions are not cut off.
    const int rows = (count + columns - 1) / columns;
    const int usedColumns = (count + rows - 1) / rows;
    const int columnWidth = (w - 20) / usedColumns;
    for (int i = 0; i < count; ++i) {
        const DWORD style = radio ? (BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0))
                                  : (BS_AUTOCHECKBOX | WS_TABSTOP);
        DrawWithoutVisualStyle(AddControl(group, "BUTTON", items[i], style, firstItemId + i,
                                          10 + (i / rows) * columnWidth, kChoiceTop + (i % rows) * kChoiceRow,
                                          columnWidth - 2, 17));
    }
    return group;
}

void MainForm::AddHint(HWND control, char* text) {
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

// A long path: an ellipsis in the middle, the whole text in a hint (given when asked for).
void MainForm::ShowWholeTextAsHint(HWND field) {
    ShowPathWithEllipsis(field);
    AddHint(field, LPSTR_TEXTCALLBACKA);
}

void MainForm::WatchCheckBoxLeave(int id) {
    WatchPointerLeave(Control(id), Control(id), Handle(), id);
}
