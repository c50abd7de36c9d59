// The settings store and load against the real registry and file system of the prefix.
#include <gtest/gtest.h>

#include "platform/win_file_system_win.h"
#include "settings/base64.h"
#include "settings/display_modes_win.h"
#include "settings/dpapi_sealer_win.h"
#include "settings/option_store.h"
#include "settings/registry_settings_store_win.h"
#include "support/wine_test_support.h"

namespace {

struct SettingsRegistry : ::testing::Test {
    RegistrySettingsStore store;
    WinFileSystem files;
    OptionState options;
    AppPaths paths;
    DpapiSealer account;
    wt::TempFolder bench{"settings_bench"};

    void TearDown() override { wt::DeleteSettingsKey(); }

    void Load() {
        paths.BenchDir = bench.Path();
        SettingsLoadContext ctx{store, files, BuildDisplayModeList, nullptr, &account};
        LoadSettings(ctx, options, paths);
    }
};

TEST_F(SettingsRegistry, MissingKeyIsNeitherReadNorCreated) {
    wt::DeleteSettingsKey();
    Load();
    EXPECT_EQ(options.versionLabel, "v1.0");
    EXPECT_EQ(wt::ReadSettingsValue("ResultPath"), "<missing>");
    try {
        store.Write("Boost", "1");
        FAIL() << "write to a missing key succeeded";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'Boost'");
    }
    EXPECT_FALSE(store.KeyExists());
}

TEST_F(SettingsRegistry, ValuesRoundTripAsCodePage1252Strings) {
    wt::CreateSettingsKey();
    store.Write("Note", "Pr\xE9sentation \xD7 2");
    EXPECT_EQ(store.Read("Note"), "Pr\xE9sentation \xD7 2");
    EXPECT_EQ(store.Read("Absent"), "");
    wt::WriteSettingsDword("Shader", 3);
    EXPECT_EQ(store.Read("Shader"), "");  // a value of the wrong type reads as missing
}

TEST_F(SettingsRegistry, WriteCreatingKeyMakesTheKey) {
    wt::DeleteSettingsKey();
    store.WriteCreatingKey("NoErrorWarning", "1");
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "1");
}

TEST_F(SettingsRegistry, LoadRepairsStaleValuesAndReadsVersionFile) {
    wt::TempFolder game{"settings_game"};
    wt::CreateSettingsKey({{"Path", "C:\\lurktest\\no-such-game"},
                           {"Demo", "3"},
                           {"Demoname", "C:\\lurktest\\gone.demo"},
                           {"ResultPath", "C:\\lurktest\\no-such-results\\"},
                           {"640", "1"},
                           {"hdw1", "1"},
                           {"CusW", "1680"},
                           {"CusH", "1050"},
                           {"CusRes", "1"}});
    wt::WriteFileBytes(bench.Path() + "version.txt", "1.0\r\n");
    Load();
    EXPECT_EQ(wt::ReadSettingsValue("Path"), "");
    EXPECT_EQ(wt::ReadSettingsValue("Programversion"), "1.0");
    EXPECT_EQ(options.versionLabel, "v1.0");
    EXPECT_FALSE(wt::FileExists(bench.Path() + "version.txt"));
    EXPECT_EQ(wt::ReadSettingsValue("Demo"), "1");
    EXPECT_EQ(wt::ReadSettingsValue("Demoname"), "");
    EXPECT_EQ(wt::ReadSettingsValue("ResultPath"), bench.Path() + "Benchmark\\");
    // The virtual desktop offers 640 x 480 and 1680 x 1050 but not 1280 x 768.
    EXPECT_TRUE(options.resolutions[0].checked);
    EXPECT_FALSE(options.resolutions[6].enabled);
    EXPECT_EQ(wt::ReadSettingsValue("hdw1"), "1");
    // Another size chosen: the dimmed one keeps its stored choice for a display that offers it.
    options.resolutions[1].checked = true;
    StoreResolutions(store, options);
    EXPECT_EQ(wt::ReadSettingsValue("800"), "1");
    EXPECT_EQ(wt::ReadSettingsValue("hdw1"), "1");
    EXPECT_TRUE(options.customOn);
    EXPECT_EQ(options.customWidth, "1680");
}

TEST_F(SettingsRegistry, CustomSizeNotOfferedIsResetAndGameFolderGetsDemos) {
    wt::TempFolder game{"settings_game"};
    std::string gameFolder = game.Path().substr(0, game.Path().size() - 1);
    wt::CreateSettingsKey({{"Path", gameFolder}, {"CusW", "1280"}, {"CusH", "768"}, {"CusRes", "1"}});
    wt::MakeFolders(game.Path() + "base");
    Load();
    EXPECT_EQ(paths.GamePath, gameFolder);
    EXPECT_TRUE(wt::FolderExists(game.Path() + "base\\Demos"));
    EXPECT_EQ(wt::ReadSettingsValue("CusW"), "0");
    EXPECT_EQ(wt::ReadSettingsValue("CusH"), "0");
    EXPECT_FALSE(options.customOn);
}

// New passwords are sealed with the system's data protection for this account; values of
// the older plain base64 form (line break after 76 characters) are still read.
TEST_F(SettingsRegistry, PasswordsAreSealedAndOlderValuesStillRead) {
    wt::CreateSettingsKey();
    for (std::size_t length : {57u, 58u}) {
        std::string password;
        for (std::size_t i = 0; i < length; ++i) password += static_cast<char>('!' + i % 90);
        store.Write("ProxyPassword", EncodeBase64Mime(password));
        EXPECT_EQ(wt::ReadSettingsValue("ProxyPassword").find("\r\n") != std::string::npos, length == 58) << length;
        options = OptionState{};
        Load();
        EXPECT_EQ(options.proxyPassword, password) << "older form, " << length;

        StoreProxyPassword(store, account, password);
        const std::string stored = wt::ReadSettingsValue("ProxyPassword");
        EXPECT_EQ(stored.rfind("DPAPI:", 0), 0u) << stored;
        EXPECT_EQ(stored.find(EncodeBase64Mime(password).substr(0, 40)), std::string::npos);
        options = OptionState{};
        Load();
        EXPECT_EQ(options.proxyPassword, password) << "sealed, " << length;
    }
}

}  // namespace
