// The upgrader for real: written from the program's resource, started as the program ends,
// replacing exactly the listed files whose bytes still have their hash, and starting the
// program again with "/afterupgrade".
#include <gtest/gtest.h>

#include <sstream>

#include "online/upgrader_handover_win.h"
#include "platform/folder_listing_win.h"
#include "platform/scoped_win.h"
#include "support/sha256_hex.h"
#include "support/window_automation.h"
#include "support/wine_test_support.h"
#include "upgrader/upgrader_command.h"
#include "upgrader/upgrader_input.h"

namespace {

std::string StandIn() { return wt::Env("LURK_BIN_DIR") + "\\tools\\upgrade_target.exe"; }
std::string BuiltUpgrader() { return wt::Env("LURK_BIN_DIR") + "\\..\\upgrader\\Upgrader.exe"; }

std::vector<std::string> Runs(const std::string& folder) {
    std::vector<std::string> lines;
    if (!wt::FileExists(folder + "runs.txt")) return lines;
    std::istringstream in(wt::ReadFileBytes(folder + "runs.txt"));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool Writable(const std::string& path) {
    return ScopedFile(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)).Valid();
}

ScopedKernelHandle Start(const std::string& commandLine, const std::string& folder) {
    std::string line = commandLine;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
        ADD_FAILURE() << "cannot start " << commandLine;
        return ScopedKernelHandle();
    }
    CloseHandle(pi.hThread);
    return ScopedKernelHandle(pi.hProcess);
}

// The plan the program makes for files it downloaded, each with the hash of these bytes.
UpgradePlan PlanFor(const std::vector<std::pair<std::string, std::string>>& downloads, bool externalSetup) {
    std::vector<std::string> names;
    for (const auto& d : downloads) names.push_back(d.first);
    UpgradePlan plan = PlanUpgrade(names, "QWK_Lurkmark.exe", externalSetup);
    for (std::size_t i = 0; i < plan.replacements.size(); ++i) plan.replacements[i].sha256 = wt::Sha256Hex(downloads[i].second);
    return plan;
}

// Writes the upgrader and its list into the folder and starts it for the program.
ScopedKernelHandle StartUpgrader(const std::string& dir, DWORD processId, const std::string& program,
                                 const UpgradePlan& plan, bool externalSetup) {
    const std::string upgrader = dir + "Upgrader.exe";
    wt::WriteFileBytes(upgrader, wt::ReadFileBytes(BuiltUpgrader()));
    wt::WriteFileBytes(UpgraderListPath(upgrader), ComposeUpgradeList(plan));
    return Start(ComposeUpgraderCommandLine(upgrader, processId, program, "/afterupgrade", externalSetup), dir);
}

// The upgrader's closing box: its text, after it is answered.
std::string AnswerBox(const ScopedKernelHandle& upgrader) {
    const HWND box = wt::WaitForWindow(GetProcessId(upgrader.Get()), "#32770", 30000);
    if (!box) return "<no box>";
    std::string text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string part = wt::TextOf(child);
        if (part.find("Lurkmark") != std::string::npos) text = part;
    }
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return text;
}

// Wine's per-program library settings: the library is looked for as a native one first, as
// for a Windows library; removed again at the end.
class NativeFirst {
public:
    NativeFirst(std::string library, std::vector<std::string> programs)
        : library_(std::move(library)), programs_(std::move(programs)) {
        for (const std::string& program : programs_) {
            HKEY key = nullptr;
            if (RegCreateKeyExA(HKEY_CURRENT_USER, Key(program).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                nullptr) != ERROR_SUCCESS) {
                ADD_FAILURE() << "cannot set Wine's library settings for " << program;
                continue;
            }
            const char value[] = "native,builtin";
            RegSetValueExA(key, library_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value);
            RegCloseKey(key);
        }
    }
    ~NativeFirst() {
        for (const std::string& program : programs_) {
            HKEY key;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, Key(program).c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) continue;
            RegDeleteValueA(key, library_.c_str());
            RegCloseKey(key);
        }
    }

private:
    static std::string Key(const std::string& program) {
        return "Software\\Wine\\AppDefaults\\" + program + "\\DllOverrides";
    }
    std::string library_;
    std::vector<std::string> programs_;
};

bool Ended(const ScopedKernelHandle& process, DWORD timeoutMs) {
    return process && WaitForSingleObject(process.Get(), timeoutMs) == WAIT_OBJECT_0;
}

TEST(Upgrader, ProgramCarriesTheBuiltUpgraderAsItsResource) {
    wt::TempFolder folder{"upgrader_resource"};
    const HMODULE program =
        LoadLibraryExA((wt::Env("LURK_BIN_DIR") + "\\QWK_Lurkmark.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    const std::string path = folder.Path() + "Upgrader.exe";
    std::string failure;
    EXPECT_TRUE(WriteUpgrader(program, path, failure).Valid());
    EXPECT_EQ(failure, "");
    EXPECT_EQ(wt::ReadFileBytes(path), wt::ReadFileBytes(BuiltUpgrader()));
    EXPECT_FALSE(WriteUpgrader(GetModuleHandleA(nullptr), folder.Path() + "none.exe", failure).Valid());
    EXPECT_EQ(failure, "the program carries no upgrader");
    EXPECT_FALSE(wt::FileExists(folder.Path() + "none.exe"));
    // A file already there, even one held open by its planter, is never reused or run.
    const std::string planted = folder.Path() + "planted.exe";
    wt::WriteFileBytes(planted, wt::ReadFileBytes(StandIn()));
    {
        ScopedFile held(CreateFileA(planted.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_FALSE(WriteUpgrader(program, planted, failure).Valid());
        EXPECT_EQ(failure.rfind(planted + " could not be written (error ", 0), 0u) << failure;
    }
    EXPECT_EQ(wt::ReadFileBytes(planted), wt::ReadFileBytes(StandIn()));
    FreeLibrary(program);
}

// Without a folder of its own for the upgrader the hand-over starts nothing and says why;
// the downloads are not touched.
TEST(Upgrader, HandOverWithoutAFolderOfItsOwnStartsNothing) {
    wt::TempFolder folder{"upgrader_no_folder"};
    const std::string missing = folder.Path() + "missing\\";
    wt::WriteFileBytes(folder.Path() + "QWK_Lurkmark.exe.uTMP", "download");
    char temp[MAX_PATH + 1];
    const DWORD n = GetEnvironmentVariableA("TMP", temp, sizeof temp);
    const std::string savedTemp(temp, n < sizeof temp ? n : 0);
    // No temporary folder, and the program's folder is gone: nowhere to write.
    SetEnvironmentVariableA("TMP", (missing + "temp").c_str());
    const HMODULE resources =
        LoadLibraryExA((wt::Env("LURK_BIN_DIR") + "\\QWK_Lurkmark.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(resources, nullptr);
    const HandOverResult result = HandOverToUpgrader(resources, GetCurrentProcessId(), missing + "QWK_Lurkmark.exe",
                                                     "/afterupgrade", false,
                                                     PlanFor({{"QWK_Lurkmark.exe.uTMP", "download"}}, false));
    FreeLibrary(resources);
    SetEnvironmentVariableA("TMP", savedTemp.empty() ? nullptr : savedTemp.c_str());
    EXPECT_EQ(result.failure.rfind("the folder " + missing + "Lurkmark upgrader ", 0), 0u) << result.failure;
    EXPECT_NE(result.failure.find(" could not be created (error "), std::string::npos) << result.failure;
    EXPECT_FALSE(wt::FolderExists(missing));
    EXPECT_EQ(wt::ReadFileBytes(folder.Path() + "QWK_Lurkmark.exe.uTMP"), "download");
}

TEST(Upgrader, HandOverReplacesTheProgramOnceItEndsAndStartsItAgain) {
    wt::TempFolder folder{"upgrader_self"};
    const std::string& dir = folder.Path();
    const std::string program = dir + "QWK_Lurkmark.exe";
    const std::string newProgram = wt::ReadFileBytes(StandIn()) + "bytes of the new version";
    wt::WriteFileBytes(program, wt::ReadFileBytes(StandIn()));
    ScopedKernelHandle running = Start("\"" + program + "\" /hold", dir);
    ASSERT_TRUE(wt::WaitUntil([&] { return Runs(dir).size() == 1; }, 30000));
    wt::WriteFileBytes(dir + "QWK_Lurkmark.exe.uTMP", newProgram);
    wt::WriteFileBytes(dir + "version.txt", "1.2");
    wt::WriteFileBytes(dir + "version.txt.uTMP", "1.3");

    const HMODULE resources =
        LoadLibraryExA((wt::Env("LURK_BIN_DIR") + "\\QWK_Lurkmark.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(resources, nullptr);
    // Planted beside the download, but not in the list the program hands over.
    wt::WriteFileBytes(dir + "planted.dll.uTMP", "not from the maker");
    wt::WriteFileBytes(dir + "version.txt.uTMP", "1.3");
    SetFileAttributesA((dir + "version.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    const DWORD before = GetTickCount();
    const HandOverResult handOver =
        HandOverToUpgrader(resources, GetProcessId(running.Get()), program, "/afterupgrade", false,
                           PlanFor({{"QWK_Lurkmark.exe.uTMP", newProgram}, {"version.txt.uTMP", "1.3"}}, false));
    EXPECT_LT(GetTickCount() - before, 10000u) << "the hand-over must not keep the program from ending";
    FreeLibrary(resources);
    EXPECT_EQ(handOver.failure, "");
    const std::string upgrader = handOver.upgraderPath;
    ASSERT_TRUE(wt::FileExists(upgrader));
    EXPECT_EQ(upgrader.rfind(HandOverParent(dir) + "Lurkmark upgrader ", 0), 0u) << upgrader;

    wt::WriteFileBytes(dir + "release", "");
    EXPECT_TRUE(Ended(running, 30000));
    // While the program ran nothing was touched: the stand-in read version.txt last thing.
    EXPECT_EQ(wt::ReadFileBytes(dir + "seen at end.txt"), "1.2");
    ASSERT_TRUE(wt::WaitUntil([&] { return Runs(dir).size() == 2; }, 30000)) << "the program was not started again";
    EXPECT_EQ(Runs(dir), (std::vector<std::string>{"QWK_Lurkmark.exe|/hold", "QWK_Lurkmark.exe|/afterupgrade"}));
    // The restarted program has ended once its file can be written again.
    EXPECT_TRUE(wt::WaitUntil([&] { return Writable(program); }, 30000));
    EXPECT_EQ(wt::ReadFileBytes(program), newProgram);
    EXPECT_EQ(wt::ReadFileBytes(dir + "version.txt"), "1.3") << "a read-only target is replaced too";
    EXPECT_EQ(FileNamesIn(dir, "*.uTMP"), std::vector<std::string>{"planted.dll.uTMP"}) << "applied only the list";
    EXPECT_FALSE(wt::FileExists(dir + "planted.dll"));

    // The upgrader ends right after the restart; the next program start removes it.
    EXPECT_TRUE(wt::WaitUntil([&] {
        DeleteLeftoverUpgrader(dir);
        return !wt::FileExists(upgrader);
    }, 30000));
}

TEST(Upgrader, ExternalSetupRunsFirstIsDeletedAndThenTheProgramStarts) {
    wt::TempFolder folder{"upgrader_setup"};
    const std::string& dir = folder.Path();
    const std::string program = dir + "QWK_Lurkmark.exe";
    const std::string oldProgram = wt::ReadFileBytes(StandIn()) + "old";
    const std::string setup = wt::ReadFileBytes(StandIn());
    wt::WriteFileBytes(program, oldProgram);
    wt::WriteFileBytes(dir + "setup.exe.uTMP", setup);
    wt::WriteFileBytes(dir + "data.pk4", "old data");
    wt::WriteFileBytes(dir + "data.pk4.uTMP", "new data");

    // The program has ended already: its process id names no process any more.
    ScopedKernelHandle upgrader = StartUpgrader(
        dir, 0, program, PlanFor({{"setup.exe.uTMP", setup}, {"data.pk4.uTMP", "new data"}}, true), true);
    ASSERT_TRUE(Ended(upgrader, 30000));
    DWORD exitCode = 99;
    GetExitCodeProcess(upgrader.Get(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
    ASSERT_TRUE(wt::WaitUntil([&] { return Runs(dir).size() == 2; }, 30000));
    EXPECT_EQ(Runs(dir), (std::vector<std::string>{"setup.exe|/afterupgrade", "QWK_Lurkmark.exe|/afterupgrade"}));
    EXPECT_TRUE(wt::WaitUntil([&] { return Writable(program); }, 30000));
    EXPECT_FALSE(wt::FileExists(dir + "setup.exe"));
    EXPECT_EQ(wt::ReadFileBytes(program), oldProgram);  // the setup program's business, not the upgrader's
    EXPECT_EQ(wt::ReadFileBytes(dir + "data.pk4"), "new data");
    EXPECT_TRUE(FileNamesIn(dir, "*.uTMP").empty());
}

// Downloads staged outside the program's folder (one the user may not write) are copied in.
TEST(Upgrader, DownloadsFromAStagingFolderAreCheckedAndCopiedIn) {
    wt::TempFolder folder{"upgrader_staged"};
    const std::string& dir = folder.Path();
    const std::string staged = dir + "staged\\";
    CreateDirectoryA(staged.c_str(), nullptr);
    const std::string program = dir + "QWK_Lurkmark.exe";
    wt::WriteFileBytes(program, wt::ReadFileBytes(StandIn()));
    wt::WriteFileBytes(dir + "data.pk4", "old data");
    wt::WriteFileBytes(staged + "data.pk4.uTMP", "new data");
    wt::WriteFileBytes(dir + "data.pk4.uTMP", "planted in the program's folder");

    UpgradePlan plan = PlanFor({{"data.pk4.uTMP", "new data"}}, false);
    plan.downloadFolder = staged;
    ScopedKernelHandle upgrader = StartUpgrader(dir, 0, program, plan, false);
    ASSERT_TRUE(Ended(upgrader, 30000));
    ASSERT_TRUE(wt::WaitUntil([&] { return Runs(dir).size() == 1; }, 30000));
    EXPECT_EQ(wt::ReadFileBytes(dir + "data.pk4"), "new data");
    EXPECT_FALSE(wt::FileExists(staged + "data.pk4.uTMP"));
    EXPECT_EQ(wt::ReadFileBytes(dir + "data.pk4.uTMP"), "planted in the program's folder");
}

// A file changed after the program checked it (or a list entry for a file that is not the
// download) is reported, and never replaces anything; the program still starts again.
TEST(Upgrader, AFileWhoseHashDiffersIsReportedNotApplied) {
    wt::TempFolder folder{"upgrader_hash"};
    const std::string& dir = folder.Path();
    const std::string program = dir + "QWK_Lurkmark.exe";
    const std::string oldProgram = wt::ReadFileBytes(StandIn());
    wt::WriteFileBytes(program, oldProgram);
    wt::WriteFileBytes(dir + "QWK_Lurkmark.exe.uTMP", "swapped in after the check");
    wt::WriteFileBytes(dir + "version.txt", "1.2");
    wt::WriteFileBytes(dir + "version.txt.uTMP", "1.3");

    ScopedKernelHandle upgrader = StartUpgrader(
        dir, 0, program,
        PlanFor({{"QWK_Lurkmark.exe.uTMP", "the verified download"}, {"version.txt.uTMP", "1.3"}}, false), false);
    EXPECT_EQ(AnswerBox(upgrader),
              "These files of Lurkmark were not updated:\r\nQWK_Lurkmark.exe (not the published file: not replaced)");
    ASSERT_TRUE(Ended(upgrader, 30000));
    ASSERT_TRUE(wt::WaitUntil([&] { return Runs(dir).size() == 1; }, 30000));
    EXPECT_TRUE(wt::WaitUntil([&] { return Writable(program); }, 30000));
    EXPECT_EQ(wt::ReadFileBytes(program), oldProgram);
    EXPECT_EQ(wt::ReadFileBytes(dir + "version.txt"), "1.3");
    EXPECT_TRUE(FileNamesIn(dir, "*.uTMP").empty());
}

// The upgrader runs from a temporary folder (elevated on protected installs): a "bcrypt.dll"
// planted beside it is never loaded, even with Wine told to prefer such native libraries.
TEST(Upgrader, ACryptoLibraryPlantedBesideItIsNotLoaded) {
    wt::TempFolder folder{"upgrader_planted_library"};
    const std::string& dir = folder.Path();
    const std::string planted = dir + "bcrypt.dll";
    const std::string marker = dir + "planted_library_loaded.txt";
    const std::string library = wt::ReadFileBytes(wt::Env("LURK_BIN_DIR") + "\\tools\\planted\\bcrypt.dll");
    wt::WriteFileBytes(planted, library);
    // Wine told to prefer a native bcrypt.dll for these two programs (its per-program settings).
    const NativeFirst nativeFirst("bcrypt", {"Upgrader.exe", "loader.exe"});
    // The attack works on a program that searches its own folder: the planted library is
    // loaded, and tells so.
    const std::string control = dir + "control\\";
    CreateDirectoryA(control.c_str(), nullptr);
    wt::WriteFileBytes(control + "bcrypt.dll", library);
    wt::WriteFileBytes(control + "loader.exe", wt::ReadFileBytes(StandIn()));
    ASSERT_TRUE(Ended(Start("\"" + control + "loader.exe\" /load bcrypt.dll", control), 30000));
    EXPECT_TRUE(wt::FileExists(control + "planted_library_loaded.txt")) << "the control did not load the library";

    const std::string program = dir + "QWK_Lurkmark.exe";
    wt::WriteFileBytes(program, wt::ReadFileBytes(StandIn()));
    wt::WriteFileBytes(dir + "version.txt", "1.2");
    wt::WriteFileBytes(dir + "version.txt.uTMP", "1.3");
    ScopedKernelHandle upgrader = StartUpgrader(dir, 0, program, PlanFor({{"version.txt.uTMP", "1.3"}}, false), false);
    ASSERT_TRUE(Ended(upgrader, 30000));
    // The hash was checked with the system's library, and the file applied.
    EXPECT_EQ(wt::ReadFileBytes(dir + "version.txt"), "1.3");
    ASSERT_TRUE(wt::WaitUntil([&] { return Runs(dir).size() == 1; }, 30000));
    EXPECT_TRUE(wt::WaitUntil([&] { return Writable(program); }, 30000));
    EXPECT_FALSE(wt::FileExists(marker)) << "the planted bcrypt.dll was loaded";
}

TEST(Upgrader, WithoutArgumentsShowsAnInformationBoxAndEnds) {
    wt::TempFolder folder{"upgrader_alone"};
    ScopedKernelHandle upgrader = Start("\"" + BuiltUpgrader() + "\"", folder.Path());
    // The upgrader may be the first program of this Wine session to show a window: the
    // desktop starts with it, which can take a while on a busy machine.
    const HWND box = wt::WaitForWindow(GetProcessId(upgrader.Get()), "#32770", 30000);
    if (!box) {
        DWORD exitCode = STILL_ACTIVE;
        GetExitCodeProcess(upgrader.Get(), &exitCode);
        FAIL() << "no message box; upgrader exit code " << exitCode << " (" << STILL_ACTIVE
               << ": still running); windows:" << wt::DescribeTopLevelWindows();
    }
    EXPECT_EQ(wt::TextOf(box), "Lurkmark Upgrader");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(Ended(upgrader, 30000));
    if (!Ended(upgrader, 0)) TerminateProcess(upgrader.Get(), 1);
}

}  // namespace
