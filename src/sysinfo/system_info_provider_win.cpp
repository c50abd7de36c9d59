#include "sysinfo/system_info_provider_win.h"

#include <windows.h>
#include <cpuid.h>
#include <x86intrin.h>

#include <cmath>
#include <cstring>

#include "sysinfo/machine_registry_win.h"
#include "sysinfo/machine_text.h"

namespace {

constexpr const char* kVersionKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";
constexpr DWORD kMeasureMs = 50;
constexpr unsigned kTimeStampCounterFlag = 1u << 4;  // leaf 1, EDX

bool HasTimeStampCounter() {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    return __get_cpuid(1, &eax, &ebx, &ecx, &edx) && (edx & kTimeStampCounterFlag);
}

}  // namespace

std::string WinSystemInfoProvider::osProductName() {
    const auto values = ReadMachineStrings(kVersionKey, {"ProductName"});
    if (!values || values->empty()) return "";
    return values->begin()->second;
}

std::uint64_t WinSystemInfoProvider::totalPhysicalMemory() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    return GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
}

std::string WinSystemInfoProvider::cpuName() {
    unsigned regs[12] = {};
    if (__get_cpuid_max(0x80000000u, nullptr) < 0x80000004u) return "";
    for (unsigned leaf = 0; leaf < 3; ++leaf) {
        __get_cpuid(0x80000002u + leaf, &regs[leaf * 4], &regs[leaf * 4 + 1], &regs[leaf * 4 + 2], &regs[leaf * 4 + 3]);
    }
    char brand[48];
    std::memcpy(brand, regs, sizeof brand);
    return std::string(brand, strnlen(brand, sizeof brand));
}

unsigned WinSystemInfoProvider::cpuSpeedMHz() {
    LARGE_INTEGER frequency, start, end;
    if (!HasTimeStampCounter() || !QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0) return 0;
    QueryPerformanceCounter(&start);
    const unsigned long long ticksStart = __rdtsc();
    Sleep(kMeasureMs);
    QueryPerformanceCounter(&end);
    const unsigned long long ticksEnd = __rdtsc();
    const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    if (seconds <= 0) return 0;
    const double mhz = static_cast<double>(ticksEnd - ticksStart) / seconds / 1e6;
    return NormaliseCpuClock(static_cast<unsigned>(std::lround(mhz)));
}
