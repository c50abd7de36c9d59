// QWK_FrameRecorder.dll: the game loads it as its GL library (r_glDriver) and binds every GL
// and WGL function from it by name. All of them but wglSwapBuffers are export forwarders to
// opengl32 (the generated .def), so no code of ours runs on their path; wglSwapBuffers swaps
// through the real one and then stores one counter stamp into the capture file the program
// named in the game's environment.
//
// Built without the C runtime: its own entry point, imports from kernel32 and opengl32 only.
// Any failure at load leaves it recording nothing: the game then runs as with opengl32 alone.
#include <windows.h>

#include <cstdint>

#include "recorder/capture_mapping.h"

// opengl32's own function; wingdi.h declares only gdi32's SwapBuffers. Importing it ties
// opengl32 to this library's load, so the forwarders resolve to the one the game would have
// found by itself (the same search, from the game's folder).
extern "C" __declspec(dllimport) BOOL WINAPI wglSwapBuffers(HDC dc);

namespace {

// The mapped capture file; null while nothing is recorded.
unsigned char* g_view = nullptr;
std::uint32_t* g_count = nullptr;
std::int64_t* g_stamps = nullptr;
std::uint32_t g_capacity = 0;

// Opens and maps the file the variable names; the view, or null when it is not one to store into.
unsigned char* MapCaptureFile() {
    char path[1024];
    const DWORD length = GetEnvironmentVariableA(kFrameCaptureVariable, path, sizeof path);
    if (length == 0 || length >= sizeof path) return nullptr;
    // OPEN_EXISTING: the program creates the file; the recorder never does.
    const HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    unsigned char* view = nullptr;
    unsigned char header[kFrameCaptureHeaderBytes];
    DWORD read = 0;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) && ReadFile(file, header, sizeof header, &read, nullptr) && read == sizeof header) {
        const std::uint64_t bytes =
            FrameCaptureMappedBytes(header, static_cast<std::uint64_t>(size.QuadPart), static_cast<SIZE_T>(-1));
        // The mapping and the file stay open as long as the view does: no handle to keep.
        const HANDLE mapping = bytes ? CreateFileMappingA(file, nullptr, PAGE_READWRITE, 0, 0, nullptr) : nullptr;
        if (mapping) {
            view = static_cast<unsigned char*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, static_cast<SIZE_T>(bytes)));
            CloseHandle(mapping);
        }
    }
    CloseHandle(file);
    return view;
}

void StartRecording() {
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency)) return;
    unsigned char* view = MapCaptureFile();
    if (!view) return;
    // The view starts on a page, so every field is aligned; Windows is little-endian throughout.
    *reinterpret_cast<std::uint32_t*>(view + 12) = GetCurrentProcessId();
    *reinterpret_cast<std::int64_t*>(view + 16) = frequency.QuadPart;
    g_view = view;
    g_capacity = FrameCaptureCapacity(view);
    g_count = reinterpret_cast<std::uint32_t*>(view + 24);
    g_stamps = reinterpret_cast<std::int64_t*>(view + kFrameCaptureHeaderBytes);
}

}  // namespace

// wglSwapBuffers as the game binds it (the .def exports it under that name). The real swap
// first, so the stamp marks the frame's end; then the counter and two stores. A count that
// would wrap stays at its largest value instead of overwriting the first stamps.
extern "C" BOOL WINAPI RecordedSwapBuffers(HDC dc) {
    const BOOL swapped = wglSwapBuffers(dc);
    if (g_count) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        const std::uint32_t n = *g_count;
        if (n < g_capacity) g_stamps[n] = now.QuadPart;
        if (n != 0xFFFFFFFFu) *g_count = n + 1;
    }
    return swapped;
}

// The entry point in place of the C runtime's. A game that frees its GL library and loads it
// again (a renderer restart) unmaps here and maps again at the next load, counting on.
extern "C" BOOL WINAPI RecorderEntry(HINSTANCE self, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(self);
        StartRecording();
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr && g_view) {
        // Freed while the process lives on; at process exit the system unmaps it.
        g_count = nullptr;
        UnmapViewOfFile(g_view);
        g_view = nullptr;
    }
    return TRUE;
}
