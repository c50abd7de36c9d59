#pragma once
// A pass bench whose game folder holds the user's own configuration files, the program started
// interactively on it, and the stand-in game that a pass starts: what the fault scenarios share.
#include <windows.h>

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "gameconfig/game_config.h"
#include "platform/scoped_win.h"
#include "support/pass_bench.h"
#include "support/process_list.h"
#include "support/window_automation.h"
#include "support/wine_test_support.h"

namespace wt {

// The user's own files: accented letters, the euro sign and the copyright sign of code page
// 1252, mixed line ends, and no line end after the last line.
inline const char* const kUserAutoexec =
    "// r\xE9glages de J\xF6rg \xA9 2007\r\nbind F5 \"screenshot\"\r\nseta ui_name \"Ren\xE9\xE9 \x80\"";
inline const char* const kUserPreyconfig = "seta com_showFPS \"0\"\nseta r_gamma \"1.2\"\r\nseta ui_name \"\xC9milie\xFF\"";

struct UserBench : PassBench {
    UserBench(const std::string& tempName, const std::string& gameName, const std::string& resultsName = "Results")
        : PassBench(tempName, gameName, resultsName, {kUserAutoexec, kUserPreyconfig}) {}
    // The user's files are back byte for byte and nothing of a pass is left in base\.
    void ExpectUserFilesBack() const {
        EXPECT_EQ(game.ReadCfgFile("autoexec.cfg"), kUserAutoexec);
        EXPECT_EQ(game.ReadCfgFile("preyconfig.cfg"), kUserPreyconfig);
        EXPECT_EQ(Names(paths.CfgPath), (std::set<std::string>{"autoexec.cfg", "preyconfig.cfg", "Demos"}));
    }
    static std::set<std::string> Names(const std::string& folder) {
        std::set<std::string> names;
        WIN32_FIND_DATAA data;
        ScopedFind find(FindFirstFileA((folder + "*").c_str(), &data));
        if (!find.Valid()) return names;
        do {
            const std::string name = data.cFileName;
            if (name != "." && name != "..") names.insert(name);
        } while (FindNextFileA(find.Get(), &data));
        return names;
    }
};

// The stand-in game started by the pass: found among the processes, waited for by id.
class GameProcess {
public:
    explicit GameProcess(const std::set<DWORD>& before) {
        std::set<DWORD> started;
        WaitUntil([&] {
            started = NewProcesses(before, ProcessesNamed("prey.exe"));
            return !started.empty();
        }, 30000);
        if (started.size() == 1) process_.Reset(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, *started.begin()));
    }
    ~GameProcess() {
        if (Running()) TerminateProcess(process_.Get(), 1);
    }
    bool Found() const { return process_.Valid(); }
    bool Running() const { return Found() && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; }
    bool WaitForEnd() const { return Found() && WaitForSingleObject(process_.Get(), 30000) == WAIT_OBJECT_0; }

private:
    ScopedKernelHandle process_;
};

// The program started interactively.
struct InteractiveProgram {
    explicit InteractiveProgram(const UserBench& bench, const std::string& arguments = "")
        : program(bench.Command(arguments), bench.paths.BenchDir), paths(bench.paths) {}
    // The main window shows (after the splash).
    bool WaitForMain() {
        main = WaitForWindow(program.ProcessId(), "TForm1");
        return main != nullptr;
    }
    // The recovery question comes before the main window shows; answered with the button.
    bool AnswerRecovery(int button) {
        HWND box = WaitForWindow(program.ProcessId(), "#32770", 30000);
        if (!box) return false;
        EXPECT_EQ(TextOf(box), "Confirm");
        EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), kRecoveryQuestion);
        PostMessageA(box, WM_COMMAND, button, 0);
        return WaitForMain();
    }
    HWND Control(int id) const { return FindControl(main, id); }
    // The pass has finished: Run enabled again, the progress panel gone, and the clean-up that
    // follows has removed the console log and the game batch file.
    bool WaitForIdle(DWORD timeoutMs) const {
        return WaitUntil([&] {
            return IsWindowEnabled(Control(ctl::BenchButton)) && !IsShown(Control(ctl::Panel1)) &&
                   !FileExists(paths.CfgPath + "qconsole.log") &&
                   !FileExists(paths.GamePath + "\\Lurkmark.bat");
        }, timeoutMs);
    }
    bool Exit() {
        Click(Control(ctl::Image2));
        return program.WaitForExit(15000);
    }
    RunningProgram program;
    const AppPaths& paths;
    HWND main = nullptr;
};

}  // namespace wt
