#pragma once
// A game folder for tests: the stand-in prey.exe, base\ and base\Demos\, under a fresh
// temporary folder whose own name may hold blanks.
#include <string>

#include "domain/app_paths.h"
#include "support/wine_test_support.h"

namespace wt {

class GameFolder {
public:
    // gameName: the game folder's own name, e.g. "Prey Game".
    GameFolder(const std::string& tempName, const std::string& gameName);

    // AppPaths as the settings load sets them for this game folder; BenchDir is the temporary
    // folder itself, holding the shipped demos in "Demos\".
    const AppPaths& Paths() const { return paths_; }
    const std::string& GamePath() const { return paths_.GamePath; }
    const std::string& CfgPath() const { return paths_.CfgPath; }

    // Files in base\ (the user's own configuration, the console log, ...).
    void WriteCfgFile(const std::string& name, const std::string& bytes) const;
    bool HasCfgFile(const std::string& name) const;
    std::string ReadCfgFile(const std::string& name) const;
    // The stand-in's failure modes ("mode crash", "score nan", "delay 3000"), one per line.
    void SetStandInControl(const std::string& text) const;

private:
    TempFolder temp_;
    AppPaths paths_;
};

}  // namespace wt
