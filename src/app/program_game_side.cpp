#include "app/program_game_side.h"

#include "gameconfig/pass_marks.h"
#include "runner/demo_preparation.h"
#include "runner/game_batch_file.h"
#include "runner/game_command_line.h"
#include "runner/run_plan.h"

void ProgramGameSide::PrepareDemo() {
    DemoPreparation ctx{p_.files, p_.fileOps, p_.paths};
    ::PrepareDemo(ctx, p_.mode.BatchMode, p_.bench, p_.options, p_.pass, p_.log);
}

void ProgramGameSide::ApplyFilterStep() { p_.config.FilterStep(p_.bench, p_.log); }

void ProgramGameSide::SelectAspect() { ::SelectAspect(p_.bench, p_.pass, p_.log); }

void ProgramGameSide::ApplyBoostStep() { p_.config.BoostStep(p_.bench); }

void ProgramGameSide::PrepareGameConfig() { p_.config.Prepare(p_.bench, p_.log); }

void ProgramGameSide::RestoreGameConfig(bool withDebugLines) {
    p_.config.Restore(withDebugLines ? &p_.log : nullptr);
}

int ProgramGameSide::CountPlannedRuns() { return ::CountPlannedRuns(p_.options); }

std::optional<ResolutionPosition> ProgramGameSide::NextPlannedRun(ResolutionPosition from) {
    const RunSelection selection{p_.mode.BatchMode, p_.options, p_.bench};
    return ::NextPlannedRun(selection, from);
}

void ProgramGameSide::ComposeGameCommandLine(ResolutionPosition position) {
    ::ComposeGameCommandLine(position, p_.options, p_.pass);
}

void ProgramGameSide::WriteGameBatchFile() { ::WriteGameBatchFile(p_.paths, p_.pass); }

void ProgramGameSide::MarkPassUnderWay() { ::MarkPassUnderWay(p_.store); }

void ProgramGameSide::MarkPassRefused() { ::MarkPassRefused(p_.store); }

void ProgramGameSide::MarkPassEnded(bool batchPass) { ::MarkPassEnded(p_.store, batchPass); }
