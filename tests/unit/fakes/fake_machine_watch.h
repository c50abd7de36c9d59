#pragma once
// A machine for whole passes: a display of a chosen refresh rate, a processor whose busy
// readings are scripted game start by game start, and power plans that can be switched (or
// refuse to be).
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fake_pass.h"
#include "runner/machine_watch.h"

constexpr const char* kBalancedPlan = "381b4222-f694-41f0-9685-ff5bb260df2e";
constexpr const char* kSaverPlan = "a1841308-3541-4fab-bc81-f71556f20b4a";

class FakeMachineWatch : public MachineWatch {
public:
    explicit FakeMachineWatch(EventList& events) : events_(events) {}

    std::optional<int> RefreshRate(int width, int height) override {
        sizesAsked.emplace_back(width, height);
        return refreshHz;
    }
    void StartProcessorSample() override {
        events_.push_back("processor sample");
        sampling_ = true;
    }
    std::optional<BusyReading> ProcessorBusy() override {
        events_.push_back("processor read");
        if (!sampling_) throw std::logic_error("read without a sample");
        sampling_ = false;
        const std::size_t start = gameStarts_++;
        return start < busy.size() ? busy[start] : BusyReading{2.0, "explorer.exe"};
    }
    PowerReading Power() override {
        PowerReading now = power;
        const std::size_t start = gameStarts_ == 0 ? 0 : gameStarts_ - 1;
        if (start < battery.size()) now.onBattery = battery[start];
        return now;
    }
    std::string SetActivePlan(const std::string& guid) override {
        events_.push_back("plan " + guid);
        if (!setFailure.empty()) return setFailure;
        power.planGuid = guid;
        power.planName = planNames[guid];
        return "";
    }

    std::optional<int> refreshHz = 60;
    std::vector<std::optional<BusyReading>> busy;  // by game start; later starts are quiet
    std::vector<std::optional<bool>> battery;      // by game start; later starts as `power`
    PowerReading power{false, kBalancedPlan, "Balanced"};
    std::map<std::string, std::string> planNames{
        {kBalancedPlan, "Balanced"}, {kSaverPlan, "Power saver"}, {kHighPerformancePlan, "High performance"}};
    std::string setFailure;  // SetActivePlan's answer when not empty
    std::vector<std::pair<int, int>> sizesAsked;

private:
    EventList& events_;
    bool sampling_ = false;
    std::size_t gameStarts_ = 0;
};
