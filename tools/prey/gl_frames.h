#pragma once
#include <windows.h>

#include <string>

#include "frame_pacing.h"

// The GL library as the engine binds it: loaded by the name r_glDriver gives (opengl32 when
// empty), wglSwapBuffers taken from it by name.
struct GlLibrary {
    HMODULE module = nullptr;
    BOOL(WINAPI* swapBuffers)(HDC) = nullptr;
};

// False when the library does not load or lacks wglSwapBuffers (the engine then gives up).
bool LoadGlLibrary(const std::string& name, GlLibrary& gl);

// Plays FRAMES frames paced as asked, one swap on a window of the game's own at the end of each,
// after one swap before the clock starts (the engine's first frame, ahead of the demo's
// timing). Returns the seconds from that first swap to the last.
double PlayPacedFrames(const GlLibrary& gl, int width, int height, const FramePacing& pacing, long frames);
