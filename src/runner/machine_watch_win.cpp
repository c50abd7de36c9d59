#include "runner/machine_watch_win.h"

#include <tlhelp32.h>

#include <cstdio>
#include <set>
#include <vector>

#include "platform/os_error_win.h"
#include "platform/system_library_win.h"
#include "runner/build_hooks.h"

namespace {

// The plan functions of powrprof.dll (Windows Vista and later).
using GetActiveSchemeFn = DWORD(WINAPI*)(HKEY, GUID**);
using SetActiveSchemeFn = DWORD(WINAPI*)(HKEY, const GUID*);
using ReadFriendlyNameFn = DWORD(WINAPI*)(HKEY, const GUID*, const GUID*, const GUID*, UCHAR*, DWORD*);

// GetProcAddress's result as the function it is (through the generic function type, which
// converts to any other without a warning).
template <class Fn>
Fn As(FARPROC f) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(f));
}

std::uint64_t Ticks(const FILETIME& t) {
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

std::optional<ProcessorTimes> SystemTimes() {
    FILETIME idle, kernel, user;
    if (!GetSystemTimes(&idle, &kernel, &user)) return std::nullopt;
    return ProcessorTimes{Ticks(idle), Ticks(kernel), Ticks(user)};
}

std::string GuidText(const GUID& g) {
    char text[40];
    std::snprintf(text, sizeof text, "%08lx-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x",
                  static_cast<unsigned long>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2],
                  g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

// Reads `digits` hex digits of text at `at` into value; false on any other character.
bool ReadHex(const std::string& text, std::size_t at, int digits, unsigned long& value) {
    value = 0;
    for (int i = 0; i < digits; ++i) {
        const char c = at + i < text.size() ? text[at + i] : '\0';
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0) return false;
        value = value * 16 + static_cast<unsigned long>(digit);
    }
    return true;
}

// "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx", as GuidText writes it.
bool ParseGuid(const std::string& text, GUID& g) {
    if (text.size() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-') return false;
    unsigned long d1 = 0, d2 = 0, d3 = 0;
    if (!ReadHex(text, 0, 8, d1) || !ReadHex(text, 9, 4, d2) || !ReadHex(text, 14, 4, d3)) return false;
    g.Data1 = d1;
    g.Data2 = static_cast<unsigned short>(d2);
    g.Data3 = static_cast<unsigned short>(d3);
    static const std::size_t kBytes[8] = {19, 21, 24, 26, 28, 30, 32, 34};
    for (int i = 0; i < 8; ++i) {
        unsigned long byte = 0;
        if (!ReadHex(text, kBytes[i], 2, byte)) return false;
        g.Data4[i] = static_cast<unsigned char>(byte);
    }
    return true;
}

// The names Windows gives its own plans in English, for a system that cannot read a name.
std::string BuiltInPlanName(const std::string& guid) {
    if (guid == "381b4222-f694-41f0-9685-ff5bb260df2e") return "Balanced";
    if (guid == kHighPerformancePlan) return "High performance";
    if (IsPowerSaverPlan(guid)) return "Power saver";
    return "";
}

}  // namespace

MachineWatchWin::MachineWatchWin() : quiet_(ProcessorLoadHidden()) {}

std::optional<int> MachineWatchWin::RefreshRate(int width, int height) {
    DEVMODEA current{};
    current.dmSize = sizeof current;
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current)) return std::nullopt;
    const int currentRate = static_cast<int>(current.dmDisplayFrequency);
    const bool sameSize = static_cast<int>(current.dmPelsWidth) == width && static_cast<int>(current.dmPelsHeight) == height;
    // 0 and 1 stand for the hardware's default rate: no figure to compare with.
    if (sameSize) return currentRate > 1 ? std::optional<int>(currentRate) : std::nullopt;
    // A mode change that names no rate keeps the present rate where the size offers it, and
    // otherwise gets the size's default: its lowest rate.
    std::set<int> rates;
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &mode); ++i) {
        if (static_cast<int>(mode.dmPelsWidth) != width || static_cast<int>(mode.dmPelsHeight) != height) continue;
        if (mode.dmDisplayFrequency > 1) rates.insert(static_cast<int>(mode.dmDisplayFrequency));
    }
    if (rates.empty()) return std::nullopt;
    if (rates.count(currentRate)) return currentRate;
    return *rates.begin();
}

MachineWatchWin::ProcessTimes MachineWatchWin::SampleProcesses() {
    ProcessTimes times;
    ScopedFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.Valid()) return times;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    const DWORD self = GetCurrentProcessId();
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID == 0 || entry.th32ProcessID == self) continue;
        ScopedKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
        FILETIME created, exited, kernel, user;
        // A process this account may not look at is left out of the search, not an error.
        if (!process.Valid() || !GetProcessTimes(process.Get(), &created, &exited, &kernel, &user)) continue;
        times[entry.th32ProcessID] = {Ticks(kernel) + Ticks(user), entry.szExeFile};
    }
    return times;
}

std::string MachineWatchWin::BusiestSince(const ProcessTimes& before, const ProcessTimes& after) {
    std::string busiest;
    std::uint64_t most = 0;
    for (const auto& [id, now] : after) {
        const auto then = before.find(id);
        // A process started in between counts with all its time; one whose id was reused
        // under another name too.
        const bool same = then != before.end() && then->second.name == now.name && then->second.time <= now.time;
        const std::uint64_t used = same ? now.time - then->second.time : now.time;
        if (used > most) {
            most = used;
            busiest = now.name;
        }
    }
    return busiest;
}

void MachineWatchWin::StartProcessorSample() {
    before_.reset();
    processesBefore_.clear();
    if (quiet_) return;
    before_ = SystemTimes();
    if (before_) processesBefore_ = SampleProcesses();
}

std::optional<BusyReading> MachineWatchWin::ProcessorBusy() {
    if (!before_) return std::nullopt;
    const std::optional<ProcessorTimes> after = SystemTimes();
    if (!after) return std::nullopt;
    const std::optional<double> percent = BusyPercent(*before_, *after);
    before_.reset();
    if (!percent) return std::nullopt;
    BusyReading reading{*percent, ""};
    // The search is only worth its time when the figure will be shown.
    if (*percent > kBusyLimitPercent) reading.busiest = BusiestSince(processesBefore_, SampleProcesses());
    processesBefore_.clear();
    return reading;
}

FARPROC MachineWatchWin::PlanFunction(const char* name) {
    if (!powrprofTried_) {
        powrprofTried_ = true;
        // From the system folder only: a DLL of that name beside the program is never loaded.
        powrprof_.Reset(LoadSystemLibrary("powrprof.dll"));
    }
    return powrprof_.Valid() ? GetProcAddress(powrprof_.Get(), name) : nullptr;
}

PowerReading MachineWatchWin::Power() {
    PowerReading power;
    SYSTEM_POWER_STATUS status{};
    if (GetSystemPowerStatus(&status) && status.ACLineStatus != 255) power.onBattery = status.ACLineStatus == 0;
    const auto getActive = As<GetActiveSchemeFn>(PlanFunction("PowerGetActiveScheme"));
    GUID* active = nullptr;
    if (!getActive || getActive(nullptr, &active) != ERROR_SUCCESS || !active) return power;
    const GUID plan = *active;
    LocalFree(active);
    power.planGuid = GuidText(plan);
    const auto readName = As<ReadFriendlyNameFn>(PlanFunction("PowerReadFriendlyName"));
    DWORD size = 0;
    if (readName && readName(nullptr, &plan, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS && size >= 2) {
        // Rounded up, and the buffer's true size passed: an odd byte count must not let the
        // call write a byte past the last whole character. A vector, not std::wstring: that
        // alone would link the C++ library's whole wide string.
        std::vector<wchar_t> wide((size + sizeof(wchar_t) - 1) / sizeof(wchar_t), L'\0');
        size = static_cast<DWORD>(wide.size() * sizeof(wchar_t));
        if (readName(nullptr, &plan, nullptr, nullptr, reinterpret_cast<UCHAR*>(wide.data()), &size) == ERROR_SUCCESS) {
            const int wideLength = static_cast<int>(wcsnlen(wide.data(), wide.size()));
            const int length = WideCharToMultiByte(1252, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
            std::string name(static_cast<std::size_t>(length), '\0');
            if (length > 0) {
                WideCharToMultiByte(1252, 0, wide.data(), wideLength, &name[0], length, nullptr, nullptr);
            }
            power.planName = name;
        }
    }
    if (power.planName.empty()) power.planName = BuiltInPlanName(power.planGuid);
    return power;
}

std::string MachineWatchWin::SetActivePlan(const std::string& guid) {
    const auto setActive = As<SetActiveSchemeFn>(PlanFunction("PowerSetActiveScheme"));
    if (!setActive) return "this Windows has no power plans";
    GUID plan;
    if (!ParseGuid(guid, plan)) return "the plan " + guid + " is no plan";
    const DWORD code = setActive(nullptr, &plan);
    if (code != ERROR_SUCCESS) return OsErrorFromCode(code).what();
    return "";
}
