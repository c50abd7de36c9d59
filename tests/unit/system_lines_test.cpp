#include "sysinfo/system_lines.h"

#include <gtest/gtest.h>

#include "app/debug_log.h"
#include "sysinfo/machine_text.h"

namespace {

constexpr std::uint64_t kMiB = 1048576;
constexpr std::uint64_t kGiB = 1073741824;

TEST(NormaliseCpuClock, MovesTheRemainderToTheNearestNominalStep) {
    const std::pair<unsigned, unsigned> cases[] = {
        {2394, 2390}, {2397, 2400}, {1995, 2000}, {1666, 1666}, {2400, 2400}, {3192, 3190},
        {1733, 1733}, {1701, 1700}, {1727, 1733}, {1826, 1820}, {1910, 1920}, {2354, 2350},
        {2355, 2360}, {2363, 2366}, {2373, 2380}, {2385, 2390}, {0, 0}, {99, 100},
    };
    for (const auto& [measured, nominal] : cases) EXPECT_EQ(NormaliseCpuClock(measured), nominal) << measured;
}

TEST(MemoryText, FormByDigitCount) {
    struct Case {
        std::uint64_t bytes;
        const char* separator;
        std::string text;
    };
    const Case cases[] = {
        {kGiB, ".", "1.0 GB "},
        {768 * kMiB, ".", "768.00 MB "},
        {64 * kMiB, ".", "64.00 MB "},
        {10 * kGiB, ".", "10GB"},
        {2 * kGiB, ",", "2,0 GB "},
        {16 * kGiB + kGiB / 2, ".", "16GB"},          // the remainder is dropped
        {9999999999, ".", "9.3 GB "},                   // largest ten-digit count
        {kGiB + 53687092, ".", "1.1 GB "},             // just above 1.05: up
        {kGiB + 53687091, ".", "1.0 GB "},             // just below 1.05: down
        {99999999, ".", "95.37 MB "},                   // largest eight-digit count
        {10000000, ".", "9.54 MB "},                    // smallest eight-digit count
        {9999999, ".", ""},                             // seven digits: no memory line
        {0, ".", ""},
        {953 * kMiB + 5243, ".", "953.01 MB "},         // just above 953.005: up
        {953 * kMiB + 5242, ".", "953.00 MB "},
        {953 * kMiB, "\xA0", "953\xA0" "00 MB "},          // any separator the user chose
    };
    for (const Case& c : cases) EXPECT_EQ(MemoryText(c.bytes, c.separator), c.text) << c.bytes;
}

class FixedMachine : public SystemInfoProvider {
public:
    std::string os = "Microsoft Windows XP";
    std::uint64_t memory = 512 * kMiB;
    std::string cpu = "Intel(R) Pentium(R) 4 CPU 2.40GHz";
    unsigned mhz = 2400;

    std::string osProductName() override { return os; }
    std::uint64_t totalPhysicalMemory() override { return memory; }
    std::string cpuName() override { return cpu; }
    unsigned cpuSpeedMHz() override { return mhz; }
};

TEST(AppendSystemLines, InteractiveWritesReportAndDebugLines) {
    ReportDocument report;
    DebugLog debug;
    debug.Add("Start time: x");
    FixedMachine machine;
    appendSystemLines(report, debug, ReportDocument::Mode::Interactive, {" 64.0 MB", " 6.14", " SoundMAX Digital Audio"},
                      machine, ".");
    const std::vector<std::string> expectedReport = {
        "   <FONT size=2><b>Operating system:</b> Microsoft Windows XP</FONT><br>",
        "   <FONT size=2><b>System memory:</b> 512.00 MB </FONT><br>",
        "   <FONT size=2><b>CPU:</b> Intel(R) Pentium(R) 4 CPU 2.40GHz</FONT><br>",
        "   <FONT size=2><b>CPU speed:</b> 2400 MHz</FONT><br>",
        "   <FONT size=2><b>Sound system:</b>  SoundMAX Digital Audio</FONT><br>",
    };
    EXPECT_EQ(report.lines(), expectedReport);
    const std::vector<std::string> expectedDebug = {
        "Start time: x",
        "",
        "Collecting Computer Information -------------------------",
        "System memory: 512.00 MB ",
        "CPU: Intel(R) Pentium(R) 4 CPU 2.40GHz",
        "CPU speed: 2400 MHz",
        "Sound system:  SoundMAX Digital Audio",
    };
    EXPECT_EQ(debug.Lines(), expectedDebug);
}

TEST(AppendSystemLines, BatchWritesTheSameReportLinesAndNoDebugLines) {
    ReportDocument interactiveReport, batchReport;
    DebugLog interactiveDebug, batchDebug;
    FixedMachine machine;
    machine.memory = 2 * kGiB;
    appendSystemLines(interactiveReport, interactiveDebug, ReportDocument::Mode::Interactive, {}, machine, ",");
    appendSystemLines(batchReport, batchDebug, ReportDocument::Mode::Batch, {}, machine, ",");
    EXPECT_EQ(batchReport.lines(), interactiveReport.lines());
    EXPECT_EQ(batchReport.lines()[1], "   <FONT size=2><b>System memory:</b> 2,0 GB </FONT><br>");
    EXPECT_TRUE(batchDebug.Lines().empty());
}

TEST(AppendSystemLines, SmallMemoryAndEmptyValuesStillWriteTheOtherLines) {
    ReportDocument report;
    DebugLog debug;
    FixedMachine machine;
    machine.os = "";
    machine.memory = 9999999;
    machine.cpu = "";
    machine.mhz = 0;
    appendSystemLines(report, debug, ReportDocument::Mode::Interactive, {}, machine, ".");
    const std::vector<std::string> expectedReport = {
        "   <FONT size=2><b>Operating system:</b> </FONT><br>",
        "   <FONT size=2><b>CPU:</b> </FONT><br>",
        "   <FONT size=2><b>CPU speed:</b> 0 MHz</FONT><br>",
        "   <FONT size=2><b>Sound system:</b> </FONT><br>",
    };
    EXPECT_EQ(report.lines(), expectedReport);
    const std::vector<std::string> expectedDebug = {
        "", "Collecting Computer Information -------------------------", "CPU: ", "CPU speed: 0 MHz", "Sound system: ",
    };
    EXPECT_EQ(debug.Lines(), expectedDebug);
}

}  // namespace
