#pragma once
#include <windows.h>

#include <map>
#include <string>

#include "platform/scoped_win.h"
#include "runner/machine_watch.h"

// The machine as Windows tells it: display modes, the system's processor times, the power
// status, and the power plans of powrprof.dll, loaded from the system folder when first
// needed (Windows 7 has the plan functions; the program asks for none at its start).
class MachineWatchWin : public MachineWatch {
public:
    // In the test build the processor may read as unknown (runner/build_hooks.h).
    MachineWatchWin();

    std::optional<int> RefreshRate(int width, int height) override;
    void StartProcessorSample() override;
    std::optional<BusyReading> ProcessorBusy() override;
    PowerReading Power() override;
    std::string SetActivePlan(const std::string& guid) override;

private:
    // Kernel plus user time of every process but this one, by process id, with its file name.
    struct ProcessTime {
        std::uint64_t time = 0;
        std::string name;
    };
    using ProcessTimes = std::map<DWORD, ProcessTime>;
    static ProcessTimes SampleProcesses();
    static std::string BusiestSince(const ProcessTimes& before, const ProcessTimes& after);
    // The plan functions, or null when Windows has none.
    FARPROC PlanFunction(const char* name);

    bool quiet_ = false;
    std::optional<ProcessorTimes> before_;
    ProcessTimes processesBefore_;
    bool powrprofTried_ = false;
    ScopedModule powrprof_;
};
