#include "upgrader/upgrader_command.h"

std::string ComposeUpgraderCommandLine(const std::string& upgraderPath, const std::string& programPath,
                                       const std::string& restartParams, bool externalSetup) {
    // An empty restart argument travels as one blank.
    const std::string restart = restartParams.empty() ? " " : restartParams;
    return "\"" + upgraderPath + "\" \"" + programPath + "\" +" + restart + (externalSetup ? "1" : "0");
}

std::optional<UpgraderCommand> ParseUpgraderArguments(const std::vector<std::string>& args) {
    std::string text;
    for (const std::string& arg : args) text += (text.empty() ? "" : " ") + arg;
    if (text.empty()) return std::nullopt;
    UpgraderCommand command;
    command.externalSetup = text.back() == '1';
    if (text.back() == '0' || text.back() == '1') text.pop_back();
    // The last " +": a program folder may hold " +", the restart argument does not.
    const std::size_t plus = text.rfind(" +");
    if (plus == std::string::npos || plus == 0) return std::nullopt;
    command.programPath = text.substr(0, plus);
    command.restartArgument = text.substr(plus + 2);
    const std::size_t slash = command.programPath.rfind('\\');
    if (slash == std::string::npos) return std::nullopt;
    command.programFolder = command.programPath.substr(0, slash + 1);
    return command;
}

std::string RestartCommandLine(const std::string& path, const std::string& restartArgument) {
    return "\"" + path + "\" " + restartArgument;
}
