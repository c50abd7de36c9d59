// The batch list of the real window, driven through its popup menu commands, and the batch
// file it saves, run afterwards by the command interpreter from the program's folder with
// the stand-in game: one unattended pass per line, then the results folder opened.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "platform/scoped_win.h"
#include "results/report_document.h"
#include "support/eventually.h"
#include "support/file_dialog.h"
#include "support/game_folder.h"
#include "support/process_list.h"
#include "support/started_program.h"
#include "support/window_automation.h"
#include "support/wine_test_support.h"

namespace {

constexpr int kReadOnlyBox = 0x410;  // chx1

// A popup menu command that shows nothing modal.
void Command(const wt::StartedProgram& app, int id) { SendMessageA(app.main, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
// A popup menu command that opens a message box or dialog: it must not block the test.
void PostCommand(const wt::StartedProgram& app, int id) { PostMessageA(app.main, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

// Answers the dialog owned by `owner` with `button` and returns the text it showed.
std::string AnswerBox(HWND owner, int button) {
    HWND box = wt::WaitForDialogOwnedBy(owner);
    if (!box) return "<no dialog>";
    const std::string text = wt::TextOf(GetDlgItem(box, 0xFFFF));
    PostMessageA(box, WM_COMMAND, button, 0);
    EXPECT_TRUE(wt::WaitUntil([&] { return !IsWindow(box); }));
    return text;
}

// The shell handed the view file to Notepad: its window shows that file; it is closed.
void CloseViewerOfTheViewFile(const std::set<DWORD>& notepadsBefore) {
    std::set<DWORD> viewers;
    ASSERT_TRUE(wt::WaitUntil([&] {
        viewers = wt::NewProcesses(notepadsBefore, wt::ProcessesNamed("notepad.exe"));
        return !viewers.empty();
    })) << "no viewer started";
    ASSERT_EQ(viewers.size(), 1u);
    const std::set<std::string> captions = wt::WindowCaptionsOf(*viewers.begin());
    EXPECT_EQ(captions.size(), 1u);
    for (const std::string& caption : captions) EXPECT_NE(caption.find("batchview.txt"), std::string::npos) << caption;
    EXPECT_TRUE(wt::CloseProcess(*viewers.begin()));
}

bool NoDialogOwnedBy(HWND owner) { return wt::WaitForDialogOwnedBy(owner, 300) == nullptr; }

// The save dialog, open over the main window.
HWND WaitForSaveDialog(HWND main) { return wt::WaitForFileDialog(main); }

// Types the name into the save dialog and presses Save (the dialog may then ask more).
void TypeNameAndSave(HWND dialog, const std::string& name) { wt::TypeNameAndConfirm(dialog, name); }

bool Closes(HWND window) { return wt::WaitUntil([&] { return !IsWindow(window); }); }

std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

std::vector<std::string> ReportsIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstFileA((folder + "result_*.htm").c_str(), &data));
    if (!find.Valid()) return names;
    do names.push_back(data.cFileName);
    while (FindNextFileA(find.Get(), &data));
    return names;
}

// Text files open in Notepad, as on every Windows; a fresh Wine prefix knows the "txtfile"
// type but does not tie ".txt" to it.
class TextFilesOpenInNotepad {
public:
    TextFilesOpenInNotepad() {
        ScopedRegKey existing;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".txt", 0, KEY_READ, existing.Receive()) == ERROR_SUCCESS) return;
        ScopedRegKey key;
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, ".txt", 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Receive(), nullptr) !=
            ERROR_SUCCESS) {
            ADD_FAILURE() << "cannot associate .txt";
            return;
        }
        RegSetValueExA(key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("txtfile"), 8);
        created_ = true;
    }
    ~TextFilesOpenInNotepad() {
        if (created_) RegDeleteKeyA(HKEY_CLASSES_ROOT, ".txt");
    }

private:
    bool created_ = false;
};

// The user's long time format for the programs started while it lives.
class UserTimeFormat {
public:
    explicit UserTimeFormat(const char* format) {
        char old[80] = {};
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, old, sizeof old);
        old_ = old;
        SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, format);
    }
    ~UserTimeFormat() { SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, old_.c_str()); }

private:
    std::string old_;
};

// The check box on the Paths page: stored at once, shown again at the next start, and the
// batch list's lines then end with /QUIET; unticked, they are as they always were.
TEST(BatchFile, QuietCheckBoxAddsTheSwitchToTheLinesAndIsKept) {
    wt::GameFolder game{"batch_quiet", "Prey Game"};
    const std::string bench = game.Paths().BenchDir;
    wt::CreateSettingsKey({{"Path", game.GamePath()}, {"ResultPath", bench}});
    TextFilesOpenInNotepad textViewer;
    const std::string line = "QWK_Lurkmark.exe /Batch /DEMO1 /640 /AR43 /SHIGH /AA2 /AF16";
    const std::string viewFile = bench + "batchview.txt";
    {
        wt::StartedProgram app(bench);
        ASSERT_NE(app.main, nullptr);
        EXPECT_FALSE(wt::IsChecked(app.Control(ctl::BatchQuietCheckBox))) << "off by default";
        wt::Click(app.Control(ctl::ResItemBase + 0));
        wt::Click(app.Control(ctl::DemoItemBase + 0));
        wt::Click(app.Control(ctl::AspectItemBase + 0));
        wt::Click(app.Control(ctl::ShaderItemBase + 2));
        wt::SelectComboItem(app.Control(ctl::AABox), 1);
        wt::SelectComboItem(app.Control(ctl::AFBox), 4);
        Command(app, ctl::Addsettings1);
        wt::Click(app.Control(ctl::BatchQuietCheckBox));
        EXPECT_TRUE(wt::SettingsValueBecomes("BatchQuiet", "1"));
        Command(app, ctl::Addsettings1);
        const std::set<DWORD> notepadsBefore = wt::ProcessesNamed("notepad.exe");
        Command(app, ctl::Viewbatch1);
        EXPECT_TRUE(wt::FileBecomes(viewFile, CrLfLines({line, line + " /QUIET"})));
        CloseViewerOfTheViewFile(notepadsBefore);
        EXPECT_TRUE(app.Exit());
    }
    wt::StartedProgram again(bench);
    ASSERT_NE(again.main, nullptr);
    EXPECT_TRUE(wt::IsChecked(again.Control(ctl::BatchQuietCheckBox))) << "kept in the settings key";
    wt::Click(again.Control(ctl::BatchQuietCheckBox));
    EXPECT_TRUE(wt::SettingsValueBecomes("BatchQuiet", "0"));
    EXPECT_TRUE(again.Exit());
}

TEST(BatchFile, SavedThroughTheWindowAndRunByTheCommandInterpreter) {
    wt::GameFolder game{"batch_file", "Prey Game"};
    const std::string bench = game.Paths().BenchDir;
    const std::string results = bench + "Results\\";
    wt::MakeFolders(results);
    wt::CreateSettingsKey({{"Path", game.GamePath()}, {"ResultPath", results}});

    TextFilesOpenInNotepad textViewer;
    // Started from another folder than its own, as a shortcut may do.
    wt::StartedProgram app(bench, "", game.GamePath());
    ASSERT_NE(app.main, nullptr);
    const std::set<DWORD> notepadsBefore = wt::ProcessesNamed("notepad.exe");

    // Empty list: New batch shows nothing, View batch says so.
    PostCommand(app, ctl::Newbatch1);
    EXPECT_TRUE(NoDialogOwnedBy(app.main));
    PostCommand(app, ctl::Viewbatch1);
    EXPECT_EQ(AnswerBox(app.main, IDOK), "The BatchList is empty. Nothing to view.");

    // The user's own demo cannot be named in a line: refused, nothing added.
    wt::Click(app.Control(ctl::ResItemBase + 0));  // 640 x 480
    wt::Click(app.Control(ctl::ResItemBase + 7));  // 1920 x 1080
    wt::Click(app.Control(ctl::DemoItemBase + 2));
    PostCommand(app, ctl::Addsettings1);
    EXPECT_NE(AnswerBox(app.main, IDOK).find("only the two shipped demos"), std::string::npos);

    // The second shipped demo, 16:9, high shaders, 2x antialiasing, 16x filtering, boost.
    wt::Click(app.Control(ctl::DemoItemBase + 1));
    wt::Click(app.Control(ctl::AspectItemBase + 1));
    wt::Click(app.Control(ctl::ShaderItemBase + 2));
    wt::SelectComboItem(app.Control(ctl::AABox), 1);
    wt::SelectComboItem(app.Control(ctl::AFBox), 4);
    wt::Click(app.Control(ctl::BoostCheckBox));
    Command(app, ctl::Addsettings1);
    EXPECT_TRUE(NoDialogOwnedBy(app.main)) << "Add settings shows nothing";
    const std::vector<std::string> lines = {
        "QWK_Lurkmark.exe /Batch /DEMO2 /640 /AR169 /SHIGH /AA2 /AF16 /BOOST",
        "QWK_Lurkmark.exe /Batch /DEMO2 /hdw2 /AR169 /SHIGH /AA2 /AF16 /BOOST",
    };
    const std::string closing = "QWK_Lurkmark.exe /Batch /Open";

    // View batch writes the view file and hands it to the text viewer.
    Command(app, ctl::Viewbatch1);
    const std::string viewFile = bench + "batchview.txt";
    EXPECT_TRUE(wt::FileBecomes(viewFile, CrLfLines(lines)));
    CloseViewerOfTheViewFile(notepadsBefore);

    // Save batch, cancelled: the view file goes, the closing line stays in the list.
    PostCommand(app, ctl::Savebatch1);
    HWND dialog = WaitForSaveDialog(app.main);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, kReadOnlyBox)));
    EXPECT_TRUE(wt::FileGoes(viewFile));
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(Closes(dialog));

    // New batch, No: the list is emptied.
    PostCommand(app, ctl::Newbatch1);
    EXPECT_EQ(AnswerBox(app.main, IDNO), "The batchlist isn't empty. Are you want to save now?");
    PostCommand(app, ctl::Savebatch1);
    EXPECT_EQ(AnswerBox(app.main, IDOK), "The batchlist is empty. Nothing to save.");

    // Save batch with a bare name: ".bat" is added and the file lands in the program's folder,
    // where the dialog opens (the program was started elsewhere).
    Command(app, ctl::Addsettings1);
    PostCommand(app, ctl::Savebatch1);
    dialog = WaitForSaveDialog(app.main);
    ASSERT_NE(dialog, nullptr);
    TypeNameAndSave(dialog, "run");
    EXPECT_TRUE(Closes(dialog));
    const std::string runFile = bench + "run.bat";
    EXPECT_TRUE(wt::FileBecomes(runFile, CrLfLines({lines[0], lines[1], closing})));

    // New batch, Yes: the dialog again, with a second closing line; it asks before replacing.
    PostCommand(app, ctl::Newbatch1);
    EXPECT_EQ(AnswerBox(app.main, IDYES), "The batchlist isn't empty. Are you want to save now?");
    dialog = WaitForSaveDialog(app.main);
    ASSERT_NE(dialog, nullptr);
    TypeNameAndSave(dialog, "run");
    EXPECT_NE(AnswerBox(dialog, IDNO).find("replace"), std::string::npos) << "the question before replacing";
    TypeNameAndSave(dialog, bench + "again.bat");
    EXPECT_TRUE(Closes(dialog));
    const std::string twice = CrLfLines({lines[0], lines[1], closing, closing});
    EXPECT_TRUE(wt::FileBecomes(bench + "again.bat", twice));
    EXPECT_EQ(wt::ReadFileBytes(runFile), CrLfLines({lines[0], lines[1], closing})) << "not replaced";

    // View after the saves shows the closing lines last; the list outlives New batch's Yes.
    Command(app, ctl::Viewbatch1);
    EXPECT_TRUE(wt::FileBecomes(viewFile, twice));
    CloseViewerOfTheViewFile(notepadsBefore);
    EXPECT_TRUE(app.Exit());
    EXPECT_TRUE(wt::FileGoes(viewFile)) << "the view file goes with the window";

    // The saved file, run from the program's folder. A time format without seconds gives both
    // passes the same start time when they fall into one minute: neither report may be lost.
    UserTimeFormat minutesOnly{"HH:mm"};
    const std::set<DWORD> explorersBefore = wt::ProcessesNamed("explorer.exe");
    const std::set<DWORD> programsBefore = wt::ProcessesNamed("QWK_Lurkmark.exe");
    wt::RunningProgram cmd("cmd /c run.bat", bench);
    ASSERT_TRUE(cmd.WaitForExit(120000)) << "the batch file did not finish";
    EXPECT_TRUE(wt::NewProcesses(programsBefore, wt::ProcessesNamed("QWK_Lurkmark.exe")).empty())
        << "every line's program ended before the file did";

    const std::vector<std::string> reports = ReportsIn(results);
    ASSERT_EQ(reports.size(), 2u);
    std::string bothReports;
    for (const std::string& name : reports) {
        const std::string report = wt::ReadFileBytes(results + name);
        EXPECT_NE(report.find(FooterLine(ReportDocument::Mode::Batch) + "\r\n"), std::string::npos) << name;
        EXPECT_NE(report.find(" FPS</b>"), std::string::npos) << name << " has no score";
        bothReports += report;
    }
    for (const char* key : {"640", "hdw2"}) {
        EXPECT_NE(bothReports.find(ResolutionHeading(key, "", "")), std::string::npos) << key;
    }

    // The closing line opened the results folder; the shell may still be starting its window.
    EXPECT_EQ(wt::CloseNewFolderWindows(explorersBefore, "Results"), 1);
    wt::DeleteSettingsKey();
}

}  // namespace

namespace {

// Saved anywhere else (a desktop), the file names the program by its full path and runs from
// the folder it lies in.
TEST(BatchFile, SavedOutsideTheProgramsFolderRunsFromThere) {
    wt::GameFolder game{"batch_elsewhere", "Prey Game"};
    const std::string bench = game.Paths().BenchDir;
    const std::string results = bench + "Results\\";
    const std::string desktop = bench + "My Desktop\\";
    wt::MakeFolders(results);
    wt::MakeFolders(desktop);
    wt::CreateSettingsKey({{"Path", game.GamePath()}, {"ResultPath", results}});
    {
        wt::StartedProgram app(bench);
        ASSERT_NE(app.main, nullptr);
        wt::Click(app.Control(ctl::ResItemBase + 0));  // 640 x 480
        wt::Click(app.Control(ctl::DemoItemBase + 0));
        wt::Click(app.Control(ctl::AspectItemBase + 1));
        wt::Click(app.Control(ctl::ShaderItemBase + 2));
        wt::SelectComboItem(app.Control(ctl::AABox), 1);
        wt::SelectComboItem(app.Control(ctl::AFBox), 4);
        Command(app, ctl::Addsettings1);
        PostCommand(app, ctl::Savebatch1);
        HWND dialog = WaitForSaveDialog(app.main);
        ASSERT_NE(dialog, nullptr);
        TypeNameAndSave(dialog, desktop + "run.bat");
        EXPECT_TRUE(Closes(dialog));
        EXPECT_TRUE(app.Exit());
    }
    const std::string program = "\"" + bench + "QWK_Lurkmark.exe\"";
    EXPECT_EQ(wt::ReadFileBytes(desktop + "run.bat"),
              CrLfLines({program + " /Batch /DEMO1 /640 /AR169 /SHIGH /AA2 /AF16", program + " /Batch /Open"}));

    const std::set<DWORD> explorersBefore = wt::ProcessesNamed("explorer.exe");
    wt::RunningProgram cmd("cmd /c run.bat", desktop);
    ASSERT_TRUE(cmd.WaitForExit(120000)) << "the batch file did not finish";
    const std::vector<std::string> reports = ReportsIn(results);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(wt::ReadFileBytes(results + reports[0]).find(" FPS</b>"), std::string::npos) << "no score";
    // The closing line opened the results folder; the shell may still be starting its window.
    EXPECT_EQ(wt::CloseNewFolderWindows(explorersBefore, "Results"), 1);
    wt::DeleteSettingsKey();
}

}  // namespace
