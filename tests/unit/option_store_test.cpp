#include "settings/option_store.h"

#include <gtest/gtest.h>

#include "fakes/fake_settings.h"

namespace {

TEST(OptionStore, WritesTheStoredTextOfEachOption) {
    FakeSettingsStore store;
    OptionState o;
    o.resolutions[0].checked = true;
    o.resolutions[8].checked = true;
    StoreResolutions(store, o);
    EXPECT_EQ(store.values["640"], "1");
    EXPECT_EQ(store.values["800"], "0");
    EXPECT_EQ(store.values["hdw3"], "1");
    EXPECT_EQ(store.values.size(), 9u);
    // A dimmed size (not offered by this display) keeps what another display stored.
    store.values["hdw3"] = "1";
    o.resolutions[8] = {false, false};
    StoreResolutions(store, o);
    EXPECT_EQ(store.values["hdw3"], "1");
    EXPECT_EQ(store.values["640"], "1");

    o.customOn = true;
    o.customWidth = "1680";
    StoreCustomResolutionSwitch(store, o);
    EXPECT_EQ(store.values["CusRes"], "0");  // height missing
    o.customHeight = "1050";
    StoreCustomResolutionSwitch(store, o);
    EXPECT_EQ(store.values["CusRes"], "1");

    StoreDemoChoice(store, 2);
    EXPECT_EQ(store.values["Demo"], "3");
    StoreChoice(store, "AFLevel", 4);
    EXPECT_EQ(store.values["AFLevel"], "4");
    StoreChoice(store, "AFLevel", kNoChoice);
    EXPECT_EQ(store.values["AFLevel"], "4");
    StoreFlag(store, "Boost", true);
    EXPECT_EQ(store.values["Boost"], "1");
    StoreFlag(store, "Boost", false);
    EXPECT_EQ(store.values["Boost"], "0");
}

TEST(OptionStore, EmptiedTextsStoreTheirEmptiness) {
    FakeSettingsStore store;
    for (std::string note : {"abc", "ab", "a", ""}) StoreText(store, "Note", note);
    EXPECT_EQ(store.values["Note"], "");
    FakeSealer sealer;
    StoreProxyPassword(store, sealer, "pw");
    EXPECT_EQ(DecodeStoredPassword(store.values["ProxyPassword"], sealer), "pw");
    StoreProxyPassword(store, sealer, "");
    EXPECT_EQ(store.values["ProxyPassword"], "");
}

TEST(OptionStore, SizeFromThePickerSwitchesOnlyACheckedCustomResolutionOn) {
    struct Case {
        bool boxChecked;
        const char* storedSwitch;  // CusRes after Add; "<none>": not written
    };
    for (const Case& c : {Case{false, "<none>"}, Case{true, "1"}}) {
        FakeSettingsStore store;
        OptionState o;
        o.customOn = c.boxChecked;
        StoreCustomSize(store, o, "1280", "1024");
        EXPECT_EQ(store.values["CusW"], "1280");
        EXPECT_EQ(store.values["CusH"], "1024");
        EXPECT_EQ(o.customWidth, "1280");
        EXPECT_EQ(o.customHeight, "1024");
        const auto found = store.values.find("CusRes");
        EXPECT_EQ(found == store.values.end() ? "<none>" : found->second, c.storedSwitch) << c.boxChecked;
    }
}

TEST(OptionStore, WriteToMissingKeyReportsTheValueName) {
    FakeSettingsStore store;
    store.keyExists = false;
    OptionState o;
    try {
        StoreResolutions(store, o);
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for '640'");
    }
    EXPECT_TRUE(store.values.empty());
}

TEST(OptionStore, PicksStoreAndDeriveFolders) {
    FakeSettingsStore store;
    FakeFileSystem files;
    OptionState o;
    AppPaths paths;
    PickGameFolder(store, files, "D:\\Prey Game\\prey.exe", o, paths);
    EXPECT_EQ(store.values["Path"], "D:\\Prey Game");
    EXPECT_EQ(paths.DemosPath, "D:\\Prey Game\\base\\Demos\\");
    EXPECT_TRUE(files.FolderExists(paths.DemosPath));
    PickGameFolder(store, files, "E:\\prey.exe", o, paths);
    EXPECT_EQ(paths.CfgPath, "E:\\base\\");

    PickResultFolder(store, "C:\\", o, paths);
    EXPECT_EQ(store.values["ResultPath"], "C:\\");
    PickResultFolder(store, "C:\\Results", o, paths);
    EXPECT_EQ(paths.ResultPath, "C:\\Results\\");

    o.demo = 0;
    PickUserDemo(store, "D:\\d.demo", o);
    EXPECT_EQ(store.values["Demoname"], "D:\\d.demo");
    EXPECT_EQ(o.demo, 0);
}

TEST(DeriveBenchOptions, MapsEveryChoiceToItsToken) {
    OptionState o;
    EXPECT_EQ(DeriveBenchOptions(o), BenchOptions{});
    o.aspect = 1;
    o.shader = 3;
    o.aa = 3;
    o.af = 5;
    o.demo = 1;
    o.boost = true;
    BenchOptions expected{"", "DEMO2", "AR169", "SHIGHEST", "AASYS", "AFSYS", "BOOST"};
    EXPECT_EQ(DeriveBenchOptions(o), expected);
    o.demo = 2;  // the user's own demo has no token
    o.af = 0;
    EXPECT_EQ(DeriveBenchOptions(o).demo, "");
    EXPECT_EQ(DeriveBenchOptions(o).af, "AFNONE");
    o.repeats = 4;
    o.warmUp = true;
    EXPECT_EQ(DeriveBenchOptions(o).runs, "RUNS4");
    EXPECT_EQ(DeriveBenchOptions(o).warmUp, "WARMUP");
    o.repeats = 1;
    EXPECT_EQ(DeriveBenchOptions(o).runs, "") << "one run is the default and has no token";
}

TEST(OptionStore, RepeatsAndWarmUpAreStoredAsDigits) {
    FakeSettingsStore store;
    StoreRepeats(store, 5);
    StoreFlag(store, "WarmUp", true);
    EXPECT_EQ(store.values["Repeats"], "5");
    EXPECT_EQ(store.values["WarmUp"], "1");
}

}  // namespace
