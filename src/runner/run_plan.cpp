#include "runner/run_plan.h"

namespace {

bool CustomPlanned(const OptionState& options) {
    return options.customOn && !options.customWidth.empty() && !options.customHeight.empty();
}

bool IsPlanned(const RunSelection& selection, ResolutionPosition position) {
    if (selection.batchMode) {
        // The custom size has no switch token: it never runs in a batch pass.
        return position != kCustomPosition && selection.bench.resolution == ResolutionTable[position].token;
    }
    if (position == kCustomPosition) return CustomPlanned(selection.options);
    return selection.options.resolutions[position].checked;
}

}  // namespace

int CountPlannedRuns(const OptionState& options) {
    int count = CustomPlanned(options) ? 1 : 0;
    for (const ResolutionItem& item : options.resolutions) {
        if (item.checked) ++count;
    }
    return count;
}

std::optional<ResolutionPosition> NextPlannedRun(const RunSelection& selection, ResolutionPosition from) {
    for (ResolutionPosition p = from; p <= kCustomPosition; ++p) {
        if (IsPlanned(selection, p)) return p;
    }
    return std::nullopt;
}
