// frame_recorder_meter RECORDER CAPTURE [FRAMES]
// Loads the frame recorder RECORDER as a game does, with CAPTURE (created here, the program's
// 8 MB layout) named in LURK_FRAME_CAPTURE, and swaps FRAMES times (default 600,000) through
// its wglSwapBuffers, in rounds alternating with as many swaps through opengl32's own on the
// same window: the recorder's cost per swap against a bare swap, measured in one run. Then its
// memory: the process's private bytes and working set before the load and after the swaps, the
// recorder's image and the capture's view. Used by bench/frame_recorder_bench.sh.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/frame_capture_layout.h"

namespace {

using SwapFunction = BOOL(WINAPI*)(HDC);

SwapFunction SwapOf(HMODULE module) {
    return reinterpret_cast<SwapFunction>(reinterpret_cast<void*>(GetProcAddress(module, "wglSwapBuffers")));
}

std::int64_t Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// Nanoseconds per swap of COUNT swaps through SWAP.
double NsPerSwap(SwapFunction swap, HDC dc, long count, double frequency) {
    const std::int64_t start = Now();
    for (long i = 0; i < count; ++i) swap(dc);
    return 1e9 * static_cast<double>(Now() - start) / frequency / count;
}

PROCESS_MEMORY_COUNTERS_EX Memory() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    return counters;
}

double Kilobytes(double bytes) { return bytes / 1024.0; }

bool WriteCapture(const std::string& path) {
    std::string bytes(kFrameCaptureFileBytes, '\0');
    std::memcpy(&bytes[0], kFrameCaptureMagic, 8);
    std::memcpy(&bytes[8], &kFrameCaptureCapacity, 4);
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: frame_recorder_meter RECORDER CAPTURE [FRAMES]\n");
        return 2;
    }
    const long frames = argc > 3 ? std::atol(argv[3]) : 600000;
    if (frames <= 0 || static_cast<unsigned long>(frames) >= kFrameCaptureCapacity) {
        std::fprintf(stderr, "FRAMES must be between 1 and %u\n", kFrameCaptureCapacity - 1);
        return 2;
    }
    if (!WriteCapture(argv[2])) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    const HWND window =
        CreateWindowExA(0, "STATIC", "frames", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
    const HDC dc = GetDC(window);
    // opengl32 loaded and its first swap made first (Wine loads its GL driver then), so the
    // memory after the recorder's load and swaps is the recorder's alone.
    const SwapFunction bare = SwapOf(LoadLibraryA("opengl32"));
    if (bare) bare(dc);
    const PROCESS_MEMORY_COUNTERS_EX before = Memory();
    SetEnvironmentVariableA(kFrameCaptureVariable, argv[2]);
    const HMODULE recorder = LoadLibraryA(argv[1]);
    const SwapFunction recorded = recorder ? SwapOf(recorder) : nullptr;
    if (!bare || !recorded) {
        std::fprintf(stderr, "cannot load %s or opengl32's wglSwapBuffers\n", argv[1]);
        return 1;
    }
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const double hz = static_cast<double>(frequency.QuadPart);

    // Rounds alternate, so a slower moment of a shared machine weighs on both alike; the
    // median round of each is the figure.
    const int rounds = 20;
    const long perRound = frames / rounds;
    std::vector<double> bareNs, recordedNs;
    for (int round = 0; round < rounds; ++round) {
        bareNs.push_back(NsPerSwap(bare, dc, perRound, hz));
        recordedNs.push_back(NsPerSwap(recorded, dc, round + 1 < rounds ? perRound : frames - perRound * round, hz));
    }
    std::sort(bareNs.begin(), bareNs.end());
    std::sort(recordedNs.begin(), recordedNs.end());
    const double bareMedian = bareNs[rounds / 2];
    const double recordedMedian = recordedNs[rounds / 2];
    const PROCESS_MEMORY_COUNTERS_EX after = Memory();

    MODULEINFO image{};
    GetModuleInformation(GetCurrentProcess(), recorder, &image, sizeof image);
    std::uint32_t stored = 0;
    {
        const HANDLE file = CreateFileA(argv[2], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
        DWORD read = 0;
        SetFilePointer(file, 24, nullptr, FILE_BEGIN);
        ReadFile(file, &stored, 4, &read, nullptr);
        CloseHandle(file);
    }
    std::printf("swaps: %ld through the recorder, %ld through opengl32, in %d alternating rounds\n", frames,
                perRound * rounds, rounds);
    std::printf("stamps counted in the capture: %u\n", stored);
    std::printf("bare swap: %.0f ns (rounds %.0f to %.0f)\n", bareMedian, bareNs.front(), bareNs.back());
    std::printf("recorded swap: %.0f ns (rounds %.0f to %.0f)\n", recordedMedian, recordedNs.front(), recordedNs.back());
    std::printf("recorder's cost: %.0f ns per swap, ratio %.2f\n", recordedMedian - bareMedian, recordedMedian / bareMedian);
    std::printf("recorder's image (as built, with symbols): %.0f KB; capture view: %.0f KB, of it written: %.0f KB\n", Kilobytes(image.SizeOfImage),
                Kilobytes(kFrameCaptureFileBytes), Kilobytes(kFrameCaptureHeaderBytes + 8.0 * frames));
    std::printf("process private bytes: %+.0f KB; working set: %+.0f KB (from before the load to after the swaps)\n",
                Kilobytes(static_cast<double>(after.PrivateUsage) - static_cast<double>(before.PrivateUsage)),
                Kilobytes(static_cast<double>(after.WorkingSetSize) - static_cast<double>(before.WorkingSetSize)));
    FreeLibrary(recorder);
    ReleaseDC(window, dc);
    DestroyWindow(window);
    return stored == static_cast<std::uint32_t>(frames) ? 0 : 1;
}
