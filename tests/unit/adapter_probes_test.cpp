#include <gtest/gtest.h>

#include <filesystem>

#include "app/debug_log.h"
#include "fakes/fake_display_driver.h"
#include "platform/text_file.h"
#include "sysinfo/adapter_lines.h"
#include "sysinfo/display_class_probe.h"
#include "sysinfo/rad_info.h"

namespace {

const char* const kAsicKey = "SOFTWARE\\ATI Technologies\\CDS\\0000\\0\\ASIC";
const char* const kMemoryKey = "SOFTWARE\\ATI Technologies\\CDS\\0000\\0\\Memory";
const char* const kClassKey =
    "SYSTEM\\ControlSet001\\Control\\Class\\{4D36E968-E325-11CE-BFC1-08002BE10318}\\0000";
const char* const kHeading = "   <align=\"left\"><span class=\"style4\">VGA Information</span><br>";

DisplayAdapter Adapter(const std::string& name, const std::string& vendor) {
    return {name, "Adapter on " + name, "PCI\\VEN_" + vendor + "&DEV_4E48&SUBSYS_00000000&REV_00"};
}

FakeDisplayDriver AtiDriver() {
    FakeDisplayDriver driver;
    driver.RecordAtiClocks(40000, 49000);
    driver.adapters = {{"\\\\.\\DISPLAY1", "RADEON 9800 PRO", "PCI\\VEN_1002&DEV_4E48&SUBSYS_00021002&REV_00"}};
    return driver;
}

FakeDisplayDriver ClassDriver(const std::vector<std::uint32_t>& coreMHz, const std::vector<std::uint32_t>& memoryMHz) {
    FakeDisplayDriver driver;
    driver.keys[kClassKey] = {{"DriverDesc", "NVIDIA GeForce 7800 GTX"}};
    for (std::uint32_t level = 0; level < coreMHz.size(); ++level) {
        driver.RecordClassLevel(level, coreMHz[level] * 1000000, memoryMHz[level] * 1000000);
    }
    return driver;
}

TEST(TRadeonInfo, ReadsClocksIn10kHzUnitsFromTheClockReply) {
    FakeDisplayDriver driver = AtiDriver();
    TRadeonInfo radeon(driver);
    ASSERT_TRUE(radeon.query());
    EXPECT_DOUBLE_EQ(radeon.engineClock, 400.0);
    EXPECT_DOUBLE_EQ(radeon.memoryClock, 490.0);
    EXPECT_EQ(radeon.adapterName, "RADEON 9800 PRO");

    // The clock query, then the adapter query, each with its own block sizes.
    ASSERT_EQ(driver.sent.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const EscapeRequest& request = driver.sent[i];
        EXPECT_EQ(request.device, "\\\\.\\DISPLAY1");
        EXPECT_EQ(request.number, 29446);
        ASSERT_EQ(request.input.size(), 16u);
        EXPECT_EQ(LoadU32(request.input, 0), 16u);
        EXPECT_EQ(LoadU32(request.input, 8), 0u);
        EXPECT_EQ(LoadU32(request.input, 12), 0u);
        EXPECT_EQ(LoadU32(request.output, 0), request.output.size());
    }
    EXPECT_EQ(LoadU32(driver.sent[0].input, 4), 0x00110013u);
    EXPECT_EQ(driver.sent[0].output.size(), 80u);
    EXPECT_EQ(LoadU32(driver.sent[1].input, 4), 0x00400103u);
    EXPECT_EQ(driver.sent[1].output.size(), 64u);
}

TEST(TRadeonInfo, VendorTestLooksAtTheAdapterTheEnumerationStoppedAt) {
    struct Case {
        const char* what;
        std::vector<DisplayAdapter> adapters;
        bool recognised;
        std::string name;
    };
    const Case cases[] = {
        {"ATI on DISPLAY1", {Adapter("\\\\.\\DISPLAY1", "1002")}, true, "Adapter on \\\\.\\DISPLAY1"},
        {"other vendor", {Adapter("\\\\.\\DISPLAY1", "10DE")}, false, "Adapter on \\\\.\\DISPLAY1"},
        {"stops at DISPLAY1", {Adapter("\\\\.\\DISPLAY1", "10DE"), Adapter("\\\\.\\DISPLAY2", "1002")}, false, "Adapter on \\\\.\\DISPLAY1"},
        {"no DISPLAY1: last adapter, no name", {Adapter("\\\\.\\DISPLAY2", "1002")}, true, ""},
        {"device name compared exactly", {Adapter("\\\\.\\display1", "10DE"), Adapter("\\\\.\\DISPLAY2", "1002")}, true, ""},
        {"no adapters at all", {}, false, ""},
        {"identification too short", {{"\\\\.\\DISPLAY1", "x", "PCI\\VEN_10"}}, false, "x"},
    };
    for (const Case& c : cases) {
        FakeDisplayDriver driver = AtiDriver();
        driver.adapters = c.adapters;
        TRadeonInfo radeon(driver);
        EXPECT_EQ(radeon.query(), c.recognised) << c.what;
        EXPECT_EQ(radeon.adapterName, c.name) << c.what;
    }
}

TEST(TRadeonInfo, EscapeWithoutTheDriverIsTurnedAwayByTheVendorTest) {
    // A driver without this escape answers 0 and leaves the replies zero-filled.
    FakeDisplayDriver driver;
    driver.atiReplies[0x00110013] = {};
    driver.atiReplies[0x00400103] = {};
    driver.adapters = {{"\\\\.\\DISPLAY1", "Wine Adapter", "PCI\\VEN_0000&DEV_0000&SUBSYS_00000000&REV_00"}};
    EXPECT_FALSE(TRadeonInfo(driver).query());
}

TEST(TRadeonInfo, StopsAtTheFirstFailingQuery) {
    struct Case {
        const char* what;
        std::uint32_t code;
        FakeDisplayDriver::Reply reply;
        std::size_t escapesSent;
    };
    const Case cases[] = {
        {"clock query error", 0x00110013, {true, -1, true, {}, {}}, 1},
        {"clock query answered 1", 0x00110013, {true, 1, true, {}, {}}, 1},
        {"no device context", 0x00110013, {false, 0, false, {}, {}}, 1},
        {"adapter query fails", 0x00400103, {true, 5, true, {}, {}}, 2},
    };
    for (const Case& c : cases) {
        FakeDisplayDriver driver = AtiDriver();
        driver.atiReplies[c.code] = c.reply;
        EXPECT_FALSE(TRadeonInfo(driver).query()) << c.what;
        EXPECT_EQ(driver.sent.size(), c.escapesSent) << c.what;
    }
}

TEST(TRadeonInfo, AnEngineClockOfZeroIsAnUnansweredQuery) {
    // A driver that accepts the escape but no longer fills in the clocks.
    struct Case {
        const char* what;
        std::uint32_t engine, memory;
        bool recognised;
    };
    const Case cases[] = {
        {"both clocks 0", 0, 0, false},
        {"only the memory clock", 0, 49000, false},
        {"only the engine clock", 40000, 0, true},
    };
    for (const Case& c : cases) {
        FakeDisplayDriver driver = AtiDriver();
        driver.RecordAtiClocks(c.engine, c.memory);
        EXPECT_EQ(TRadeonInfo(driver).query(), c.recognised) << c.what;
        FakeDisplayDriver again = AtiDriver();
        again.RecordAtiClocks(c.engine, c.memory);
        EXPECT_EQ(probeAti(again, ".").recognised, c.recognised) << c.what;
    }
}

TEST(ProbeAti, ClockTextsAndTheBusTypeCutAtItsParenthesis) {
    FakeDisplayDriver driver = AtiDriver();
    driver.RecordAtiClocks(39999, 5);
    driver.keys[kAsicKey] = {{"Bus Type", "AGP 8X (Fast Writes enabled)"}};
    driver.keys[kMemoryKey] = {{"Type", "DDR (128 bit)"}};
    const AtiAdapterInfo info = probeAti(driver, ",");
    ASSERT_TRUE(info.recognised);
    EXPECT_EQ(info.vpuSpeed, "399,99 MHz");
    EXPECT_EQ(info.memorySpeed, "0,05 MHz");
    EXPECT_EQ(info.busType, "AGP 8X ");
    EXPECT_EQ(info.memoryType, "DDR ");
}

TEST(ProbeAti, MissingRegistryKeysOrValuesLeaveTheTypesEmpty) {
    struct Case {
        const char* what;
        std::map<std::string, RegistryValues> keys;
        std::string bus, memory;
    };
    const Case cases[] = {
        {"no ASIC key: Memory key not read", {{kMemoryKey, {{"Type", "GDDR3"}}}}, "", ""},
        {"no Bus Type value", {{kAsicKey, {}}, {kMemoryKey, {{"Type", "GDDR3"}}}}, "", "GDDR3"},
        {"no Memory key", {{kAsicKey, {{"Bus Type", "PCI Express"}}}}, "PCI Express", ""},
        {"no Type value", {{kAsicKey, {{"Bus Type", "PCI Express"}}}, {kMemoryKey, {}}}, "PCI Express", ""},
    };
    for (const Case& c : cases) {
        FakeDisplayDriver driver = AtiDriver();
        driver.keys = c.keys;
        const AtiAdapterInfo info = probeAti(driver, ".");
        EXPECT_TRUE(info.recognised) << c.what;
        EXPECT_EQ(info.busType, c.bus) << c.what;
        EXPECT_EQ(info.memoryType, c.memory) << c.what;
    }
}

TEST(DisplayClassProbe, FastestOfTheNonZeroLevelsPerList) {
    // Core 300, 0, 450, 450, 0, 0 gives 300, 450, 450; the memory list is reduced on its own.
    FakeDisplayDriver driver = ClassDriver({300, 0, 450, 450, 0, 0}, {200, 0, 250, 0, 0, 0});
    const DisplayClassInfo info = DisplayClassProbe(driver).probe();
    EXPECT_TRUE(info.recognised);
    EXPECT_EQ(info.adapterName, "NVIDIA GeForce 7800 GTX");
    EXPECT_EQ(info.gpuSpeed, "450 MHz");
    EXPECT_EQ(info.memorySpeed, "250 MHz");

    ASSERT_EQ(driver.sent.size(), 6u);
    for (std::uint32_t level = 0; level < 6; ++level) {
        const EscapeRequest& request = driver.sent[level];
        EXPECT_EQ(request.device, "DISPLAY");
        EXPECT_EQ(request.number, 28727);
        ASSERT_EQ(request.input.size(), 32u);
        EXPECT_EQ(LoadU32(request.input, 0), 0u);
        EXPECT_EQ(LoadU32(request.input, 8), 494u);
        EXPECT_EQ(LoadU32(request.input, 24), 16u);
        EXPECT_EQ(LoadU32(request.input, 28), 0u);
        EXPECT_EQ(request.output, ByteBlock(32, 0));
        ASSERT_EQ(request.data.size(), 16u);
        EXPECT_EQ(LoadU32(request.data, 0), level);
    }
}

TEST(DisplayClassProbe, ClocksRoundToWholeMHz) {
    EXPECT_EQ(WholeMHz(399600000), 400u);
    EXPECT_EQ(WholeMHz(399499999), 399u);
    EXPECT_EQ(WholeMHz(499999), 0u);
    EXPECT_EQ(WholeMHz(500000), 1u);
    EXPECT_EQ(WholeMHz(4294967295u), 4295u);

    FakeDisplayDriver driver;
    driver.keys[kClassKey] = {{"DriverDesc", "Card"}};
    driver.RecordClassLevel(0, 399600000, 400000);  // a memory clock below 0.5 MHz is skipped
    driver.RecordClassLevel(1, 250000000, 700000000);
    driver.RecordClassLevel(2, 0, 650000000);
    const DisplayClassInfo info = DisplayClassProbe(driver).probe();
    EXPECT_TRUE(info.recognised);
    EXPECT_EQ(info.gpuSpeed, "400 MHz");
    EXPECT_EQ(info.memorySpeed, "700 MHz");
}

TEST(DisplayClassProbe, NotRecognisedWithoutTwoClocksInEachList) {
    struct Case {
        const char* what;
        std::vector<std::uint32_t> core, memory;
        std::string gpu, mem;
    };
    const Case cases[] = {
        {"one core level only", {450, 0, 0, 0, 0, 0}, {500, 500, 0, 0, 0, 0}, "0 MHz", "500 MHz"},
        {"one memory level only", {300, 450, 0, 0, 0, 0}, {0, 500, 0, 0, 0, 0}, "450 MHz", "0 MHz"},
        {"no clocks", {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, "0 MHz", "0 MHz"},
    };
    for (const Case& c : cases) {
        FakeDisplayDriver driver = ClassDriver(c.core, c.memory);
        const DisplayClassInfo info = DisplayClassProbe(driver).probe();
        EXPECT_FALSE(info.recognised) << c.what;
        EXPECT_EQ(info.gpuSpeed, c.gpu) << c.what;
        EXPECT_EQ(info.memorySpeed, c.mem) << c.what;
    }
}

TEST(DisplayClassProbe, FailedLevelsCountAsZero) {
    struct Case {
        const char* what;
        FakeDisplayDriver::Reply failure;
    };
    ByteBlock badStatus(32, 0);
    StoreU32(badStatus, 28, 1);
    const Case cases[] = {
        {"escape not supported", {true, 0, true, {}, {}}},
        {"escape error", {true, -1, true, {}, {}}},
        {"device context not deleted", {true, 1, false, {}, {}}},
        {"no device context", {false, 0, false, {}, {}}},
        {"driver status not 0", {true, 1, true, badStatus, {}}},
    };
    for (const Case& c : cases) {
        // Two good levels and one failed level with clocks in its data block.
        FakeDisplayDriver driver = ClassDriver({300, 400, 900}, {500, 600, 900});
        FakeDisplayDriver::Reply failed = c.failure;
        failed.data = driver.classReplies[2].data;
        driver.classReplies[2] = failed;
        const DisplayClassInfo info = DisplayClassProbe(driver).probe();
        EXPECT_TRUE(info.recognised) << c.what;
        EXPECT_EQ(info.gpuSpeed, "400 MHz") << c.what;
        EXPECT_EQ(info.memorySpeed, "600 MHz") << c.what;
    }
}

TEST(DisplayClassProbe, MissingClassKeyEndsTheProbe) {
    FakeDisplayDriver driver = ClassDriver({300, 450}, {500, 600});
    driver.keys.clear();
    EXPECT_FALSE(DisplayClassProbe(driver).probe().recognised);
    EXPECT_TRUE(driver.sent.empty());

    driver.keys[kClassKey] = {};  // the key without DriverDesc still counts
    const DisplayClassInfo info = DisplayClassProbe(driver).probe();
    EXPECT_TRUE(info.recognised);
    EXPECT_EQ(info.adapterName, "");
}

struct AdapterLines : ::testing::Test {
    ReportDocument report;
    DebugLog debug;
    DiagnosticsValues diagnostics{" 256.0 MB", " 6.14.10.6476 (English)", " SoundMAX"};
    std::filesystem::path benchDir;

    void SetUp() override {
        benchDir = std::filesystem::temp_directory_path() /
                   ("lurk_adapter_lines_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(benchDir);
    }
    void TearDown() override { std::filesystem::remove_all(benchDir); }

    void Append(DisplayDriverTransport& driver, ReportDocument::Mode mode) {
        appendAdapterLines(report, debug, mode, diagnostics, driver, ".", benchDir.string() + "/");
    }
    std::string SavedDebugLog() {
        std::string bytes;
        return ReadWholeFile((benchDir / "debug.txt").string(), bytes) ? bytes : "<none>";
    }
};

FakeDisplayDriver BothAdapters() {
    FakeDisplayDriver driver = ClassDriver({300, 450}, {500, 600});
    driver.RecordAtiClocks(40000, 49000);
    driver.adapters = {{"\\\\.\\DISPLAY1", "RADEON X800", "PCI\\VEN_1002&DEV_4A49"}};
    driver.keys[kAsicKey] = {{"Bus Type", "AGP 8X (Fast Writes)"}};
    driver.keys[kMemoryKey] = {{"Type", "GDDR3"}};
    return driver;
}

TEST_F(AdapterLines, InteractiveWritesBothBlocksAtiFirstAndSavesTheDebugLog) {
    FakeDisplayDriver driver = BothAdapters();
    Append(driver, ReportDocument::Mode::Interactive);
    const std::vector<std::string> expected = {
        kHeading,
        "   <FONT size=2><b>Graphics card:</b> RADEON X800</FONT><br>",
        "   <FONT size=2><b>Bustype:</b> AGP 8X </FONT><br>",
        "   <FONT size=2><b>Memory:</b>  256.0 MB</FONT><br>",
        "   <FONT size=2><b>Current VPU speed:</b> 400.00 MHz</FONT><br>",
        "   <FONT size=2><b>Current memory speed:</b> 490.00 MHz</FONT><br>",
        "   <FONT size=2><b>Driver version:</b>  6.14.10.6476 (English)</FONT><br>",
        kHeading,
        "   <FONT size=2><b>Graphics card:</b> NVIDIA GeForce 7800 GTX</FONT><br>",
        "   <FONT size=2><b>Memory:</b>  256.0 MB</FONT><br>",
        "   <FONT size=2><b>Current GPU speed:</b> 450 MHz</FONT><br>",
        "   <FONT size=2><b>Current memory speed:</b> 600 MHz</FONT><br>",
        "   <FONT size=2><b>Driver version:</b>  6.14.10.6476 (English)</FONT><br>",
    };
    EXPECT_EQ(report.lines(), expected);
    const std::vector<std::string> debugLines = {
        "Graphics card: RADEON X800",
        "Bustype: AGP 8X ",
        "Memory:  256.0 MB",
        "Current VPU speed: 400.00 MHz",
        "Current memory speed: 490.00 MHz",
        "Driver version:  6.14.10.6476 (English)",
        "Graphics card: NVIDIA GeForce 7800 GTX",
        "Memory:  256.0 MB",
        "Current GPU speed: 450 MHz",
        "Current memory speed: 600 MHz",
        "Driver version:  6.14.10.6476 (English)",
    };
    EXPECT_EQ(debug.Lines(), debugLines);
    std::string saved;
    for (const std::string& line : debugLines) saved += line + "\r\n";
    EXPECT_EQ(SavedDebugLog(), saved);
}

TEST_F(AdapterLines, BatchCapitalisesTheAtiLabelAndWritesNoDebugLines) {
    FakeDisplayDriver driver = BothAdapters();
    driver.keys.erase(kMemoryKey);  // no memory type: no bus type line
    Append(driver, ReportDocument::Mode::Batch);
    ASSERT_EQ(report.lines().size(), 12u);
    EXPECT_EQ(report.lines()[1], "   <FONT size=2><b>Graphics Card:</b> RADEON X800</FONT><br>");
    EXPECT_EQ(report.lines()[2], "   <FONT size=2><b>Memory:</b>  256.0 MB</FONT><br>");
    EXPECT_EQ(report.lines()[6], kHeading);
    EXPECT_EQ(report.lines()[7], "   <FONT size=2><b>Graphics card:</b> NVIDIA GeForce 7800 GTX</FONT><br>");
    EXPECT_TRUE(debug.Lines().empty());
    EXPECT_EQ(SavedDebugLog(), "<none>");
}

TEST_F(AdapterLines, FailedProbesWriteNothing) {
    // The driver of a machine without either interface: escapes unsupported, no class key.
    FakeDisplayDriver driver;
    driver.atiReplies[0x00110013] = {};
    driver.atiReplies[0x00400103] = {};
    driver.adapters = {{"\\\\.\\DISPLAY1", "Wine Adapter", "PCI\\VEN_0000&DEV_0000"}};
    Append(driver, ReportDocument::Mode::Interactive);
    EXPECT_TRUE(report.lines().empty());
    EXPECT_TRUE(debug.Lines().empty());
    EXPECT_EQ(SavedDebugLog(), "<none>");
}

TEST_F(AdapterLines, OnlyTheAtiBlockDoesNotSaveTheDebugLog) {
    FakeDisplayDriver driver = BothAdapters();
    driver.keys.erase(kClassKey);
    Append(driver, ReportDocument::Mode::Interactive);
    EXPECT_EQ(report.lines().size(), 7u);
    EXPECT_EQ(debug.Lines().size(), 6u);
    EXPECT_EQ(SavedDebugLog(), "<none>");
}

}  // namespace
