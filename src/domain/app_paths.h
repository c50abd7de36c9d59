#pragma once
#include <string>

// The one-line batch file in the game folder through which the game is started.
constexpr const char* kGameBatchFileName = "Lurkmark.bat";

// The folders every part of the program works in.
struct AppPaths {
    std::string BenchDir;    // the program's folder, with trailing backslash
    std::string GamePath;    // the game folder, without trailing backslash; empty while unknown
    std::string CfgPath;     // GamePath + "\base\"
    std::string DemosPath;   // GamePath + "\base\Demos\"
    std::string ResultPath;  // the results folder as the results field shows it
    // Where the program writes its own working files (debug log, diagnostics report, batch
    // view file, default results folder, downloaded help file): empty for BenchDir, else the
    // per-machine data folder, with trailing backslash, used when BenchDir cannot be written.
    std::string DataDir;

    const std::string& WorkDir() const { return DataDir.empty() ? BenchDir : DataDir; }
};

// folder + "\" + name, without doubling the backslash of a drive root such as "C:\".
inline std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

// The results folder used when none is chosen or the chosen one is gone.
inline std::string DefaultResultPath(const std::string& benchDir) { return benchDir + "Benchmark\\"; }
