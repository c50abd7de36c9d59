#include "gl_frames.h"

#include <mmsystem.h>

bool LoadGlLibrary(const std::string& name, GlLibrary& gl) {
    gl.module = LoadLibraryA(name.c_str());
    if (!gl.module) return false;
    gl.swapBuffers = reinterpret_cast<BOOL(WINAPI*)(HDC)>(reinterpret_cast<void*>(GetProcAddress(gl.module, "wglSwapBuffers")));
    return gl.swapBuffers != nullptr;
}

namespace {

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency) {
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Waits until MS milliseconds after FROM: sleeps while more than 2 ms remain, then yields
// until the time comes, so a frame is never shorter than asked and rarely much longer.
void WaitUntil(const LARGE_INTEGER& from, double ms, const LARGE_INTEGER& frequency) {
    for (;;) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        const double left = ms - 1000.0 * Seconds(from, now, frequency);
        if (left <= 0) return;
        Sleep(left > 2.0 ? static_cast<DWORD>(left - 1.0) : 0);
    }
}

}  // namespace

double PlayPacedFrames(const GlLibrary& gl, int width, int height, const FramePacing& pacing, long frames) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PreyStandInWindow";
    RegisterClassA(&windowClass);
    // Never shown: the swaps need its device context, not the screen, and tests run the game
    // beside the program's own windows, whose focus it must not take.
    const HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Prey", WS_POPUP, 0, 0, width, height, nullptr,
                                        nullptr, windowClass.hInstance, nullptr);
    const HDC dc = GetDC(window);
    // Sleep's steps are the system timer's (15.6 ms on Windows unless asked for 1 ms).
    timeBeginPeriod(1);
    LARGE_INTEGER frequency, start, last;
    QueryPerformanceFrequency(&frequency);
    gl.swapBuffers(dc);
    QueryPerformanceCounter(&start);
    last = start;
    for (long frame = 1; frame <= frames; ++frame) {
        // Each frame from the end of the one before: a late frame stays late and does not
        // shorten the next.
        WaitUntil(last, FrameMilliseconds(pacing, frame), frequency);
        gl.swapBuffers(dc);
        QueryPerformanceCounter(&last);
    }
    timeEndPeriod(1);
    ReleaseDC(window, dc);
    DestroyWindow(window);
    return Seconds(start, last, frequency);
}
