#pragma once
#include <string>

// How long each frame of a paced demo takes, chosen by the control key "pace":
//   steady:MS                      every frame MS milliseconds
//   spikes:MS:LONG:EVERY           MS, and LONG for every EVERYth frame (EVERY, 2 x EVERY, ...)
//   slow:MS:LONG:FIRST:COUNT       MS, and LONG for the COUNT frames from frame FIRST on
// Milliseconds may have decimals; frames count from 1.
struct FramePacing {
    double frameMs = 0;
    double longMs = 0;
    long every = 0;      // spikes
    long slowFirst = 0;  // slow section
    long slowCount = 0;
};

// False for text that is none of the forms above (or names no time, or a negative one).
bool ParsePacing(const std::string& text, FramePacing& pacing);

// The time frame N (from 1) takes.
double FrameMilliseconds(const FramePacing& pacing, long frame);
