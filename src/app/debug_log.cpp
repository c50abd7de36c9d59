#include "app/debug_log.h"

#include "platform/text_file.h"

void DebugLog::Save(const std::string& benchDir) const {
    WriteLinesCrLf(benchDir + kFileName, lines_);
}

void StartPassLog(DebugLog& log, const std::string& programVersion, const AppPaths& paths) {
    const std::string rule(46, '=');
    log.Clear();
    log.Add(rule);
    log.Add("Quenwick Lurkmark debug information");
    log.Add(rule);
    log.Add("");
    log.Add("Benchmark version: " + programVersion);
    log.Add("Bench Path: " + paths.BenchDir);
    log.Add("Game Path: " + paths.GamePath + "\\");
    log.Add("Demos Path: " + paths.DemosPath);
    log.Add("CFG Path: " + paths.CfgPath);
    log.Add("");
    log.Add("Collecting settings information " + std::string(25, '-'));
}
