#pragma once
#include <string>
#include <vector>

#include "results/run_record.h"

// Checks that a run's score is what was asked, from evidence in the game's console log. A
// log without the lines a check needs (older builds, other locales) gives no flag.

// The last "created window @ X,Y (WxH)" (the window the demo played in) and the first
// "N frames rendered in S seconds = F fps" (the line the score was taken from).
RunEvidence ReadRunEvidence(const std::string& logText);

// "The game ran at W×H, not at the resolution asked." when the window had another size.
std::vector<RunFlag> WindowSizeFlags(const RunEvidence& evidence, int askedWidth, int askedHeight);

// A log whose F cannot be N / S, however the printed S and F were rounded.
std::vector<RunFlag> InconsistentLogFlags(const RunEvidence& evidence);

// A run that rendered fewer frames than the most any other run of the demo rendered in the
// pass: the demo did not play whole. otherFrames: the other runs' counts (with evidence).
std::vector<RunFlag> ShortDemoFlags(const RunEvidence& evidence, const std::vector<long>& otherFrames);
