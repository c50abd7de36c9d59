#include "domain/log_sink.h"

void StartPassLog(LogSink& log, const std::string& programVersion, const AppPaths& paths) {
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
