#include "settings/settings_load.h"

#include <gtest/gtest.h>

#include "fakes/fake_settings.h"
#include "settings/base64.h"
#include "settings/option_store.h"

namespace {

const char* const kBench = "C:\\Lurkmark\\";

struct LoadFixture : ::testing::Test {
    FakeSettingsStore store;
    FakeFileSystem files;
    DisplayModeList modes{"640 x 480", "800 x 600", "1024 x 768", "1280 x 1024"};
    bool recoveryRan = false;
    OptionState options;
    AppPaths paths;
    FakeSealer account;

    std::string Load() {
        paths.BenchDir = kBench;
        SettingsLoadContext ctx{store, files, [this] { return modes; }, [this] { recoveryRan = true; }, &account};
        return LoadSettings(ctx, options, paths);
    }
};

TEST_F(LoadFixture, MissingKeyReadsAndWritesNothing) {
    store.keyExists = false;
    Load();
    EXPECT_EQ(store.reads, 0);
    EXPECT_EQ(store.writes, 0);
    EXPECT_FALSE(recoveryRan);
    EXPECT_EQ(options.versionLabel, "v1.0");
    EXPECT_EQ(options.aspect, kNoChoice);
    EXPECT_EQ(options.demo, kNoChoice);
    for (const ResolutionItem& item : options.resolutions) EXPECT_FALSE(item.checked);
}

TEST_F(LoadFixture, GameFolderSetsDerivedPathsAndCreatesDemosFolder) {
    store.values["Path"] = "C:\\Games\\Prey";
    files.folders.insert("C:\\Games\\Prey");
    files.files["C:\\Games\\Prey\\Lurkmark.bat"] = "stale";
    Load();
    EXPECT_EQ(paths.GamePath, "C:\\Games\\Prey");
    EXPECT_EQ(paths.CfgPath, "C:\\Games\\Prey\\base\\");
    EXPECT_EQ(paths.DemosPath, "C:\\Games\\Prey\\base\\Demos\\");
    EXPECT_TRUE(files.FolderExists(paths.DemosPath));
    EXPECT_FALSE(files.FileExists("C:\\Games\\Prey\\Lurkmark.bat"));
    EXPECT_EQ(options.gameFolder, "C:\\Games\\Prey");
    EXPECT_TRUE(recoveryRan);
}

TEST_F(LoadFixture, DeletedGameFolderIsCleared) {
    store.values["Path"] = "C:\\Gone";
    Load();
    EXPECT_EQ(store.values["Path"], "");
    EXPECT_EQ(options.gameFolder, "");
    EXPECT_EQ(paths.GamePath, "");
    EXPECT_EQ(paths.CfgPath, "");
}

TEST_F(LoadFixture, UncreatableDemosFolderIsReportedAndCostsNoOtherSetting) {
    store.values["Path"] = "C:\\Games\\Prey";
    store.values["AspectRatio"] = "1";
    store.values["Note"] = "kept";
    store.values["1024"] = "1";
    files.folders.insert("C:\\Games\\Prey");
    files.uncreatable.insert("C:\\Games\\Prey\\base\\Demos\\");
    const std::map<std::string, std::string> before = store.values;
    EXPECT_EQ(Load(), "Cannot create C:\\Games\\Prey\\base\\Demos\\");
    EXPECT_EQ(options.gameFolder, "C:\\Games\\Prey");
    EXPECT_EQ(options.aspect, 1);
    EXPECT_EQ(options.note, "kept");
    EXPECT_TRUE(options.resolutions[2].checked);
    EXPECT_TRUE(recoveryRan);
    // Only the load's own default is added; nothing the user stored changes.
    for (const auto& [name, value] : before) EXPECT_EQ(store.values[name], value) << name;
}

TEST_F(LoadFixture, VersionFileGivesFirstThreeCharactersAndIsDeleted) {
    files.files[std::string(kBench) + "version.txt"] = "1.0\r\n";
    Load();
    EXPECT_EQ(store.values["Programversion"], "1.0");
    EXPECT_EQ(options.versionLabel, "v1.0");
    EXPECT_FALSE(files.FileExists(std::string(kBench) + "version.txt"));
}

TEST_F(LoadFixture, EmptyVersionReadsAsBareV) {
    Load();
    EXPECT_EQ(options.versionLabel, "v");
}

TEST_F(LoadFixture, ResolutionNotOfferedIsDisabledAndKeepsItsValue) {
    store.values["640"] = "1";
    store.values["800"] = "0";
    store.values["hdw2"] = "1";
    Load();
    EXPECT_TRUE(options.resolutions[0].checked);
    EXPECT_TRUE(options.resolutions[0].enabled);
    EXPECT_FALSE(options.resolutions[1].checked);
    EXPECT_FALSE(options.resolutions[7].enabled);
    EXPECT_FALSE(options.resolutions[7].checked);
    EXPECT_EQ(store.values["hdw2"], "1");
}

TEST_F(LoadFixture, CustomResolutionOnOfferIsSwitchedOn) {
    store.values["CusW"] = "1280";
    store.values["CusH"] = "1024";
    store.values["CusRes"] = "1";
    Load();
    EXPECT_TRUE(options.customOn);
    EXPECT_TRUE(options.customFieldsEnabled);
    EXPECT_EQ(options.customWidth, "1280");
    EXPECT_EQ(options.customHeight, "1024");
}

TEST_F(LoadFixture, CustomResolutionOnOfferButSwitchedOffIsFilledAndDisabled) {
    store.values["CusW"] = "800";
    store.values["CusH"] = "600";
    store.values["CusRes"] = "0";
    Load();
    EXPECT_FALSE(options.customOn);
    EXPECT_FALSE(options.customFieldsEnabled);
    EXPECT_EQ(options.customWidth, "800");
}

TEST_F(LoadFixture, CustomResolutionNotOnOfferIsReset) {
    store.values["CusW"] = "1680";
    store.values["CusH"] = "1050";
    store.values["CusRes"] = "1";
    Load();
    EXPECT_FALSE(options.customOn);
    EXPECT_EQ(options.customWidth, "");
    EXPECT_EQ(store.values["CusW"], "0");
    EXPECT_EQ(store.values["CusH"], "0");
}

TEST_F(LoadFixture, UserDemoThatVanishedFallsBackToFirstDemo) {
    store.values["Demo"] = "3";
    store.values["Demoname"] = "D:\\demos\\gone.demo";
    Load();
    EXPECT_EQ(options.demo, 0);
    EXPECT_FALSE(options.demoFileEnabled);
    EXPECT_EQ(options.demoFile, "");
    EXPECT_EQ(store.values["Demo"], "1");
    EXPECT_EQ(store.values["Demoname"], "");
}

TEST_F(LoadFixture, UserDemoPresentIsShownAndEnabled) {
    store.values["Demo"] = "3";
    store.values["Demoname"] = "D:\\demos\\mine.demo";
    files.files["D:\\demos\\mine.demo"] = "x";
    Load();
    EXPECT_EQ(options.demo, 2);
    EXPECT_TRUE(options.demoFileEnabled);
    EXPECT_EQ(options.demoFile, "D:\\demos\\mine.demo");
}

TEST_F(LoadFixture, ShippedDemoLeavesDemoFieldEmpty) {
    store.values["Demo"] = "1";
    store.values["Demoname"] = "D:\\demos\\mine.demo";
    files.files["D:\\demos\\mine.demo"] = "x";
    Load();
    EXPECT_EQ(options.demo, 0);
    EXPECT_EQ(options.demoFile, "");
}

TEST_F(LoadFixture, ResultFolderDefaultsBesideTheProgram) {
    store.values["ResultPath"] = "D:\\gone\\";
    Load();
    EXPECT_EQ(paths.ResultPath, "C:\\Lurkmark\\Benchmark\\");
    EXPECT_EQ(options.resultFolder, paths.ResultPath);
    EXPECT_EQ(store.values["ResultPath"], paths.ResultPath);
    EXPECT_FALSE(files.FolderExists(paths.ResultPath));  // not created by the load
}

TEST_F(LoadFixture, ResultFolderDefaultsToTheDataFolderWhenTheProgramsOwnCannotBeWritten) {
    paths.DataDir = "C:\\ProgramData\\Quenwick\\Lurkmark\\";
    Load();
    EXPECT_EQ(paths.ResultPath, "C:\\ProgramData\\Quenwick\\Lurkmark\\Benchmark\\");
    EXPECT_EQ(store.values["ResultPath"], paths.ResultPath);
}

TEST_F(LoadFixture, ChoicesAcceptOnlyTheirStoredIndices) {
    struct Case {
        const char* name;
        const char* stored;
        int OptionState::*field;
        int expected;
    } cases[] = {
        {"AspectRatio", "2", &OptionState::aspect, 2}, {"AspectRatio", "3", &OptionState::aspect, kNoChoice},
        {"AspectRatio", " 1", &OptionState::aspect, kNoChoice}, {"Shader", "3", &OptionState::shader, 3},
        {"Shader", "x", &OptionState::shader, kNoChoice},   {"AFLevel", "5", &OptionState::af, 5},
        {"AFLevel", "6", &OptionState::af, kNoChoice},      {"AALevel", "3", &OptionState::aa, 3},
        {"AALevel", "-1", &OptionState::aa, kNoChoice},     {"Demo", "0", &OptionState::demo, kNoChoice},
        {"Demo", "2", &OptionState::demo, 1},
    };
    for (const Case& c : cases) {
        store.values.clear();
        options = OptionState{};
        store.values[c.name] = c.stored;
        Load();
        EXPECT_EQ(options.*c.field, c.expected) << c.name << "=" << c.stored;
    }
}

TEST_F(LoadFixture, RepeatsAndWarmUpReadOnlyTheirOwnTexts) {
    struct Case {
        const char* repeats;
        const char* warmUp;
        int expectedRepeats;
        bool expectedWarmUp;
    };
    const Case cases[] = {{"", "", 1, false},   {"3", "1", 3, true},  {"9", "0", 9, false}, {"0", "yes", 1, false},
                          {"10", "1", 1, true}, {" 2", "", 1, false}, {"x", "", 1, false}};
    for (const Case& c : cases) {
        store.values.clear();
        options = OptionState{};
        store.values["Repeats"] = c.repeats;
        store.values["WarmUp"] = c.warmUp;
        Load();
        EXPECT_EQ(options.repeats, c.expectedRepeats) << c.repeats;
        EXPECT_EQ(options.warmUp, c.expectedWarmUp) << c.warmUp;
        EXPECT_EQ(store.values["Repeats"], c.repeats) << "the load writes neither value";
    }
}

TEST_F(LoadFixture, HighPerformancePlanAndFrameTimesOnlyFromOne) {
    const std::pair<const char*, bool> cases[] = {{"", false}, {"1", true}, {"0", false}, {"yes", false}, {"11", false}};
    for (const auto& [stored, expected] : cases) {
        store.values.clear();
        options = OptionState{};
        store.values["HighPerformancePlan"] = stored;
        store.values["FrameTimes"] = stored;
        Load();
        EXPECT_EQ(options.highPerformancePlan, expected) << stored;
        EXPECT_EQ(DeriveBenchOptions(options).highPerf, expected ? "HIGHPERF" : "") << stored;
        EXPECT_EQ(options.frameTimes, expected) << stored;
        EXPECT_EQ(DeriveBenchOptions(options).frames, expected ? "FRAMES" : "") << stored;
    }
}

TEST_F(LoadFixture, ProxyFieldsFollowTheProxyBoxAndPasswordIsDecoded) {
    store.values["UseProxy"] = "1";
    store.values["ProxyServer"] = "proxy.local";
    store.values["ProxyPort"] = "3128";
    store.values["ProxyUsername"] = "joe";
    store.values["ProxyPassword"] = "c2VjcmV0";
    store.values["Boost"] = "1";
    store.values["Note"] = "my rig";
    Load();
    EXPECT_TRUE(options.useProxy);
    EXPECT_TRUE(options.proxyFieldsEnabled);
    EXPECT_EQ(options.proxyPassword, "secret");
    EXPECT_EQ(options.proxyServer, "proxy.local");

    // Sealed by this account it opens; sealed by another one the field stays empty.
    store.values["ProxyPassword"] = EncodeStoredPassword("mine", account);
    Load();
    EXPECT_EQ(options.proxyPassword, "mine");
    FakeSealer otherAccount('Z');
    store.values["ProxyPassword"] = EncodeStoredPassword("theirs", otherAccount);
    options = OptionState{};
    Load();
    EXPECT_EQ(options.proxyPassword, "");
    EXPECT_EQ(DecodeStoredPassword(store.values["ProxyPassword"], otherAccount), "theirs") << "left alone";
    EXPECT_TRUE(options.boost);
    EXPECT_EQ(options.note, "my rig");
}

// A text longer than its field takes cannot have come from the field: the field stays empty
// and the stored value is left alone.
TEST_F(LoadFixture, TextsLongerThanTheirFieldsTakeAreNotShown) {
    struct Case {
        const char* name;
        std::string OptionState::*field;
        std::size_t maxLength;
    } cases[] = {
        {"Note", &OptionState::note, 50},
        {"ProxyServer", &OptionState::proxyServer, 32767},
        {"ProxyPort", &OptionState::proxyPort, 32767},
        {"ProxyUsername", &OptionState::proxyUsername, 32767},
    };
    for (const Case& c : cases) {
        for (const std::size_t length : {c.maxLength, c.maxLength + 1, std::size_t{1} << 20}) {
            store.values.clear();
            options = OptionState{};
            store.values[c.name] = std::string(length, 'n');
            Load();
            EXPECT_EQ(options.*c.field, length <= c.maxLength ? store.values[c.name] : "") << c.name << " " << length;
            EXPECT_EQ(store.values[c.name].size(), length) << c.name;
        }
    }
    // The password counts decoded: 32767 bytes are 43692 characters of base64, 32768 one group more.
    for (const std::size_t length : {std::size_t{32767}, std::size_t{32768}}) {
        options = OptionState{};
        store.values["ProxyPassword"] = EncodeBase64Mime(std::string(length, 'p'));
        Load();
        EXPECT_EQ(options.proxyPassword.size(), length <= 32767 ? length : 0u) << length;
    }
}

TEST(GameFolderOfFile, TakesTheFilesFolder) {
    EXPECT_EQ(GameFolderOfFile("C:\\Games\\Prey\\prey.exe"), "C:\\Games\\Prey");
    EXPECT_EQ(GameFolderOfFile("C:\\prey.exe"), "C:\\");
}

TEST(ResultFolderText, RootUnchangedOtherFoldersGetABackslash) {
    EXPECT_EQ(ResultFolderText("C:\\"), "C:\\");
    EXPECT_EQ(ResultFolderText("C:\\Results"), "C:\\Results\\");
}

TEST_F(LoadFixture, GameTimeLimitIsWholeSecondsAndFallsBackToHalfAnHour) {
    const struct {
        const char* stored;
        int seconds;
    } cases[] = {{nullptr, 1800}, {"900", 900}, {"0", 0}, {"86400", 86400}, {"86401", 1800},
                 {"15 min", 1800}, {"-5", 1800}, {"", 1800}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "<missing>");
        store.values.erase("GameTimeLimit");
        if (c.stored) store.values["GameTimeLimit"] = c.stored;
        options = OptionState{};
        Load();
        EXPECT_EQ(options.gameTimeLimitSeconds, c.seconds);
    }
}

}  // namespace
