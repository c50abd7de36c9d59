// What the user set survives a restart: the custom resolution, emptied fields, the other
// settings beside a bad game folder; the missing settings key is said once per start; a
// missing game folder is said before the machine is described.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/control_ids.h"
#include "settings/base64.h"
#include "support/eventually.h"
#include "support/started_program.h"
#include "support/window_automation.h"
#include "support/wine_test_support.h"

namespace {

using wt::StartedProgram;

std::string BoxText(HWND box) { return wt::TextOf(GetDlgItem(box, 0xFFFF)); }

void Answer(HWND box) {
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(wt::WaitUntil([&] { return !IsWindow(box); }));
}

TEST(SettingsMends, SizeAddedToACheckedCustomResolutionIsOnAfterARestart) {
    wt::TempFolder bench{"mend_custom"};
    wt::CreateSettingsKey();
    {
        StartedProgram app(bench.Path());
        ASSERT_NE(app.main, nullptr);
        wt::Click(app.Control(ctl::cusresbox));
        EXPECT_EQ(wt::ReadSettingsValue("CusRes"), "0") << "checked with empty fields";
        wt::PostClick(app.Control(ctl::CusPossibilities));
        HWND picker = wt::WaitForWindow(app.program.ProcessId(), "TForm3");
        ASSERT_NE(picker, nullptr);
        HWND list = wt::FindControl(picker, ctl::RzCheckList1);
        ASSERT_TRUE(wt::WaitUntil([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) > 0; }));
        // The picker's keyboard: a size checked with Space, then Add.
        const LRESULT index = SendMessageA(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("1280 x 1024"));
        ASSERT_NE(index, LB_ERR);
        SendMessageA(list, LB_SETCURSEL, index, 0);
        wt::PressSpace(list);
        wt::Click(wt::FindControl(picker, ctl::RzButton1));
        ASSERT_TRUE(wt::WaitUntil([&] { return !IsWindowVisible(picker); }));
        // The window stores the picked size after the picker has closed.
        EXPECT_TRUE(wt::SettingsValueBecomes("CusW", "1280"));
        EXPECT_TRUE(wt::SettingsValueBecomes("CusH", "1024"));
        EXPECT_TRUE(wt::SettingsValueBecomes("CusRes", "1"));
        EXPECT_TRUE(app.Exit());
    }
    StartedProgram again(bench.Path());
    ASSERT_NE(again.main, nullptr);
    EXPECT_TRUE(wt::IsChecked(again.Control(ctl::cusresbox)));
    EXPECT_EQ(wt::TextOf(again.Control(ctl::CusWidth)), "1280");
    EXPECT_EQ(wt::TextOf(again.Control(ctl::CusHeight)), "1024");
    EXPECT_TRUE(IsWindowEnabled(again.Control(ctl::CusPossibilities)));
    EXPECT_TRUE(again.Exit());
    wt::DeleteSettingsKey();
}

TEST(SettingsMends, EmptiedFieldsStayEmptyAfterARestart) {
    wt::TempFolder bench{"mend_empty"};
    wt::CreateSettingsKey({{"Note", "Good run"}, {"UseProxy", "1"}, {"ProxyServer", "proxy.lan"},
                           {"ProxyPort", "3128"}, {"ProxyUsername", "ann"},
                           {"ProxyPassword", EncodeBase64Mime("secret")}});
    const int fields[] = {ctl::NoteEdit, ctl::ProxyServerEdit, ctl::ProxyPortEdit, ctl::ProxyUsernameEdit,
                          ctl::ProxyPassEdit};
    {
        StartedProgram app(bench.Path());
        ASSERT_NE(app.main, nullptr);
        for (int id : fields) {
            // Deleted one character at a time, as Backspace does.
            std::string text = wt::TextOf(app.Control(id));
            ASSERT_FALSE(text.empty()) << "control " << id;
            while (!text.empty()) {
                text.pop_back();
                wt::SetText(app.Control(id), text);
            }
        }
        for (const char* name : {"Note", "ProxyServer", "ProxyPort", "ProxyUsername", "ProxyPassword"}) {
            EXPECT_EQ(wt::ReadSettingsValue(name), "") << name;
        }
        EXPECT_TRUE(app.Exit());
    }
    StartedProgram again(bench.Path());
    ASSERT_NE(again.main, nullptr);
    for (int id : fields) EXPECT_EQ(wt::TextOf(again.Control(id)), "") << "control " << id;
    EXPECT_TRUE(again.Exit());
    wt::DeleteSettingsKey();
}

TEST(SettingsMends, GameFolderWithoutBaseCostsNoOtherSettingAtAnyStart) {
    wt::TempFolder bench{"mend_badgame"};
    const std::string game = bench.Path() + "NotPrey";  // no base\ in it: base\Demos\ cannot be made
    const std::string results = bench.Path() + "Results\\";
    wt::MakeFolders(game);
    wt::MakeFolders(results);
    const std::map<std::string, std::string> stored = {
        {"Path", game}, {"ResultPath", results}, {"1024", "1"}, {"AspectRatio", "1"}, {"Shader", "2"},
        {"AFLevel", "4"}, {"Note", "kept"}, {"Boost", "1"}, {"NoErrorWarning", "0"}};
    wt::CreateSettingsKey(stored);
    const std::string exe = wt::InstallProgram(bench.Path());
    for (int start = 0; start < 2; ++start) {
        SCOPED_TRACE("start " + std::to_string(start + 1));
        wt::RunningProgram program("\"" + exe + "\"", bench.Path());
        HWND box = wt::WaitForWindow(program.ProcessId(), "#32770");
        ASSERT_NE(box, nullptr) << "the failure is reported";
        EXPECT_EQ(BoxText(box), "Cannot create " + game + "\\base\\Demos\\");
        Answer(box);
        HWND main = wt::WaitForWindow(program.ProcessId(), "TForm1");
        ASSERT_NE(main, nullptr);
        const auto control = [&](int id) { return wt::FindControl(main, id); };
        EXPECT_EQ(wt::TextOf(control(ctl::PreyPathEdit)), game);
        EXPECT_TRUE(wt::IsChecked(control(ctl::ResItemBase + 2)));
        EXPECT_TRUE(wt::IsChecked(control(ctl::AspectItemBase + 1)));
        EXPECT_TRUE(wt::IsChecked(control(ctl::ShaderItemBase + 2)));
        EXPECT_EQ(SendMessageA(control(ctl::AFBox), CB_GETCURSEL, 0, 0), 4);
        EXPECT_EQ(wt::TextOf(control(ctl::NoteEdit)), "kept");
        EXPECT_TRUE(wt::IsChecked(control(ctl::BoostCheckBox)));
        // Leaving the groups stores what they show: the same values.
        wt::PointerLeave(control(ctl::res));
        wt::PointerLeave(control(ctl::BoostCheckBox));
        wt::Click(control(ctl::Image2));
        ASSERT_TRUE(program.WaitForExit(15000));
        for (const auto& [name, value] : stored) EXPECT_EQ(wt::ReadSettingsValue(name), value) << name;
    }
    wt::DeleteSettingsKey();
}

TEST(SettingsMends, MissingSettingsKeyIsSaidOncePerStart) {
    wt::TempFolder bench{"mend_nokey"};
    wt::DeleteSettingsKey();
    for (int start = 0; start < 2; ++start) {
        SCOPED_TRACE("start " + std::to_string(start + 1));
        StartedProgram app(bench.Path());
        ASSERT_NE(app.main, nullptr);
        // Boost is stored at once and again when the pointer leaves: two failed writes. The
        // click is posted, as the notice it brings is modal.
        wt::PostClick(app.Control(ctl::BoostCheckBox));
        wt::PointerLeave(app.Control(ctl::BoostCheckBox));
        HWND box = wt::WaitForDialogOwnedBy(app.main, 20000);
        ASSERT_NE(box, nullptr);
        const std::string text = BoxText(box);
        EXPECT_NE(text.find("HKEY_LOCAL_MACHINE\\SOFTWARE\\Quenwick\\Lurkmark"), std::string::npos) << text;
        EXPECT_NE(text.find("CreateSettingsKey.exe"), std::string::npos) << text;
        Answer(box);
        // Every later change fails quietly.
        wt::Click(app.Control(ctl::ResItemBase + 0));
        wt::Type(app.Control(ctl::NoteEdit), "x");
        EXPECT_EQ(wt::WaitForDialogOwnedBy(app.main, 1000), nullptr) << "a second box";
        EXPECT_TRUE(app.Exit());
        EXPECT_EQ(wt::ReadSettingsValue("Boost"), "<missing>");
    }
}

TEST(SettingsMends, MissingGameFolderIsSaidBeforeTheDiagnosticsToolRuns) {
    wt::TempFolder bench{"mend_nogame"};
    wt::CreateSettingsKey({{"Path", bench.Path() + "Gone"}, {"640", "1"}, {"Demo", "1"}});
    StartedProgram app(bench.Path());
    ASSERT_NE(app.main, nullptr);
    // The diagnostics tool writes its report here and the pass reads and deletes it: a file
    // left as it was shows that the tool never ran.
    const std::string report = bench.Path() + "dxinfo.txt";
    wt::WriteFileBytes(report, "untouched");
    wt::PostClick(app.Control(ctl::BenchButton));
    HWND box = wt::WaitForDialogOwnedBy(app.main, 20000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), "ERROR. Please, install the retail version of Prey.");
    EXPECT_EQ(wt::ReadFileBytes(report), "untouched") << "the diagnostics tool ran first";
    Answer(box);
    EXPECT_TRUE(wt::WaitUntil([&] { return IsWindowEnabled(app.Control(ctl::BenchButton)) != FALSE; }));
    EXPECT_FALSE(wt::IsShown(app.Control(ctl::Panel1)));
    EXPECT_TRUE(app.Exit());
    wt::DeleteSettingsKey();
}

}  // namespace
