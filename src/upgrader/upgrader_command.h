#pragma once
#include <optional>
#include <string>
#include <vector>

// The command line between the program and its upgrader:
//   "{upgrader}" "{program}" +{restart argument}{0 or 1}
// the last digit 1 meaning that the downloaded files include an external setup program.

// The program quotes both paths, so that a path with blanks is not split into a different
// program by the system.
std::string ComposeUpgraderCommandLine(const std::string& upgraderPath, const std::string& programPath,
                                       const std::string& restartParams, bool externalSetup);

struct UpgraderCommand {
    std::string programPath;
    std::string programFolder;  // with trailing backslash
    std::string restartArgument;
    bool externalSetup = false;
};

// The upgrader's arguments (without its own path), joined again with blanks. Nothing when
// there are none or they do not name a program before " +".
std::optional<UpgraderCommand> ParseUpgraderArguments(const std::vector<std::string>& args);

// How the upgrader starts a program again: its path quoted, a blank, the restart argument.
std::string RestartCommandLine(const std::string& path, const std::string& restartArgument);
