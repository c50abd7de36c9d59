#pragma once
#include "app/debug_log.h"
#include "gameconfig/game_config.h"
#include "platform/file_operations.h"
#include "runner/pass_ports.h"

// The pass's view of the game side, over the program's own run plan, command line, game
// configuration and pass marks.
class ProgramGameSide : public GameSide {
public:
    struct Parts {
        const StartupMode& mode;
        const AppPaths& paths;
        const OptionState& options;
        BenchOptions& bench;
        PassState& pass;
        DebugLog& log;
        SettingsStore& store;
        FileSystem& files;
        FileOperations& fileOps;
        GameConfig& config;
    };
    explicit ProgramGameSide(Parts parts) : p_(parts) {}

    void PrepareDemo() override;
    void ApplyFilterStep() override;
    void SelectAspect() override;
    void ApplyBoostStep() override;
    void PrepareGameConfig() override;
    void RestoreGameConfig(bool withDebugLines) override;
    int CountPlannedRuns() override;
    std::optional<ResolutionPosition> NextPlannedRun(ResolutionPosition from) override;
    void ComposeGameCommandLine(ResolutionPosition position) override;
    void WriteGameBatchFile() override;
    std::string ShaderText() override { return p_.config.Texts().shader; }
    std::string AntialiasingText() override { return p_.config.Texts().antialiasing; }
    std::string FilteringText() override { return p_.config.Texts().filtering; }
    std::string BoostText() override { return p_.config.Texts().boost; }
    void MarkPassUnderWay() override;
    void MarkPassRefused() override;
    void MarkPassEnded(bool batchPass) override;

private:
    Parts p_;
};
