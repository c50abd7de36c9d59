#include "sysinfo/diagnostics_report.h"

#include <gtest/gtest.h>

#include "fakes/fake_settings.h"
#include "platform/text_file.h"

namespace {

std::string Fixture(const std::string& name) {
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(std::string(LURK_FIXTURES_DIR) + "/dxdiag/" + name, bytes)) << name;
    return bytes;
}

TEST(ParseDiagnosticsReport, RealReportsGiveTheFirstDisplayAndSoundDevice) {
    struct Case {
        const char* file;
        DiagnosticsValues expected;
    };
    const Case cases[] = {
        {"winxp_sp2_intel845g_cmedia_forum_excerpt.txt",
         {" 48.0 MB", " 6.13.0001.3095 (English)", " C-Media Wave Device"}},
        {"win7_sp1_amd_mobility_hd5800_2play_2capture.txt",
         {" 2772 MB", " 14.100.0.0", " Speakers (High Definition Audio Device)"}},
        // Two display entries for one card, CR LF with a few bare LFs.
        {"win10_1803_nvidia_gtx1060_two_monitor_entries_crlf.txt",
         {" 14209 MB", " 25.21.14.1701", " Speakers (Realtek High Definition Audio)"}},
        // "Driver File Version:" comes first and must not be taken.
        {"win11_amd_radeon_igpu_realtek.txt", {" 9570 MB", " 32.0.21020.1007", " Speakers (Realtek(R) Audio)"}},
        {"win7_sp1_spanish_intel_hd3000_idt_cp1252.txt",
         {" 1696 MB", " 9.17.10.4229", " Altavoces / Auricular (IDT High Definition Audio CODEC)"}},
        // Two display devices: the first (Intel) one; a code page 1251 sound device name.
        {"win10_russian_intel_uhd620_plus_mx130_cp1251_crlf.txt",
         {" 4161 MB", " 25.20.100.6444", " \xC4\xE8\xED\xE0\xEC\xE8\xEA\xE8 (Realtek(R) Audio)"}},
    };
    for (const Case& c : cases) {
        const DiagnosticsValues values = ParseDiagnosticsReport(Fixture(c.file));
        EXPECT_EQ(values.displayMemory, c.expected.displayMemory) << c.file;
        EXPECT_EQ(values.driverVersion, c.expected.driverVersion) << c.file;
        EXPECT_EQ(values.soundDevice, c.expected.soundDevice) << c.file;
    }
}

TEST(ParseDiagnosticsReport, LabelsAreSearchedInOrderIgnoringCase) {
    const std::string report =
        "Description: before any display device\r\n"
        "\tDriver Version: 1.0 (also too early)\r\n"
        "   display memory:   64.0 MB  \r\n"
        "   DRIVER VERSION: 6.14\r\n"
        "\r\n"
        "   Description: Sound One\r\n"
        "   Description: Sound Two\r\n";
    const DiagnosticsValues values = ParseDiagnosticsReport(report);
    EXPECT_EQ(values.displayMemory, "   64.0 MB");
    EXPECT_EQ(values.driverVersion, " 6.14");
    EXPECT_EQ(values.soundDevice, " Sound One");
}

TEST(ParseDiagnosticsReport, AMissingLabelEmptiesItAndTheLabelsAfterIt) {
    struct Case {
        const char* what;
        std::string report;
        DiagnosticsValues expected;
    };
    const Case cases[] = {
        // Wine's own tool writes only the system section.
        {"no display section", "System Information\nOperating System: Windows 10\nDescription: x\n", {}},
        {"no display driver version", "Display Memory: 32 MB\nDescription: Sound\n", {" 32 MB", "", ""}},
        {"no sound device", "Display Memory: 32 MB\nDriver Version: 6.1\n", {" 32 MB", " 6.1", ""}},
        {"label without value", "Display Memory:\nDriver Version:\r\nDescription:", {"", "", ""}},
        {"empty file", "", {}},
        {"not text", std::string("\xFF\xFE\0D\0i\0s\0", 10), {}},
    };
    for (const Case& c : cases) {
        const DiagnosticsValues values = ParseDiagnosticsReport(c.report);
        EXPECT_EQ(values.displayMemory, c.expected.displayMemory) << c.what;
        EXPECT_EQ(values.driverVersion, c.expected.driverVersion) << c.what;
        EXPECT_EQ(values.soundDevice, c.expected.soundDevice) << c.what;
    }
}

TEST(ReadDiagnosticsFile, ReadsAndDeletesTheReportInBenchDir) {
    FakeFileSystem files;
    files.files["C:\\Bench\\dxinfo.txt"] = "Display Memory: 256.0 MB\r\nDriver Version: 6.14\r\nDescription: SoundMAX\r\n";
    const DiagnosticsValues values = readDiagnosticsFile(files, "C:\\Bench\\");
    EXPECT_EQ(values.displayMemory, " 256.0 MB");
    EXPECT_EQ(values.driverVersion, " 6.14");
    EXPECT_EQ(values.soundDevice, " SoundMAX");
    EXPECT_FALSE(files.FileExists("C:\\Bench\\dxinfo.txt"));
}

TEST(ReadDiagnosticsFile, MissingReportGivesEmptyValues) {
    FakeFileSystem files;
    const DiagnosticsValues values = readDiagnosticsFile(files, "C:\\Bench\\");
    EXPECT_EQ(values.displayMemory, "");
    EXPECT_EQ(values.driverVersion, "");
    EXPECT_EQ(values.soundDevice, "");
}

}  // namespace
