// The threads library of the C++ library (winpthreads) measures its timed waits with
// GetTickCount64, which Windows XP lacks: imported, it would stop the program from loading
// there at all. Defined here, in the program itself, this pointer is what the threads library's
// import resolves to, so kernel32 is never asked for the function at load time. It calls
// Windows' GetTickCount64 where there is one (Vista on) and otherwise counts the wraps of
// GetTickCount.
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "platform/tick_count.h"

namespace {

typedef ULONGLONG(WINAPI* TickCount64Function)();

std::atomic<std::uint64_t> lastTickCount{0};

ULONGLONG WINAPI TickCountFromWraps() {
    std::uint64_t last = lastTickCount.load();
    for (;;) {
        // Every thread continues the count from the latest one any thread has seen.
        const std::uint64_t next = ContinueTickCount(last, GetTickCount());
        if (lastTickCount.compare_exchange_weak(last, next)) return next;
    }
}

TickCount64Function FindTickCount64() {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const TickCount64Function system = reinterpret_cast<TickCount64Function>(
        reinterpret_cast<void*>(kernel ? GetProcAddress(kernel, "GetTickCount64") : nullptr));
    return system ? system : TickCountFromWraps;
}

// No function-local static: its guard would take a lock of the threads library, which may be
// what is asking for the time.
std::atomic<TickCount64Function> tickCount64{nullptr};

ULONGLONG WINAPI TickCount64() {
    TickCount64Function function = tickCount64.load(std::memory_order_acquire);
    if (!function) {
        function = FindTickCount64();
        tickCount64.store(function, std::memory_order_release);
    }
    return function();
}

}  // namespace

#ifdef _WIN64
#define LURK_TICK_COUNT64_IMPORT "__imp_GetTickCount64"
#else
#define LURK_TICK_COUNT64_IMPORT "__imp__GetTickCount64@0"
#endif
extern "C" ULONGLONG(WINAPI* const lurkTickCount64Import)() __asm__(LURK_TICK_COUNT64_IMPORT);
extern "C" ULONGLONG(WINAPI* const lurkTickCount64Import)() = TickCount64;
