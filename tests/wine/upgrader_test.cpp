// The upgrader for real: written from the program's resource, started as the program ends,
// replacing the program and its files and starting it again with "/afterupgrade".
#include <gtest/gtest.h>

#include <sstream>

#include "online/upgrader_handover_win.h"
#include "platform/folder_listing_win.h"
#include "platform/scoped_win.h"
#include "support/wine_test_support.h"
#include "support/window_automation.h"
#include "upgrader/upgrader_command.h"

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

bool Ended(const ScopedKernelHandle& process, DWORD timeoutMs) {
    return process && WaitForSingleObject(process.Get(), timeoutMs) == WAIT_OBJECT_0;
}

TEST(Upgrader, ProgramCarriesTheBuiltUpgraderAsItsResource) {
    wt::TempFolder folder{"upgrader_resource"};
    const HMODULE program =
        LoadLibraryExA((wt::Env("LURK_BIN_DIR") + "\\QWK_Lurkmark.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    const std::string path = folder.Path() + "Upgrader.exe";
    wt::WriteFileBytes(path, "older upgrader, longer than the new one would be: " + std::string(1000000, 'x'));
    EXPECT_TRUE(WriteUpgrader(program, path));
    EXPECT_EQ(wt::ReadFileBytes(path), wt::ReadFileBytes(BuiltUpgrader()));
    EXPECT_FALSE(WriteUpgrader(GetModuleHandleA(nullptr), folder.Path() + "none.exe"));  // no such resource here
    FreeLibrary(program);
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
    const DWORD before = GetTickCount();
    HandOverToUpgrader(resources, program, "/afterupgrade", false);
    EXPECT_LT(GetTickCount() - before, 10000u) << "the hand-over must not keep the program from ending";
    FreeLibrary(resources);
    const std::string upgrader = UpgraderPath(dir);
    ASSERT_TRUE(wt::FileExists(upgrader));

    // While the program runs nothing is touched (the upgrader has had time to try).
    Sleep(500);
    EXPECT_EQ(wt::ReadFileBytes(dir + "version.txt"), "1.2");
    EXPECT_EQ(Runs(dir).size(), 1u);

    wt::WriteFileBytes(dir + "release", "");
    EXPECT_TRUE(Ended(running, 30000));
    ASSERT_TRUE(wt::WaitUntil([&] { return Runs(dir).size() == 2; }, 30000)) << "the program was not started again";
    EXPECT_EQ(Runs(dir), (std::vector<std::string>{"QWK_Lurkmark.exe|/hold", "QWK_Lurkmark.exe|/afterupgrade"}));
    // The restarted program has ended once its file can be written again.
    EXPECT_TRUE(wt::WaitUntil([&] { return Writable(program); }, 30000));
    EXPECT_EQ(wt::ReadFileBytes(program), newProgram);
    EXPECT_EQ(wt::ReadFileBytes(dir + "version.txt"), "1.3");
    EXPECT_TRUE(FileNamesIn(dir, "*.uTMP").empty());

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
    wt::WriteFileBytes(program, oldProgram);
    wt::WriteFileBytes(dir + "setup.exe.uTMP", wt::ReadFileBytes(StandIn()));
    wt::WriteFileBytes(dir + "data.pk4", "old data");
    wt::WriteFileBytes(dir + "data.pk4.uTMP", "new data");

    ScopedKernelHandle upgrader =
        Start(ComposeUpgraderCommandLine(BuiltUpgrader(), program, "/afterupgrade", true), dir);
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
