// The process runner with real processes: end notices on this thread, exit codes, the busy
// refusal and the system's own error text.
#include "runner/process_runner_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/os_error_win.h"
#include "platform/shell_win.h"
#include "support/message_pump.h"
#include "support/pass_environment.h"
#include "support/wine_test_support.h"

namespace {

std::string Cmd(const std::string& arguments) {
    return SystemFolder() + "\\cmd.exe /c " + arguments;
}

struct Notice {
    int exitCode;
    DWORD threadId;
    bool runningInHandler;
};

class ProcessRunnerTest : public ::testing::Test {
protected:
    ProcessRunnerTest() {
        runner.SetOnTerminate([this](ProcessRunner& r, int exitCode) {
            notices.push_back({exitCode, GetCurrentThreadId(), r.Running()});
        });
    }
    bool WaitForNotices(std::size_t count) {
        return wt::PumpMessagesUntil([&] { return notices.size() >= count; });
    }

    WinProcessRunner runner;
    std::vector<Notice> notices;
};

TEST_F(ProcessRunnerTest, ReportsTheExitCodeOnTheCallingThreadWhenIdle) {
    runner.SetCommandLine(Cmd("exit 3"));
    runner.Run();
    EXPECT_TRUE(runner.Running());
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(notices[0].exitCode, 3);
    EXPECT_EQ(notices[0].threadId, GetCurrentThreadId());
    EXPECT_FALSE(notices[0].runningInHandler);
    EXPECT_FALSE(runner.Running());
}

TEST_F(ProcessRunnerTest, SecondRunBeforeTheEndNoticeIsRefused) {
    runner.SetCommandLine(Cmd("exit 0"));
    runner.Run();
    // Until the notice has been handled on this thread the runner counts as running, however
    // quickly the process itself ends.
    try {
        runner.Run();
        FAIL() << "a busy runner started a second process";
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "Cannot perform this operation when process is running");
    }
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(notices.size(), 1u);
}

TEST_F(ProcessRunnerTest, HandlerMayStartTheSameRunnerAgain) {
    runner.SetOnTerminate([this](ProcessRunner& r, int exitCode) {
        notices.push_back({exitCode, GetCurrentThreadId(), r.Running()});
        if (notices.size() == 1) {
            r.SetCommandLine(Cmd("exit 9"));
            r.Run();
        }
    });
    runner.SetCommandLine(Cmd("exit 4"));
    runner.Run();
    ASSERT_TRUE(WaitForNotices(2));
    EXPECT_EQ(notices[0].exitCode, 4);
    EXPECT_EQ(notices[1].exitCode, 9);
}

TEST_F(ProcessRunnerTest, MissingProgramFailsWithTheSystemsMessage) {
    wt::TempFolder folder{"runner_missing"};
    runner.SetCommandLine(folder.Path() + "no-such-program.exe");
    runner.SetCurrentDirectory(folder.Path());
    try {
        runner.Run();
        FAIL() << "a missing program was started";
    } catch (const OsError& e) {
        EXPECT_EQ(e.Code(), static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
        EXPECT_STREQ(e.what(), OsErrorFromCode(ERROR_FILE_NOT_FOUND).what());
        EXPECT_GT(std::string(e.what()).size(), 5u);
    }
    EXPECT_FALSE(runner.Running());
    // The failed start leaves the runner usable.
    runner.SetCommandLine(Cmd("exit 0"));
    runner.Run();
    ASSERT_TRUE(WaitForNotices(1));
}

TEST_F(ProcessRunnerTest, RunsAnUnquotedBatchFileInAFolderWithSpaces) {
    wt::TempFolder temp{"runner_bat"};
    const std::string game = temp.Path() + "Prey Game\\";
    wt::MakeFolders(game);
    wt::WriteFileBytes(game + "Lurkmark.bat", "echo ran> out.txt\r\nexit 7\r\n");
    runner.SetCommandLine(game + "Lurkmark.bat");
    runner.SetCurrentDirectory(game);
    runner.Run();
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(notices[0].exitCode, 7);
    EXPECT_EQ(wt::ReadFileBytes(game + "out.txt"), "ran\r\n");
}

// The game finds the capture file in its environment: the variable reaches the batch file and
// the programs it starts, one of the same name in other case gives way, and the program's own
// environment (PATH among it) is handed on whole.
TEST_F(ProcessRunnerTest, AddedVariablesReachTheBatchFileAndItsChildrenBesideTheProgramsOwn) {
    wt::TempFolder temp{"runner_env"};
    const std::string game = temp.Path() + "Prey Game\\";
    wt::MakeFolders(game);
    wt::WriteFileBytes(game + "Lurkmark.bat",
                       "echo [%LURK_FRAME_CAPTURE%][%LURK_OWN%]> out.txt\r\n"
                       "cmd /c echo [%%LURK_FRAME_CAPTURE%%]>> out.txt\r\n"
                       "if defined PATH echo path>> out.txt\r\n");
    wt::ScopedEnvironment own("LURK_OWN", "kept");
    wt::ScopedEnvironment stale("Lurk_Frame_Capture", "stale");
    runner.SetAddedVariables({{"LURK_FRAME_CAPTURE", "C:\\Data\\Lurkmark frames.capture"}});
    runner.SetCommandLine("cmd.exe /c \"\"" + game + "Lurkmark.bat\"\"");
    runner.SetProgram(SystemFolder() + "\\cmd.exe");
    runner.SetCurrentDirectory(game);
    runner.Run();
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(wt::ReadFileBytes(game + "out.txt"),
              "[C:\\Data\\Lurkmark frames.capture][kept]\r\n[C:\\Data\\Lurkmark frames.capture]\r\npath\r\n");

    // Without added variables the process inherits the program's environment as it is.
    runner.SetAddedVariables({});
    runner.Run();
    ASSERT_TRUE(WaitForNotices(2));
    EXPECT_EQ(wt::ReadFileBytes(game + "out.txt"), "[stale][kept]\r\n[stale]\r\npath\r\n");
}

// The game's batch file must not share the console of the prompt the program was started
// from (Ctrl+C there, or closing it, would reach the game); Wine shows no difference, so the
// test build's hook records what the runner asks of CreateProcess.
TEST_F(ProcessRunnerTest, StartsWithAConsoleOfItsOwnWithoutAWindow) {
    wt::TempFolder temp{"runner_console"};
    const std::string log = temp.Path() + "creation.log";
    wt::ScopedEnvironment record("LURK_CREATION_LOG", log);
    runner.SetCommandLine(Cmd("exit 5"));
    runner.Run();
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(notices[0].exitCode, 5) << "the process ran with those flags";
    const std::string line = wt::ReadFileBytes(log);
    ASSERT_EQ(line.size(), 8 + 1 + Cmd("exit 5").size() + 2) << line;
    EXPECT_EQ(line.substr(9), Cmd("exit 5") + "\r\n");
    const unsigned long flags = std::stoul(line.substr(0, 8), nullptr, 16);
    EXPECT_EQ(flags & CREATE_NO_WINDOW, static_cast<unsigned long>(CREATE_NO_WINDOW));
    // Either would undo CREATE_NO_WINDOW: the first shows a console, the second gives none.
    EXPECT_EQ(flags & (CREATE_NEW_CONSOLE | DETACHED_PROCESS), 0u);
}

TEST(ProcessRunner, DestroyedRunnerReportsNothing) {
    bool reported = false;
    {
        WinProcessRunner runner;
        runner.SetOnTerminate([&](ProcessRunner&, int) { reported = true; });
        runner.SetCommandLine(Cmd("exit 0"));
        runner.Run();
    }
    // A second runner's notice arrives after anything the first could still have posted.
    WinProcessRunner other;
    bool otherEnded = false;
    other.SetOnTerminate([&](ProcessRunner&, int) { otherEnded = true; });
    other.SetCommandLine(Cmd("exit 0"));
    other.Run();
    ASSERT_TRUE(wt::PumpMessagesUntil([&] { return otherEnded; }));
    EXPECT_FALSE(reported);
}

}  // namespace
