// The machine description on the Wine machine: the real providers, the stand-in diagnostics
// tool and its report, and the report lines a pass start writes from them.
#include <gtest/gtest.h>

#include "app/debug_log.h"
#include "platform/decimal_separator_win.h"
#include "platform/scoped_win.h"
#include "platform/win_file_system_win.h"
#include "support/wine_test_support.h"
#include "sysinfo/adapter_lines.h"
#include "sysinfo/display_class_probe.h"
#include "sysinfo/display_driver_win.h"
#include "sysinfo/machine_text.h"
#include "sysinfo/rad_info.h"
#include "sysinfo/system_info_provider_win.h"
#include "sysinfo/system_lines.h"

namespace {

constexpr std::uint64_t kTwoGiB = 2147483648ull;

std::string SystemFolder() {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return folder;
}

// Runs the stand-in tool as the pass does, with the report chosen by the environment.
wt::ProcessResult RunStandInDxdiag(const std::string& reportChoice, const std::string& benchDir) {
    SetEnvironmentVariableA("LURK_DXDIAG_REPORT", reportChoice.c_str());
    const std::string tool = wt::Env("LURK_TOOLS_DIR") + "\\dxdiag.exe";
    wt::ProcessResult result = wt::RunAndWait(tool + " /whql:on /t " + benchDir + "dxinfo.txt", SystemFolder(), 30000);
    SetEnvironmentVariableA("LURK_DXDIAG_REPORT", nullptr);
    return result;
}

TEST(WinSystemInfoProvider, AnswersWithTheMachinesOwnFacts) {
    WinSystemInfoProvider machine;
    EXPECT_NE(machine.osProductName().find("Windows"), std::string::npos) << machine.osProductName();

    // The 64-bit total is never below the capped older figure, and passes it where it is capped.
    MEMORYSTATUS capped{};
    capped.dwLength = sizeof capped;
    GlobalMemoryStatus(&capped);
    const std::uint64_t total = machine.totalPhysicalMemory();
    EXPECT_GE(total, capped.dwTotalPhys);
    if (capped.dwTotalPhys >= kTwoGiB - 65536) {
        EXPECT_GT(total, kTwoGiB) << "capped at " << capped.dwTotalPhys;
    }
    EXPECT_GE(std::to_string(total).size(), 8u);

    const std::string cpu = machine.cpuName();
    EXPECT_FALSE(cpu.empty());
    EXPECT_LE(cpu.size(), 48u);
    EXPECT_EQ(cpu.find('\0'), std::string::npos);

    const unsigned mhz = machine.cpuSpeedMHz();
    EXPECT_GE(mhz, 200u);
    EXPECT_LE(mhz, 10000u);
    EXPECT_EQ(NormaliseCpuClock(mhz), mhz) << "not on a nominal step";
}

TEST(WinDisplayDriver, BothProbesFailOnWinesDisplayDriver) {
    WinDisplayDriver driver;
    const std::optional<DisplayAdapter> first = driver.adapter(0);
    ASSERT_TRUE(first.has_value());
    EXPECT_FALSE(first->deviceName.empty());

    EXPECT_FALSE(TRadeonInfo(driver).query());
    EXPECT_FALSE(DisplayClassProbe(driver).probe().recognised);

    wt::TempFolder bench("sysinfo_probes");
    ReportDocument report;
    DebugLog debug;
    appendAdapterLines(report, debug, ReportDocument::Mode::Interactive, {" 64 MB", " 1.0", " Sound"}, driver, ".",
                       bench.Path());
    EXPECT_TRUE(report.lines().empty());
    EXPECT_TRUE(debug.Lines().empty());
    EXPECT_FALSE(wt::FileExists(bench.Path() + "debug.txt"));
}

TEST(StandInDxdiag, WritesTheChosenReportOrNone) {
    wt::TempFolder bench("sysinfo dxdiag");  // a blank in the path, passed unquoted
    const std::string fixture = wt::Env("LURK_FIXTURES_DIR") + "\\dxdiag\\win10_1803_nvidia_gtx1060_two_monitor_entries_crlf.txt";

    wt::ProcessResult run = RunStandInDxdiag(fixture, bench.Path());
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(wt::ReadFileBytes(bench.Path() + "dxinfo.txt"), wt::ReadFileBytes(fixture));

    DeleteFileA((bench.Path() + "dxinfo.txt").c_str());
    run = RunStandInDxdiag("none", bench.Path());
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_FALSE(wt::FileExists(bench.Path() + "dxinfo.txt"));
}

// The pass start's machine description from a stand-in report and the real providers.
TEST(MachineDescription, PassReportCarriesTheSystemLines) {
    struct Case {
        const char* choice;  // fixture name, or what the stand-in is told
        std::string sound;
    };
    const Case cases[] = {
        {"win7_sp1_spanish_intel_hd3000_idt_cp1252.txt", " Altavoces / Auricular (IDT High Definition Audio CODEC)"},
        {"win10_russian_intel_uhd620_plus_mx130_cp1251_crlf.txt", " \xC4\xE8\xED\xE0\xEC\xE8\xEA\xE8 (Realtek(R) Audio)"},
        {"", ""},      // the system section only, as Wine's own tool writes
        {"none", ""},  // the tool wrote no report: the pass goes on without the values
    };
    WinSystemInfoProvider machine;
    WinDisplayDriver driver;
    WinFileSystem files;
    const std::string separator = UserDecimalSeparator();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.choice);
        wt::TempFolder bench("sysinfo pass");
        wt::TempFolder results("sysinfo results");
        const std::string choice =
            std::string(c.choice).find(".txt") != std::string::npos ? wt::Env("LURK_FIXTURES_DIR") + "\\dxdiag\\" + c.choice : c.choice;
        RunStandInDxdiag(choice, bench.Path());

        const DiagnosticsValues diagnostics = readDiagnosticsFile(files, bench.Path());
        EXPECT_EQ(diagnostics.soundDevice, c.sound);
        EXPECT_FALSE(wt::FileExists(bench.Path() + "dxinfo.txt"));

        ReportDocument report;
        DebugLog debug;
        report.startPass("12/9/2026 11:00:00 PM", ReportDocument::Mode::Interactive);
        appendSystemLines(report, debug, ReportDocument::Mode::Interactive, diagnostics, machine, separator);
        appendAdapterLines(report, debug, ReportDocument::Mode::Interactive, diagnostics, driver, separator, bench.Path());
        report.save(results.Path());

        const std::string saved = wt::ReadFileBytes(report.filePath(results.Path()));
        const std::string head = "<p align=\"left\"><span class=\"style4\">System Information<br></span>\r\n";
        const std::string lines =
            InfoLine("Operating system:", machine.osProductName()) + "\r\n" +
            InfoLine("System memory:", MemoryText(machine.totalPhysicalMemory(), separator)) + "\r\n" +
            InfoLine("CPU:", machine.cpuName()) + "\r\n";
        EXPECT_NE(saved.find(head + lines), std::string::npos) << saved;
        const std::size_t speed = saved.find("<b>CPU speed:</b> ");
        ASSERT_NE(speed, std::string::npos);
        EXPECT_EQ(saved.substr(saved.find(" MHz</FONT><br>\r\n", speed)),
                  " MHz</FONT><br>\r\n" + InfoLine("Sound system:", c.sound) + "\r\n");  // and no adapter block

        ASSERT_EQ(debug.Lines().size(), 6u);
        EXPECT_EQ(debug.Lines()[1], "Collecting Computer Information -------------------------");
        EXPECT_EQ(debug.Lines()[5], "Sound system: " + c.sound);
    }
}

TEST(MachineDescription, LockedReportGivesEmptyValuesAndThePassGoesOn) {
    wt::TempFolder bench("sysinfo_locked");
    const std::string path = bench.Path() + "dxinfo.txt";
    wt::WriteFileBytes(path, "Display Memory: 64 MB\r\nDriver Version: 1.0\r\nDescription: Sound\r\n");
    WinFileSystem files;
    DiagnosticsValues values;
    {
        ScopedFile lock(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(lock.Valid());
        values = readDiagnosticsFile(files, bench.Path());
    }
    EXPECT_EQ(values.displayMemory, "");
    EXPECT_EQ(values.soundDevice, "");
    // Once the lock is gone the next pass reads and deletes it as usual.
    EXPECT_EQ(readDiagnosticsFile(files, bench.Path()).soundDevice, " Sound");
    EXPECT_FALSE(wt::FileExists(path));
}

TEST(MachineDescription, MemoryFollowsTheUsersDecimalSeparator) {
    char original[8] = {};
    ASSERT_NE(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, original, sizeof original), 0);
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, ","));
    const std::string separator = UserDecimalSeparator();
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, original);
    EXPECT_EQ(separator, ",");
    EXPECT_EQ(MemoryText(kTwoGiB, separator), "2,0 GB ");
}

}  // namespace
