#include "runner/run_plan.h"

namespace {

bool CustomPlanned(const OptionState& options) {
    return options.customOn && !options.customWidth.empty() && !options.customHeight.empty();
}

}  // namespace

int CountPlannedRuns(const OptionState& options) {
    int count = CustomPlanned(options) ? 1 : 0;
    for (const ResolutionItem& item : options.resolutions) {
        if (item.checked) ++count;
    }
    return count;
}

bool IsPlanned(const RunSelection& selection, int position) {
    if (position < 0 || position > kCustomSlot) return false;
    if (selection.batchMode) {
        // The custom size has no switch token: it never runs in a batch pass.
        return position != kCustomSlot && selection.bench.resolution == ResolutionTable[position].token;
    }
    if (position == kCustomSlot) return CustomPlanned(selection.options);
    return selection.options.resolutions[position].checked;
}

int NextPlannedRun(const RunSelection& selection, int position) {
    for (int p = position < 0 ? 0 : position; p <= kCustomSlot; ++p) {
        if (IsPlanned(selection, p)) return p;
    }
    return kNoRun;
}

std::string RunKey(int position) {
    if (position == kCustomSlot) return kCustomRunKey;
    if (position < 0 || position > kCustomSlot) return "";
    return ResolutionTable[position].key;
}

int RunPosition(const std::string& key) {
    for (int p = 0; p <= kCustomSlot; ++p) {
        if (RunKey(p) == key) return p;
    }
    return kNoRun;
}
