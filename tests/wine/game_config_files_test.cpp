// The game's configuration files on real files: preparation, restore and start-up recovery.
#include <gtest/gtest.h>

#include <vector>

#include "app/debug_log.h"
#include "gameconfig/game_config.h"
#include "gameconfig/pass_marks.h"
#include "platform/shell_file_operations_win.h"
#include "platform/win_file_system_win.h"
#include "settings/registry_settings_store_win.h"
#include "support/game_folder.h"

namespace {

// The user's own files, with bytes a careless copy would change.
const std::string kUserAutoexec = "bind F12 screenshot\r\nseta r_gamma \"1.2\"\n\xD7 no final line break";
const std::string kUserPreyconfig = "seta r_mode \"5\"\r\nseta s_volume \"0.8\"\r\n";

std::vector<std::string> SplitCrLf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(bytes.substr(start, end - start));
    }
    EXPECT_EQ(start, bytes.size()) << "every line, the last one too, ends with CR LF";
    return lines;
}

struct GameConfigFiles : ::testing::Test {
    wt::GameFolder game{"gameconfig", "Prey"};
    WinFileSystem files;
    ShellFileOperations fileOps;
    GameConfig config{files, fileOps, game.Paths()};
    DebugLog log;

    void WriteUserFiles() {
        game.WriteCfgFile("autoexec.cfg", kUserAutoexec);
        game.WriteCfgFile("preyconfig.cfg", kUserPreyconfig);
    }
    void Prepare(const BenchOptions& bench) {
        config.FilterStep(bench, log);
        config.BoostStep(bench);
        config.Prepare(bench, log);
    }
    void ExpectUserFilesBackAndNoBackups() {
        EXPECT_EQ(game.ReadCfgFile("autoexec.cfg"), kUserAutoexec);
        EXPECT_EQ(game.ReadCfgFile("preyconfig.cfg"), kUserPreyconfig);
        EXPECT_FALSE(game.HasCfgFile("autoexec_old.cfg"));
        EXPECT_FALSE(game.HasCfgFile("preyconfig_old.cfg"));
    }
};

TEST_F(GameConfigFiles, HighestWithBoostWritesTwentyNineLinesAndTheRestoreBringsTheUserFilesBack) {
    WriteUserFiles();
    Prepare({"", "", "", "SHIGHEST", "AA4", "AF16", "BOOST"});

    const std::vector<std::string> lines = SplitCrLf(game.ReadCfgFile("autoexec.cfg"));
    ASSERT_EQ(lines.size(), 29u);
    EXPECT_EQ(lines[0], "seta image_downSizeSoftLimit \"0\"");
    EXPECT_EQ(lines[21], "seta r_shaderLevel \"3\"");
    EXPECT_EQ(lines[23], "seta fs_restrict \"0\"");
    EXPECT_EQ(lines[24], "seta image_usePrecompressedTextures \"0\"");
    EXPECT_EQ(lines[25], "seta image_useNormalCompression \"0\"");
    EXPECT_EQ(lines[26], "seta image_useCompression \"0\"");
    EXPECT_EQ(lines[27], "seta r_multiSamples 4");
    EXPECT_EQ(lines[28], "seta image_anisotropy 16");
    EXPECT_EQ(game.ReadCfgFile("autoexec_old.cfg"), kUserAutoexec);
    EXPECT_EQ(game.ReadCfgFile("preyconfig_old.cfg"), kUserPreyconfig);
    EXPECT_FALSE(game.HasCfgFile("preyconfig.cfg")) << "the game starts without the user's configuration";
    EXPECT_TRUE(config.Prepared());

    game.WriteCfgFile("preyconfig.cfg", "written by the game at exit\r\n");
    config.Restore(&log);

    ExpectUserFilesBackAndNoBackups();
    EXPECT_FALSE(config.Prepared());
    const std::vector<std::string> expectedLog = {
        "Antialiasing: 4\xD7", "Anisotropic filtering: 16\xD7", "Exist autoexec.cfg --- renamed",
        "Exist preyconfig.cfg --- renamed", "Shader Detail: Highest", "Boost is enabled",
        "Modified settings saved: " + game.CfgPath(), "Restore autoexec.cfg", "Restore preyconfig.cfg"};
    EXPECT_EQ(log.Lines(), expectedLog);
    EXPECT_EQ(config.Texts().shader, "Shader Detail: Highest");
    EXPECT_EQ(config.Texts().boost, "Graphics BOOST: enabled");
}

TEST_F(GameConfigFiles, FromSystemForBothEndsWithTwoEmptyLines) {
    Prepare({"", "", "", "SLOW", "AASYS", "AFSYS", ""});
    const std::string bytes = game.ReadCfgFile("autoexec.cfg");
    const std::vector<std::string> lines = SplitCrLf(bytes);
    ASSERT_EQ(lines.size(), 26u);
    EXPECT_EQ(lines[21], "seta r_shaderLevel \"0\"");
    const std::string tail = "seta fs_restrict \"0\"\r\n\r\n\r\n";
    EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail);
    EXPECT_EQ(config.Texts().antialiasing, "Antialiasing: From System");
    EXPECT_EQ(config.Texts().filtering, "Anisotropic filtering: From System");
    EXPECT_EQ(config.Texts().boost, "Graphics BOOST: disabled");
    config.Restore(nullptr);
}

TEST_F(GameConfigFiles, FolderWithoutUserFilesGetsAnEmptyScriptWithoutShaderLevelAndLosesItAtTheEnd) {
    Prepare({"", "", "", "", "AA2", "AF2", "BOOST"});
    EXPECT_EQ(game.ReadCfgFile("autoexec.cfg"), "") << "no shader level: no line at all";
    config.Restore(&log);
    EXPECT_FALSE(game.HasCfgFile("autoexec.cfg"));
    EXPECT_FALSE(game.HasCfgFile("preyconfig.cfg"));
    const std::vector<std::string> expectedLog = {"Antialiasing: 2\xD7", "Anisotropic filtering: 2\xD7",
                                                  "No exist autoexec.cfg", "No exist preyconfig.cfg",
                                                  "Modified settings saved: " + game.CfgPath(), "Delete autoexec.cfg"};
    EXPECT_EQ(log.Lines(), expectedLog);
    EXPECT_EQ(config.Texts().shader, "");
}

TEST_F(GameConfigFiles, RestoreWithoutPreparationLeavesTheUserFileAlone) {
    game.WriteCfgFile("autoexec.cfg", kUserAutoexec);
    config.Restore(&log);
    config.Restore(nullptr);  // the shutdown after a completed pass
    EXPECT_EQ(game.ReadCfgFile("autoexec.cfg"), kUserAutoexec);
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"Delete autoexec.cfg"});
}

TEST_F(GameConfigFiles, NoGameFolderMeansNothingIsTouched) {
    AppPaths none;
    GameConfig unset{files, fileOps, none};
    unset.FilterStep({}, log);
    unset.Prepare({"", "", "", "SHIGH", "", "", ""}, log);
    unset.Restore(&log);
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"", ""}));
    EXPECT_FALSE(unset.Prepared());
}

TEST_F(GameConfigFiles, FailedPassFollowedByACompletePassBringsBackTheUserFiles) {
    WriteUserFiles();
    Prepare({"", "", "", "SMED", "AA2", "", ""});  // refused after the preparation: no restore
    Prepare({"", "", "", "SHIGH", "", "AF4", "BOOST"});
    EXPECT_EQ(game.ReadCfgFile("autoexec_old.cfg"), kUserAutoexec) << "an existing backup is never overwritten";
    EXPECT_EQ(SplitCrLf(game.ReadCfgFile("autoexec.cfg"))[21], "seta r_shaderLevel \"2\"");
    config.Restore(&log);
    ExpectUserFilesBackAndNoBackups();
    EXPECT_FALSE(game.HasCfgFile("autoexec_kept.cfg")) << "our own generated file is simply replaced";
}

TEST_F(GameConfigFiles, PassInterruptedInAnEarlierRunOfTheProgramStillRestoresTheUserFiles) {
    WriteUserFiles();
    Prepare({"", "", "", "SHIGHEST", "", "", ""});
    game.WriteCfgFile("preyconfig.cfg", "written by the game before the crash\r\n");

    // The next run of the program: a fresh record, a new pass, then its restore.
    GameConfig next{files, fileOps, game.Paths()};
    next.Prepare({"", "", "", "SLOW", "", "", ""}, log);
    EXPECT_EQ(game.ReadCfgFile("preyconfig_kept.cfg"), "written by the game before the crash\r\n");
    EXPECT_FALSE(game.HasCfgFile("preyconfig.cfg")) << "the game starts without a configuration";
    next.Restore(&log);
    ExpectUserFilesBackAndNoBackups();
}

TEST_F(GameConfigFiles, UserFileFoundInPlaceOfTheBackedUpOneIsKeptNotLost) {
    WriteUserFiles();
    Prepare({"", "", "", "SHIGH", "", "", ""});
    game.WriteCfgFile("autoexec.cfg", "bind F1 newer\r\n");  // the user made a new file meanwhile
    game.WriteCfgFile("autoexec_kept.cfg", "kept earlier\r\n");

    GameConfig next{files, fileOps, game.Paths()};
    next.Prepare({"", "", "", "SHIGH", "", "", ""}, log);
    EXPECT_EQ(game.ReadCfgFile("autoexec_kept.cfg"), "kept earlier\r\n");
    EXPECT_EQ(game.ReadCfgFile("autoexec_kept2.cfg"), "bind F1 newer\r\n");
    EXPECT_EQ(game.ReadCfgFile("autoexec_old.cfg"), kUserAutoexec);

    // A user file put in place of the generated one during a pass survives the restore too.
    game.WriteCfgFile("autoexec.cfg", "bind F2 during the pass\r\n");
    next.Restore(&log);
    EXPECT_EQ(game.ReadCfgFile("autoexec.cfg"), kUserAutoexec);
    EXPECT_EQ(game.ReadCfgFile("autoexec_kept3.cfg"), "bind F2 during the pass\r\n");
}

struct StartupRecovery : GameConfigFiles {
    RegistrySettingsStore store;
    std::vector<std::string> questions;

    void SetUp() override {
        wt::CreateSettingsKey({{"NoErrorWarning", "1"}});
        WriteUserFiles();
        Prepare({"", "", "", "SHIGH", "", "", ""});  // then the program died
    }
    void TearDown() override { wt::DeleteSettingsKey(); }

    void Recover(bool answer) {
        GameConfig atStart{files, fileOps, game.Paths()};
        atStart.StartupRecovery(store, [&](const std::string& text) {
            questions.push_back(text);
            return answer;
        });
    }
};

TEST_F(StartupRecovery, AnswerNoChangesNothingAndAsksAgainNextTime) {
    const std::string generated = game.ReadCfgFile("autoexec.cfg");
    Recover(false);
    Recover(false);
    EXPECT_EQ(questions, std::vector<std::string>(
                             2, "The last time an error occured. Do you wish to restore the original settings?"));
    EXPECT_EQ(game.ReadCfgFile("autoexec.cfg"), generated);
    EXPECT_TRUE(game.HasCfgFile("autoexec_old.cfg"));
    EXPECT_TRUE(game.HasCfgFile("preyconfig_old.cfg"));
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "1");
}

TEST_F(StartupRecovery, AnswerYesMovesTheBackupsBackAndClearsTheMark) {
    game.WriteCfgFile("preyconfig.cfg", "written by the game\r\n");
    Recover(true);
    ExpectUserFilesBackAndNoBackups();
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");
    Recover(true);
    EXPECT_EQ(questions.size(), 1u) << "no question once the mark is cleared";
}

TEST_F(StartupRecovery, YesWithoutBackupsLeavesTheGeneratedFile) {
    config.Restore(nullptr);
    Prepare({"", "", "", "SLOW", "", "", ""});
    files.DeleteFileIfExists(game.CfgPath() + "autoexec_old.cfg");
    files.DeleteFileIfExists(game.CfgPath() + "preyconfig_old.cfg");
    const std::string generated = game.ReadCfgFile("autoexec.cfg");
    Recover(true);
    EXPECT_EQ(game.ReadCfgFile("autoexec.cfg"), generated);
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");
}

// A preparation at folder A, then the game folder switched to B (whose autoexec.cfg is the
// user's, empty as it may be): the restore and the recovery act on A alone.
struct PreparedThenSwitched : ::testing::Test {
    wt::GameFolder folderA{"gameconfig_a", "Prey A"};
    wt::GameFolder folderB{"gameconfig_b", "Prey B"};
    AppPaths paths = folderA.Paths();
    WinFileSystem files;
    ShellFileOperations fileOps;
    RegistrySettingsStore store;
    DebugLog log;

    void SetUp() override {
        wt::CreateSettingsKey({{"NoErrorWarning", "0"}});
        folderA.WriteCfgFile("autoexec.cfg", kUserAutoexec);
        folderA.WriteCfgFile("preyconfig.cfg", kUserPreyconfig);
        folderB.WriteCfgFile("autoexec.cfg", "");
        folderB.WriteCfgFile("preyconfig.cfg", kUserPreyconfig);
        GameConfig config{files, fileOps, paths};
        config.KeepRecordIn(&store);
        config.Prepare({"", "", "", "", "", "", ""}, log);  // no shader level: an empty autoexec.cfg
        EXPECT_EQ(wt::ReadSettingsValue("PreparedFolder"), folderA.CfgPath());
        EXPECT_EQ(wt::ReadSettingsValue("PreparedFiles"), "APG");
        paths = folderB.Paths();
    }
    void TearDown() override { wt::DeleteSettingsKey(); }
    void ExpectBothFoldersAsTheUserHadThem() {
        EXPECT_EQ(folderA.ReadCfgFile("autoexec.cfg"), kUserAutoexec);
        EXPECT_EQ(folderA.ReadCfgFile("preyconfig.cfg"), kUserPreyconfig);
        EXPECT_FALSE(folderA.HasCfgFile("autoexec_old.cfg"));
        EXPECT_EQ(folderB.ReadCfgFile("autoexec.cfg"), "");
        EXPECT_EQ(folderB.ReadCfgFile("preyconfig.cfg"), kUserPreyconfig);
        EXPECT_FALSE(folderB.HasCfgFile("autoexec_old.cfg"));
        EXPECT_FALSE(folderB.HasCfgFile("autoexec_kept.cfg"));
        EXPECT_EQ(wt::ReadSettingsValue("PreparedFolder"), "") << "a done restore clears the record";
    }
};

TEST_F(PreparedThenSwitched, RestoreByALaterProgramActsOnTheRecordedFolder) {
    GameConfig atEnd{files, fileOps, paths};
    atEnd.KeepRecordIn(&store);
    atEnd.Restore(nullptr);
    ExpectBothFoldersAsTheUserHadThem();
}

TEST_F(PreparedThenSwitched, RecoveryIsOfferedForTheRecordEvenWithThePassMarkCleared) {
    GameConfig atStart{files, fileOps, paths};
    atStart.KeepRecordIn(&store);
    int asked = 0;
    atStart.StartupRecovery(store, [&](const std::string&) { return ++asked, true; });
    EXPECT_EQ(asked, 1);
    ExpectBothFoldersAsTheUserHadThem();
}

TEST_F(PreparedThenSwitched, NextPreparationAtBFirstPutsAsFilesBack) {
    GameConfig next{files, fileOps, paths};
    next.KeepRecordIn(&store);
    next.Prepare({"", "", "", "SLOW", "", "", ""}, log);
    EXPECT_EQ(folderA.ReadCfgFile("autoexec.cfg"), kUserAutoexec);
    EXPECT_EQ(folderA.ReadCfgFile("preyconfig.cfg"), kUserPreyconfig);
    EXPECT_EQ(folderB.ReadCfgFile("autoexec_old.cfg"), "") << "B's empty autoexec.cfg is the user's and set aside";
    EXPECT_EQ(wt::ReadSettingsValue("PreparedFolder"), folderB.CfgPath());
    next.Restore(nullptr);
    ExpectBothFoldersAsTheUserHadThem();
}

TEST(PassMarks, OnlyRefusalsAndTheEndOfABatchPassCreateTheMissingKey) {
    RegistrySettingsStore store;
    wt::DeleteSettingsKey();
    EXPECT_THROW(MarkPassUnderWay(store), std::runtime_error);
    EXPECT_THROW(MarkPassEnded(store, false), std::runtime_error);
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "<missing>");
    MarkPassRefused(store);
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");
    wt::DeleteSettingsKey();
    MarkPassEnded(store, true);
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");
    MarkPassUnderWay(store);
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "1");
    EXPECT_TRUE(PassUnderWay(store));
    wt::DeleteSettingsKey();
}

}  // namespace
