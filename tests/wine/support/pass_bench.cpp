#include "support/pass_bench.h"

namespace wt {

PassBench::PassBench(const std::string& tempName, const std::string& gameName, const std::string& resultsName,
                     const UserFiles& userFiles)
    : game(tempName, gameName) {
    paths = game.Paths();
    paths.ResultPath = paths.BenchDir + resultsName + "\\";
    MakeFolders(paths.ResultPath);
    game.WriteCfgFile("autoexec.cfg", userFiles.autoexec);
    game.WriteCfgFile("preyconfig.cfg", userFiles.preyconfig);
    exe = InstallProgram(paths.BenchDir);
}

PassBench::~PassBench() { DeleteSettingsKey(); }

void PassBench::CreateSettings(std::map<std::string, std::string> values) const {
    values.emplace("Path", paths.GamePath);
    values.emplace("ResultPath", paths.ResultPath);
    values.emplace("Programversion", "1.0");
    values.emplace("NoErrorWarning", "0");
    CreateSettingsKey(values);
}

std::string PassBench::Command(const std::string& arguments) const {
    return "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
}

std::string PassBench::DebugLog() const { return ReadFileBytes(paths.BenchDir + "debug.txt"); }

}  // namespace wt
