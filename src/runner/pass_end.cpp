#include "runner/pass_end.h"

#include <exception>

#include "runner/power_plan_switch.h"

void EndPass(PassContext& ctx, const PassEnd& end) {
    std::exception_ptr restoreFailure;
    if (end.filesBack) {
        try {
            ctx.game.RestoreGameConfig(end.restoreDebugLines);
        } catch (...) {
            restoreFailure = std::current_exception();
        }
    }
    if (ctx.watch) PutBackPowerPlan(*ctx.watch, ctx.settings, ctx.debugLog);
    // Files not all back keep the pass mark, so that the next start offers to put them back.
    if (restoreFailure) std::rethrow_exception(restoreFailure);
    if (end.saveLog) ctx.debugLog.Save(ctx.paths.WorkDir());
    if (end.window) {
        ctx.view.Pause(kPassPauseMs);
        ctx.view.HideProgressPanel();
    }
    if (end.filesBack) ctx.game.MarkPassEnded(ctx.mode.BatchMode);
    if (end.window) ctx.view.SetRunButtonEnabled(true);
}
