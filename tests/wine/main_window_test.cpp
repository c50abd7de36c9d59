// The real program's main window and picker, driven from outside like an automation tool.
#include <gtest/gtest.h>

#include <string>

#include "app/control_ids.h"
#include "support/eventually.h"
#include "support/started_program.h"
#include "support/window_automation.h"
#include "support/wine_test_support.h"

namespace {

using wt::StartedProgram;

bool Enabled(HWND window) { return IsWindowEnabled(window) != FALSE; }

int ComboSelection(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

TEST(MainWindow, FreshStartWithoutSettingsShowsTheAboutPageAndChoosesNothing) {
    wt::TempFolder bench{"mw_fresh"};
    wt::DeleteSettingsKey();
    StartedProgram app(bench.Path());
    ASSERT_NE(app.main, nullptr);

    RECT client;
    GetClientRect(app.main, &client);
    EXPECT_EQ(client.right, 508);
    EXPECT_EQ(client.bottom, 323);
    EXPECT_EQ(GetWindowLongA(app.main, GWL_STYLE) & WS_CAPTION, 0) << "no caption bar";
    for (int page = 0; page < 6; ++page) {
        EXPECT_EQ(wt::IsShown(app.Control(ctl::PageBase + page)), page == 4) << "page " << page;
    }
    EXPECT_FALSE(wt::IsShown(app.Control(ctl::Panel1)));
    EXPECT_FALSE(IsWindowVisible(app.Control(ctl::RzGroup1Items0))) << "Options group closed";
    EXPECT_FALSE(IsWindowVisible(app.Control(ctl::RzGroup3Items0))) << "Help group closed";
    for (int i = 0; i < 9; ++i) EXPECT_FALSE(wt::IsChecked(app.Control(ctl::ResItemBase + i))) << "resolution " << i;
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(wt::IsChecked(app.Control(ctl::AspectItemBase + i)));
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(wt::IsChecked(app.Control(ctl::DemoItemBase + i)));
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(wt::IsChecked(app.Control(ctl::ShaderItemBase + i)));
    EXPECT_EQ(ComboSelection(app.Control(ctl::AFBox)), CB_ERR);
    EXPECT_EQ(ComboSelection(app.Control(ctl::AABox)), CB_ERR);
    EXPECT_FALSE(wt::IsChecked(app.Control(ctl::cusresbox)));
    EXPECT_FALSE(Enabled(app.Control(ctl::CusWidth)));
    EXPECT_FALSE(Enabled(app.Control(ctl::CusPossibilities)));
    EXPECT_FALSE(Enabled(app.Control(ctl::DemoEdit)));
    EXPECT_FALSE(Enabled(app.Control(ctl::DemoEditButton)));
    EXPECT_FALSE(wt::IsChecked(app.Control(ctl::BoostCheckBox)));
    EXPECT_EQ(ComboSelection(app.Control(ctl::RepeatsBox)), 0) << "one run per resolution";
    EXPECT_FALSE(wt::IsChecked(app.Control(ctl::WarmUpCheckBox)));
    EXPECT_EQ(GetParent(app.Control(ctl::RunsGroup)), app.Control(ctl::PageBase + 2)) << "on Demos & Quality";
    EXPECT_FALSE(wt::IsChecked(app.Control(ctl::HighPerfCheckBox)));
    EXPECT_EQ(GetParent(app.Control(ctl::HighPerfCheckBox)), app.Control(ctl::PageBase + 2)) << "on Demos & Quality";
    EXPECT_EQ(wt::TextOf(app.Control(ctl::HighPerfCheckBox)), "Use the High &performance power plan during a pass");
    EXPECT_FALSE(wt::IsChecked(app.Control(ctl::FrameTimesCheckBox)));
    EXPECT_EQ(GetParent(app.Control(ctl::FrameTimesCheckBox)), app.Control(ctl::PageBase + 2)) << "on Demos & Quality";
    EXPECT_EQ(wt::TextOf(app.Control(ctl::FrameTimesCheckBox)), "Record every &frame's time");
    EXPECT_FALSE(Enabled(app.Control(ctl::ProxyServerEdit)));
    EXPECT_EQ(wt::TextOf(app.Control(ctl::Label6)), "v1.0");
    EXPECT_EQ(wt::TextOf(app.Control(ctl::ResItemBase + 2)), "1024 \xD7 768");
    EXPECT_EQ(wt::TextOf(app.Control(ctl::Label2)), "Resolution: ...");

    wt::Click(app.Control(ctl::Image3));
    EXPECT_TRUE(wt::WaitUntil([&] { return IsIconic(app.main) != FALSE; })) << "Minimize";
    EXPECT_TRUE(app.Exit());
    EXPECT_EQ(wt::ReadSettingsValue("Path"), "<missing>") << "nothing may create the key";
}

TEST(MainWindow, LoadedSettingsFillTheControls) {
    wt::TempFolder bench{"mw_loaded"};
    const std::string game = bench.Path() + "Prey";
    const std::string results = bench.Path() + "Results\\";
    const std::string userDemo = bench.Path() + "mine.demo";
    wt::MakeFolders(game + "\\base");
    wt::MakeFolders(results);
    wt::WriteFileBytes(userDemo, "demo");
    wt::CreateSettingsKey({{"Path", game}, {"ResultPath", results}, {"1024", "1"}, {"hdw1", "1"},
                           {"CusW", "1280"}, {"CusH", "1024"}, {"CusRes", "1"}, {"AspectRatio", "1"},
                           {"Demo", "3"}, {"Demoname", userDemo}, {"Shader", "2"}, {"AFLevel", "5"},
                           {"AALevel", "0"}, {"Note", "quiet room"}, {"Boost", "1"}, {"UseProxy", "1"},
                           {"ProxyServer", "proxy.lan"}, {"ProxyPort", "3128"}, {"Repeats", "3"},
                           {"WarmUp", "1"}, {"HighPerformancePlan", "1"}, {"FrameTimes", "1"}});
    StartedProgram app(bench.Path());
    ASSERT_NE(app.main, nullptr);

    EXPECT_EQ(wt::TextOf(app.Control(ctl::PreyPathEdit)), game);
    EXPECT_EQ(wt::TextOf(app.Control(ctl::ResEdit)), results);
    EXPECT_TRUE(wt::IsChecked(app.Control(ctl::ResItemBase + 2)));
    // 1280 x 768 is not a mode of this display: disabled and unchecked, the value untouched.
    EXPECT_FALSE(Enabled(app.Control(ctl::ResItemBase + 6)));
    EXPECT_FALSE(wt::IsChecked(app.Control(ctl::ResItemBase + 6)));
    EXPECT_TRUE(wt::SettingsValueBecomes("hdw1", "1"));
    EXPECT_TRUE(wt::IsChecked(app.Control(ctl::cusresbox)));
    EXPECT_EQ(wt::TextOf(app.Control(ctl::CusWidth)), "1280");
    EXPECT_EQ(wt::TextOf(app.Control(ctl::CusHeight)), "1024");
    EXPECT_TRUE(Enabled(app.Control(ctl::CusPossibilities)));
    EXPECT_TRUE(wt::IsChecked(app.Control(ctl::AspectItemBase + 1)));
    EXPECT_TRUE(wt::IsChecked(app.Control(ctl::DemoItemBase + 2)));
    EXPECT_TRUE(Enabled(app.Control(ctl::DemoEdit)));
    EXPECT_EQ(wt::TextOf(app.Control(ctl::DemoEdit)), userDemo);
    EXPECT_TRUE(wt::IsChecked(app.Control(ctl::ShaderItemBase + 2)));
    EXPECT_EQ(ComboSelection(app.Control(ctl::AFBox)), 5);
    EXPECT_EQ(ComboSelection(app.Control(ctl::AABox)), 0);
    EXPECT_EQ(wt::TextOf(app.Control(ctl::NoteEdit)), "quiet room");
    EXPECT_TRUE(wt::IsChecked(app.Control(ctl::BoostCheckBox)));
    EXPECT_EQ(ComboSelection(app.Control(ctl::RepeatsBox)), 2);
    EXPECT_TRUE(wt::IsChecked(app.Control(ctl::WarmUpCheckBox)));
    EXPECT_TRUE(wt::IsChecked(app.Control(ctl::HighPerfCheckBox)));
    EXPECT_TRUE(wt::IsChecked(app.Control(ctl::FrameTimesCheckBox)));
    EXPECT_TRUE(wt::IsChecked(app.Control(ctl::UseProxyBox)));
    EXPECT_TRUE(Enabled(app.Control(ctl::ProxyPassEdit)));
    EXPECT_EQ(wt::TextOf(app.Control(ctl::ProxyServerEdit)), "proxy.lan");
    // Showing the loaded texts stores nothing new.
    EXPECT_TRUE(wt::SettingsValueBecomes("Demo", "3"));
    EXPECT_TRUE(wt::SettingsValueBecomes("Note", "quiet room"));

    EXPECT_TRUE(app.Exit());
    wt::DeleteSettingsKey();
}

TEST(MainWindow, GroupBarSwitchesPagesAndEveryChangeIsStored) {
    wt::TempFolder bench{"mw_changes"};
    wt::CreateSettingsKey();
    StartedProgram app(bench.Path());
    ASSERT_NE(app.main, nullptr);

    // Exclusive groups: opening Help closes Options.
    wt::Click(app.Control(ctl::RzGroup1));
    EXPECT_TRUE(IsWindowVisible(app.Control(ctl::RzGroup1Items1)));
    wt::Click(app.Control(ctl::RzGroup1Items1));
    EXPECT_TRUE(wt::IsShown(app.Control(ctl::PageBase + 1)));
    EXPECT_FALSE(wt::IsShown(app.Control(ctl::PageBase + 4)));
    wt::Click(app.Control(ctl::RzGroup1Items3));
    EXPECT_TRUE(wt::IsShown(app.Control(ctl::PageBase + 5))) << "Filters is page 5";
    wt::Click(app.Control(ctl::RzGroup3));
    EXPECT_FALSE(IsWindowVisible(app.Control(ctl::RzGroup1Items1)));
    EXPECT_TRUE(IsWindowVisible(app.Control(ctl::RzGroup3Items2)));
    // "Update benchmark" in the group bar only shows the proxy page.
    wt::Click(app.Control(ctl::RzGroup3Items2));
    EXPECT_TRUE(wt::IsShown(app.Control(ctl::PageBase + 3)));
    EXPECT_EQ(wt::WaitForDialogOwnedBy(app.main, 300), nullptr);

    // A right click on a page opens the batch menu.
    HWND page = app.Control(ctl::PageBase + 3);
    RECT pageRect;
    GetWindowRect(page, &pageRect);
    PostMessageA(page, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(page),
                 MAKELPARAM(pageRect.left + 40, pageRect.bottom - 40));
    HWND menu = wt::WaitForWindow(app.program.ProcessId(), "#32768");
    ASSERT_NE(menu, nullptr);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(wt::WaitUntil([&] { return !IsWindowVisible(menu); }));

    // Resolutions are stored all nine at once, by mouse and by keyboard.
    wt::Click(app.Control(ctl::ResItemBase + 0));
    EXPECT_TRUE(wt::SettingsValueBecomes("640", "1"));
    EXPECT_TRUE(wt::SettingsValueBecomes("hdw3", "0"));
    wt::PressSpace(app.Control(ctl::ResItemBase + 1));
    EXPECT_TRUE(wt::SettingsValueBecomes("800", "1"));

    // Boost: a keyboard change is kept; the pointer leaving stores again.
    HWND boost = app.Control(ctl::BoostCheckBox);
    wt::PressSpace(boost);
    EXPECT_TRUE(wt::IsChecked(boost));
    EXPECT_TRUE(wt::SettingsValueBecomes("Boost", "1"));
    wt::CreateSettingsKey({{"Boost", "0"}});
    wt::PointerLeave(boost);
    EXPECT_TRUE(wt::WaitUntil([] { return wt::ReadSettingsValue("Boost") == "1"; }));

    // Choices store their index; demo 3 enables the demo file field.
    wt::Click(app.Control(ctl::DemoItemBase + 2));
    EXPECT_TRUE(wt::SettingsValueBecomes("Demo", "3"));
    EXPECT_TRUE(Enabled(app.Control(ctl::DemoEdit)));
    EXPECT_TRUE(Enabled(app.Control(ctl::DemoEditButton)));
    wt::Click(app.Control(ctl::DemoItemBase + 1));
    EXPECT_TRUE(wt::SettingsValueBecomes("Demo", "2"));
    EXPECT_FALSE(Enabled(app.Control(ctl::DemoEdit)));
    EXPECT_FALSE(Enabled(app.Control(ctl::DemoEditButton)));
    wt::Click(app.Control(ctl::AspectItemBase + 2));
    EXPECT_TRUE(wt::SettingsValueBecomes("AspectRatio", "2"));
    wt::Click(app.Control(ctl::ShaderItemBase + 3));
    EXPECT_TRUE(wt::SettingsValueBecomes("Shader", "3"));
    wt::SelectComboItem(app.Control(ctl::AFBox), 4);  // "Anisotropic 16x"
    EXPECT_TRUE(wt::SettingsValueBecomes("AFLevel", "4"));
    wt::SelectComboItem(app.Control(ctl::AABox), 3);  // "From System"
    EXPECT_TRUE(wt::SettingsValueBecomes("AALevel", "3"));
    wt::SelectComboItem(app.Control(ctl::RepeatsBox), 4);
    EXPECT_TRUE(wt::SettingsValueBecomes("Repeats", "5"));
    HWND warmUp = app.Control(ctl::WarmUpCheckBox);
    wt::PressSpace(warmUp);
    EXPECT_TRUE(wt::SettingsValueBecomes("WarmUp", "1"));
    wt::CreateSettingsKey({{"WarmUp", "0"}});
    wt::PointerLeave(warmUp);
    EXPECT_TRUE(wt::WaitUntil([] { return wt::ReadSettingsValue("WarmUp") == "1"; }));
    wt::Click(app.Control(ctl::HighPerfCheckBox));
    EXPECT_TRUE(wt::SettingsValueBecomes("HighPerformancePlan", "1"));
    wt::Click(app.Control(ctl::HighPerfCheckBox));
    EXPECT_TRUE(wt::SettingsValueBecomes("HighPerformancePlan", "0"));
    wt::Click(app.Control(ctl::FrameTimesCheckBox));
    EXPECT_TRUE(wt::SettingsValueBecomes("FrameTimes", "1"));
    wt::Click(app.Control(ctl::FrameTimesCheckBox));
    EXPECT_TRUE(wt::SettingsValueBecomes("FrameTimes", "0"));

    // The note takes 50 characters; emptying it stores the empty note.
    HWND note = app.Control(ctl::NoteEdit);
    wt::Type(note, std::string(49, 'n') + "xyz");
    EXPECT_EQ(wt::TextOf(note), std::string(49, 'n') + "x");
    EXPECT_TRUE(wt::SettingsValueBecomes("Note", std::string(49, 'n') + "x"));
    wt::SetText(note, "");
    EXPECT_TRUE(wt::SettingsValueBecomes("Note", ""));

    // The proxy box enables the fields; the password is stored sealed for this account.
    wt::Click(app.Control(ctl::UseProxyBox));
    EXPECT_TRUE(wt::SettingsValueBecomes("UseProxy", "1"));
    EXPECT_TRUE(Enabled(app.Control(ctl::ProxyUsernameEdit)));
    wt::SetText(app.Control(ctl::ProxyServerEdit), "proxy.lan");
    EXPECT_TRUE(wt::SettingsValueBecomes("ProxyServer", "proxy.lan"));
    wt::SetText(app.Control(ctl::ProxyPassEdit), "secret");
    EXPECT_TRUE(wt::WaitUntil([] { return wt::ReadSettingsValue("ProxyPassword").rfind("DPAPI:", 0) == 0; }));
    wt::Click(app.Control(ctl::UseProxyBox));
    EXPECT_FALSE(Enabled(app.Control(ctl::ProxyUsernameEdit)));

    // The default results folder beside the program does not exist yet.
    wt::PostClick(app.Control(ctl::OpenResFolder));
    HWND box = wt::WaitForDialogOwnedBy(app.main);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(wt::TextOf(GetDlgItem(box, 0xFFFF)), "The results directory not exist.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(wt::WaitUntil([&] { return !IsWindow(box); }));

    EXPECT_TRUE(app.Exit());
    wt::DeleteSettingsKey();
}

// Checks the given items of the open picker by clicking them, as the mouse does.
void CheckPickerItems(HWND list, std::initializer_list<const char*> items) {
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    for (const char* text : items) {
        const int index = static_cast<int>(SendMessageA(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(text)));
        ASSERT_NE(index, LB_ERR) << text;
        SendMessageA(list, LB_SETTOPINDEX, index, 0);
        const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
        const LPARAM at = MAKELPARAM(8, (index - top) * height + height / 2);
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
        EXPECT_NE(SendMessageA(list, LB_GETITEMDATA, index, 0), 0) << text << " checked";
    }
}

TEST(MainWindow, TimeLimitBoxShowsMinutesAndStoresSeconds) {
    wt::TempFolder bench{"mw_time_limit"};
    wt::CreateSettingsKey({{"GameTimeLimit", "90"}});
    StartedProgram app(bench.Path());
    ASSERT_NE(app.main, nullptr);
    HWND minutes = app.Control(ctl::TimeLimitEdit);
    wt::Click(app.Control(ctl::RzGroup1));
    wt::Click(app.Control(ctl::RzGroup1Items2));
    EXPECT_TRUE(wt::IsShown(minutes)) << "on the Demos & Quality page";
    EXPECT_EQ(wt::TextOf(minutes), "2") << "90 seconds show as the next whole minute";
    EXPECT_EQ(wt::ReadSettingsValue("GameTimeLimit"), "90") << "showing it stores nothing";

    wt::SetText(minutes, "15");
    EXPECT_TRUE(wt::SettingsValueBecomes("GameTimeLimit", "900"));
    SendMessageA(minutes, WM_KEYDOWN, VK_UP, 0);  // the arrow buttons' keyboard twin
    EXPECT_TRUE(wt::SettingsValueBecomes("GameTimeLimit", "960"));
    wt::SetText(minutes, "0");
    EXPECT_TRUE(wt::SettingsValueBecomes("GameTimeLimit", "0")) << "no limit";
    wt::SetText(minutes, "");
    EXPECT_EQ(wt::ReadSettingsValue("GameTimeLimit"), "0") << "an emptied field stores nothing";
    wt::SetText(minutes, "5000");
    EXPECT_TRUE(wt::SettingsValueBecomes("GameTimeLimit", "86400"));
    EXPECT_EQ(wt::TextOf(minutes), "1440") << "a day at most";
    EXPECT_TRUE(app.Exit());
    wt::DeleteSettingsKey();
}

TEST(MainWindow, CustomResolutionAndPicker) {
    wt::TempFolder bench{"mw_picker"};
    wt::CreateSettingsKey();
    StartedProgram app(bench.Path());
    ASSERT_NE(app.main, nullptr);
    HWND custom = app.Control(ctl::cusresbox);
    HWND possibilities = app.Control(ctl::CusPossibilities);

    wt::Click(custom);
    EXPECT_TRUE(Enabled(app.Control(ctl::CusWidth)));
    EXPECT_TRUE(Enabled(app.Control(ctl::CusHeight)));
    EXPECT_TRUE(Enabled(possibilities));
    EXPECT_TRUE(wt::SettingsValueBecomes("CusRes", "0")) << "switched on but no size yet";

    // Two sizes checked: Add takes the one that comes first in the list.
    wt::PostClick(possibilities);
    HWND picker = wt::WaitForWindow(app.program.ProcessId(), "TForm3");
    ASSERT_NE(picker, nullptr);
    HWND list = wt::FindControl(picker, ctl::RzCheckList1);
    ASSERT_TRUE(wt::WaitUntil([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) > 0; }));
    EXPECT_FALSE(Enabled(app.main)) << "the picker is modal";
    const auto indexOf = [&](const char* text) {
        return SendMessageA(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(text));
    };
    const bool smallerFirst = indexOf("1024 x 768") < indexOf("1280 x 1024");
    CheckPickerItems(list, {"1280 x 1024", "1024 x 768"});
    wt::Click(wt::FindControl(picker, ctl::RzButton1));
    EXPECT_TRUE(wt::WaitUntil([&] { return !IsWindowVisible(picker) && Enabled(app.main); }));
    EXPECT_EQ(wt::TextOf(app.Control(ctl::CusWidth)), smallerFirst ? "1024" : "1280");
    EXPECT_EQ(wt::TextOf(app.Control(ctl::CusHeight)), smallerFirst ? "768" : "1024");
    EXPECT_TRUE(wt::SettingsValueBecomes("CusW", smallerFirst ? "1024" : "1280"));
    EXPECT_TRUE(wt::SettingsValueBecomes("CusH", smallerFirst ? "768" : "1024"));
    EXPECT_TRUE(wt::SettingsValueBecomes("CusRes", "1")) << "a size added to a checked box switches it on";

    // The pointer leaving the custom box stores the switch again.
    wt::CreateSettingsKey({{"CusRes", "0"}});
    wt::PointerLeave(custom);
    EXPECT_TRUE(wt::WaitUntil([] { return wt::ReadSettingsValue("CusRes") == "1"; }));

    // Add with nothing checked: the list is rebuilt unchecked, nothing changes, nothing is stored.
    wt::CreateSettingsKey({{"CusRes", "1"}});
    wt::PostClick(possibilities);
    ASSERT_TRUE(wt::WaitUntil([&] { return IsWindowVisible(picker) && SendMessageA(list, LB_GETCOUNT, 0, 0) > 0; }));
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, i, 0), 0) << "item " << i;
    wt::Click(wt::FindControl(picker, ctl::RzButton1));
    EXPECT_TRUE(wt::WaitUntil([&] { return !IsWindowVisible(picker) && Enabled(app.main); }));
    EXPECT_EQ(wt::TextOf(app.Control(ctl::CusWidth)), smallerFirst ? "1024" : "1280");
    EXPECT_EQ(wt::ReadSettingsValue("CusW"), "<missing>");

    // Unchecking disables the three and keeps the texts.
    wt::Click(custom);
    EXPECT_FALSE(Enabled(app.Control(ctl::CusWidth)));
    EXPECT_FALSE(Enabled(possibilities));
    EXPECT_EQ(wt::TextOf(app.Control(ctl::CusHeight)), smallerFirst ? "768" : "1024");
    EXPECT_TRUE(wt::SettingsValueBecomes("CusRes", "0"));

    EXPECT_TRUE(app.Exit());
    wt::DeleteSettingsKey();
}

// Display scaling of 150 % for the programs started while it lives (Wine reads it at start).
class ScalingOf150Percent {
public:
    ScalingOf150Percent() {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        key_.Receive(), nullptr);
        const DWORD dpi = 144;
        RegSetValueExA(key_.Get(), "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    ~ScalingOf150Percent() { RegDeleteValueA(key_.Get(), "LogPixels"); }

private:
    ScopedRegKey key_;
};

// Every control lies wholly inside its parent's client area.
BOOL CALLBACK ExpectInsideParent(HWND child, LPARAM) {
    HWND parent = GetParent(child);
    RECT inner;
    RECT outer;
    GetWindowRect(child, &inner);
    GetClientRect(parent, &outer);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&outer), 2);
    RECT both;
    IntersectRect(&both, &inner, &outer);
    EXPECT_TRUE(EqualRect(&both, &inner)) << "control " << GetDlgCtrlID(child) << " is clipped";
    return TRUE;
}

TEST(MainWindow, LayoutScalesAt150Percent) {
    wt::TempFolder bench{"mw_dpi"};
    wt::CreateSettingsKey();
    ScalingOf150Percent scaling;
    StartedProgram app(bench.Path());
    ASSERT_NE(app.main, nullptr);
    RECT client;
    GetClientRect(app.main, &client);
    EXPECT_EQ(client.right, 762);
    EXPECT_EQ(client.bottom, 485);
    RECT run;
    GetWindowRect(app.Control(ctl::BenchButton), &run);
    EXPECT_EQ(run.right - run.left, 216) << "controls grow with the window";
    EnumChildWindows(app.main, ExpectInsideParent, 0);
    EXPECT_TRUE(app.Exit());
    wt::DeleteSettingsKey();
}

}  // namespace
