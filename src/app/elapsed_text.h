#pragma once
#include <string>

// The progress panel's line for the time a run has taken: "Elapsed time: 0:07",
// "Elapsed time: 12:34", from an hour on "Elapsed time: 1:02:03".
std::string ElapsedText(unsigned long seconds);
