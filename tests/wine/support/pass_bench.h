#pragma once
// Everything a whole pass of the real program needs on disk: the program in a bench folder, a
// game folder holding the user's own configuration files, a results folder, and the settings
// key as an installer leaves it (removed afterwards).
#include <map>
#include <string>

#include "domain/app_paths.h"
#include "support/game_folder.h"

namespace wt {

struct UserFiles {
    std::string autoexec;
    std::string preyconfig;
};

class PassBench {
public:
    // gameName and resultsName: the folders' own names inside the temporary folder.
    PassBench(const std::string& tempName, const std::string& gameName, const std::string& resultsName,
              const UserFiles& userFiles);
    ~PassBench();
    PassBench(const PassBench&) = delete;
    PassBench& operator=(const PassBench&) = delete;

    // The settings key with the game and results folders, version 1.0, no pass under way, and
    // the values given (which win).
    void CreateSettings(std::map<std::string, std::string> values) const;
    // The program's command line with the arguments.
    std::string Command(const std::string& arguments = "") const;
    std::string DebugLog() const;

    GameFolder game;
    AppPaths paths;
    std::string exe;
};

}  // namespace wt
