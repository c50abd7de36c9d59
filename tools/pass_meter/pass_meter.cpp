// pass_meter STAMPS RUNS PROGRAM [ARGUMENTS]
// Starts the program, presses its Run button, and while the pass runs samples the program's
// processor time and working set every 10 ms. The stand-in game appends "start US" and
// "end US" to STAMPS (its `stamps` control); once RUNS games have ended and the Run button is
// enabled again the program is closed and the figures are printed:
// - the program's processor time while each game runs, per minute of game time;
// - from each game's end to the next game's start, beyond the pass's fixed pauses;
// - the program's peak working set.
// With LURK_BASELINE_BAT naming a batch file that starts the stand-in game, the meter then
// runs that chain twice itself, started as the program starts it, and prints what ending one
// game and starting the next costs the system alone; the rest of each gap is the program's.
// Under Wine, GetProcessTimes of another process does not report that process's own times,
// so there the figures come from Linux's account of the program (Z:\proc\PID\stat and
// status): processor time in clock ticks of 10 ms, and the peak resident set, which holds
// Wine's own libraries too; the program's own anonymous memory is shown beside it.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "platform/scoped_win.h"
#include "support/window_automation.h"

namespace {

// Between a game's end and the next start: 1000 ms before the result is read, 1000 ms at the
// end of the result step, 1000 ms before the game starts.
constexpr double kFixedPausesMs = 3000;

struct Sample {
    double us;     // performance counter
    double cpuMs;  // the program's kernel and user time
};

double NowUs() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

double CpuMs(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
    const auto value = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    return (value(kernel) + value(user)) / 10000.0;
}

SIZE_T PeakWorkingSet(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    return GetProcessMemoryInfo(process, &counters, sizeof counters) ? counters.PeakWorkingSetSize : 0;
}

bool UnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Z:\proc\PID\ of the Linux process whose command line starts with the program's path.
std::string LinuxProcFolder(const std::string& programPath) {
    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstFileA("Z:\\proc\\*", &data));
    if (!find.Valid()) return "";
    std::string found;
    do {
        const std::string name = data.cFileName;
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string folder = "Z:\\proc\\" + name + "\\";
        const std::string commandLine = ReadText(folder + "cmdline");
        if (lstrcmpiA(commandLine.substr(0, programPath.size()).c_str(), programPath.c_str()) == 0) found = folder;
    } while (found.empty() && FindNextFileA(find.Get(), &data));
    return found;
}

// utime + stime of /proc/PID/stat, in milliseconds.
double LinuxCpuMs(const std::string& folder) {
    const std::string stat = ReadText(folder + "stat");
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    double ticks = 0;
    for (int i = 0; i < 13 && fields >> field; ++i) {
        if (i == 11 || i == 12) ticks += std::atof(field.c_str());
    }
    return ticks * 10.0;
}

// A "Name:   N kB" line of /proc/PID/status, in bytes.
double LinuxStatusBytes(const std::string& folder, const std::string& name) {
    const std::string status = ReadText(folder + "status");
    const std::size_t at = status.find(name + ":");
    return at == std::string::npos ? 0 : std::atof(status.c_str() + at + name.size() + 1) * 1024.0;
}

struct Stamps {
    std::vector<double> starts;
    std::vector<double> ends;
};

Stamps ReadStamps(const std::string& file) {
    Stamps stamps;
    std::ifstream in(file);
    std::string word;
    double us = 0;
    while (in >> word >> us) (word == "start" ? stamps.starts : stamps.ends).push_back(us);
    return stamps;
}

// The processor time at the sample nearest to the moment.
double CpuAt(const std::vector<Sample>& samples, double us) {
    const auto nearest = std::min_element(samples.begin(), samples.end(), [&](const Sample& a, const Sample& b) {
        return std::abs(a.us - us) < std::abs(b.us - us);
    });
    return nearest->cpuMs;
}

// The arguments after the first `skip` ones, as they stand on the command line.
std::string CommandLineAfter(int skip) {
    const char* line = GetCommandLineA();
    for (int i = 0; i < skip; ++i) {
        while (*line == ' ') ++line;
        bool quoted = false;
        while (*line && (quoted || *line != ' ')) {
            if (*line == '"') quoted = !quoted;
            ++line;
        }
    }
    while (*line == ' ') ++line;
    return line;
}

// Starts the batch file hidden in its folder, as the program starts the game, and waits.
bool RunHidden(const std::string& bat) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info{};
    std::string commandLine = "\"" + bat + "\"";
    const std::string folder = bat.substr(0, bat.rfind('\\'));
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                        folder.c_str(), &startup, &info)) {
        return false;
    }
    const ScopedKernelHandle thread(info.hThread);
    const ScopedKernelHandle process(info.hProcess);
    return WaitForSingleObject(process.Get(), 60000) == WAIT_OBJECT_0;
}

// The system's own time from a game's end to the next game's start with nothing in between:
// the first chain's end stamp to the moment its end is seen, plus the moment the second chain
// is started to its start stamp. Negative when the chains could not be run.
double BaselineGapMs(const std::string& bat, const std::string& stampsFile) {
    DeleteFileA(stampsFile.c_str());
    SetEnvironmentVariableA("PREY_STANDIN", ("delay 200;stamps " + stampsFile).c_str());
    if (!RunHidden(bat)) return -1;
    const double firstSeen = NowUs();
    const double secondStarted = NowUs();
    if (!RunHidden(bat)) return -1;
    const Stamps stamps = ReadStamps(stampsFile);
    if (stamps.starts.size() < 2 || stamps.ends.empty()) return -1;
    return (firstSeen - stamps.ends[0] + stamps.starts[1] - secondStarted) / 1000.0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: pass_meter STAMPS RUNS PROGRAM [ARGUMENTS]\n");
        return 2;
    }
    const std::string stampsFile = argv[1];
    const std::size_t runs = std::strtoul(argv[2], nullptr, 10);
    std::string commandLine = CommandLineAfter(3);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", commandLine.c_str(), GetLastError());
        return 1;
    }
    const ScopedKernelHandle thread(info.hThread);
    const ScopedKernelHandle process(info.hProcess);
    const HANDLE program = process.Get();

    HWND main = wt::WaitForWindow(info.dwProcessId, "TForm1", 30000);
    HWND run = main ? wt::FindControl(main, ctl::BenchButton) : nullptr;
    if (!run) {
        std::fprintf(stderr, "the program's Run button did not appear\n");
        TerminateProcess(program, 1);
        return 1;
    }
    PostMessageA(run, BM_CLICK, 0, 0);

    std::string procFolder;
    if (UnderWine()) {
        std::string path = commandLine.substr(0, commandLine.find(commandLine[0] == '"' ? '"' : ' ', 1));
        if (!path.empty() && path[0] == '"') path.erase(0, 1);
        procFolder = LinuxProcFolder(path);
        if (procFolder.empty()) {
            std::fprintf(stderr, "the program's Linux process was not found\n");
            TerminateProcess(program, 1);
            return 1;
        }
    }
    std::vector<Sample> samples;
    double peak = 0;
    double peakAnonymous = 0;
    bool started = false;  // the button went off: the pass is under way
    for (;;) {
        if (procFolder.empty()) {
            samples.push_back({NowUs(), CpuMs(program)});
            peak = std::max(peak, static_cast<double>(PeakWorkingSet(program)));
        } else {
            samples.push_back({NowUs(), LinuxCpuMs(procFolder)});
            peak = std::max(peak, LinuxStatusBytes(procFolder, "VmHWM"));
            peakAnonymous = std::max(peakAnonymous, LinuxStatusBytes(procFolder, "RssAnon"));
        }
        const bool enabled = IsWindowEnabled(run) != FALSE;
        started = started || !enabled;
        if (started && enabled && ReadStamps(stampsFile).ends.size() >= runs) break;
        if (WaitForSingleObject(program, 10) == WAIT_OBJECT_0) break;
    }
    PostMessageA(main, WM_CLOSE, 0, 0);
    WaitForSingleObject(program, 15000);

    const Stamps stamps = ReadStamps(stampsFile);
    if (stamps.starts.size() < runs || stamps.ends.size() < runs) {
        std::fprintf(stderr, "only %zu game starts and %zu ends were stamped\n", stamps.starts.size(),
                     stamps.ends.size());
        return 1;
    }
    double totalGameMs = 0;
    double totalCpu = 0;
    double worstGap = -1e9;
    for (std::size_t i = 0; i < runs; ++i) {
        const double gameMs = (stamps.ends[i] - stamps.starts[i]) / 1000.0;
        const double cpu = CpuAt(samples, stamps.ends[i]) - CpuAt(samples, stamps.starts[i]);
        totalGameMs += gameMs;
        totalCpu += cpu;
        std::printf("game %zu: %.2f s; program processor time meanwhile %.1f ms = %.2f ms per minute of game\n", i + 1,
                    gameMs / 1000.0, cpu, cpu * 60000.0 / gameMs);
        if (i + 1 < runs) {
            const double gap = (stamps.starts[i + 1] - stamps.ends[i]) / 1000.0;
            worstGap = std::max(worstGap, gap - kFixedPausesMs);
            std::printf("game %zu end to game %zu start: %.0f ms = fixed pauses %.0f ms + %.0f ms\n", i + 1, i + 2, gap,
                        kFixedPausesMs, gap - kFixedPausesMs);
        }
    }
    if (const char* bat = std::getenv("LURK_BASELINE_BAT")) {
        const double baseline = BaselineGapMs(bat, stampsFile + ".baseline");
        if (baseline < 0) {
            std::fprintf(stderr, "the baseline chain %s could not be run\n", bat);
            return 1;
        }
        std::printf("the system alone, from one game's end to the next start: %.0f ms; the program's own part of "
                    "the worst gap: %.0f ms\n", baseline, worstGap - baseline);
    }
    std::printf("peak working set: %.1f MB", peak / 1048576.0);
    if (!procFolder.empty()) std::printf(" (with Wine's libraries; the program's own anonymous memory: %.1f MB)", peakAnonymous / 1048576.0);
    std::printf("\nsummary: %.2f ms processor time per minute of game over %.1f minutes (target < 10), worst %.0f ms "
                "between games beyond the pauses (target < 100), %.1f MB peak working set (target < 16)\n",
                totalCpu * 60000.0 / totalGameMs, totalGameMs / 60000.0, worstGap, peak / 1048576.0);
    return 0;
}
