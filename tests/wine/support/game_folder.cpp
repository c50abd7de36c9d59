#include "support/game_folder.h"

#include <stdexcept>

namespace wt {

GameFolder::GameFolder(const std::string& tempName, const std::string& gameName) : temp_(tempName) {
    paths_.BenchDir = temp_.Path();
    paths_.GamePath = temp_.Path() + gameName;
    paths_.CfgPath = paths_.GamePath + "\\base\\";
    paths_.DemosPath = paths_.CfgPath + "Demos\\";
    MakeFolders(paths_.DemosPath);
    const std::string exe = Env("LURK_TOOLS_DIR") + "\\prey.exe";
    if (!CopyFileA(exe.c_str(), (paths_.GamePath + "\\prey.exe").c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + exe);
    }
    const std::string demos = Env("LURK_BIN_DIR") + "\\Demos\\";
    MakeFolders(paths_.BenchDir + "Demos");
    for (const char* demo : {"rivo3v-6.demo", "rivo3v-5.demo"}) {
        if (!CopyFileA((demos + demo).c_str(), (paths_.BenchDir + "Demos\\" + demo).c_str(), FALSE)) {
            throw std::runtime_error(std::string("cannot copy ") + demos + demo);
        }
    }
}

void GameFolder::WriteCfgFile(const std::string& name, const std::string& bytes) const {
    WriteFileBytes(paths_.CfgPath + name, bytes);
}

bool GameFolder::HasCfgFile(const std::string& name) const { return FileExists(paths_.CfgPath + name); }

std::string GameFolder::ReadCfgFile(const std::string& name) const { return ReadFileBytes(paths_.CfgPath + name); }

void GameFolder::SetStandInControl(const std::string& text) const {
    WriteFileBytes(paths_.GamePath + "\\prey_standin.txt", text);
}

}  // namespace wt
