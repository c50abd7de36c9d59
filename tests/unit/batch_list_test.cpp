#include "batch/batch_list.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

struct ScriptedBatchUi : BatchUi {
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    bool answerYes = false;
    std::optional<std::string> savePath;
    std::vector<std::string> opened;
    unsigned paused = 0;

    void Message(const std::string& text) override { messages.push_back(text); }
    bool Confirm(const std::string& text) override {
        questions.push_back(text);
        return answerYes;
    }
    std::optional<std::string> AskSavePath() override { return savePath; }
    void Pause(unsigned ms) override { paused += ms; }
    void Open(const std::string& path) override { opened.push_back(path); }
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A folder of its own for the program's files, with a trailing slash.
std::string TempPrefix() {
    const char* tmp = std::getenv("TMPDIR");
    const std::string dir = std::string(tmp ? tmp : "/tmp") + "/lurk_batch_" +
                            std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "/";
    std::filesystem::create_directories(dir);
    return dir;
}

OptionState FullSetup() {
    OptionState o;
    o.demo = 0;
    o.aspect = 1;
    o.shader = 2;
    o.aa = 1;
    o.af = 4;
    o.boost = true;
    return o;
}

TEST(BatchLine, JoinsTheTokensOfTheWindowsChoices) {
    OptionState o = FullSetup();
    EXPECT_EQ(BatchLine(o, 2), "QWK_Lurkmark.exe /Batch /DEMO1 /1024 /AR169 /SHIGH /AA2 /AF16 /BOOST");
    o.boost = false;
    EXPECT_EQ(BatchLine(o, 7), "QWK_Lurkmark.exe /Batch /DEMO1 /hdw2 /AR169 /SHIGH /AA2 /AF16");
    OptionState none;  // no choice anywhere: empty fields stay empty
    EXPECT_EQ(BatchLine(none, 0), "QWK_Lurkmark.exe /Batch  /640 / / / /");
}

TEST(BatchLine, TimeLimitOtherThanTheDefaultComesLastInSeconds) {
    OptionState o = FullSetup();
    o.gameTimeLimitSeconds = 900;
    EXPECT_EQ(BatchLine(o, 0), "QWK_Lurkmark.exe /Batch /DEMO1 /640 /AR169 /SHIGH /AA2 /AF16 /BOOST /LIMIT900");
    o.gameTimeLimitSeconds = 0;
    EXPECT_EQ(BatchLine(o, 0), "QWK_Lurkmark.exe /Batch /DEMO1 /640 /AR169 /SHIGH /AA2 /AF16 /BOOST /LIMIT0");
    o.gameTimeLimitSeconds = 1800;
    EXPECT_EQ(BatchLine(o, 0), "QWK_Lurkmark.exe /Batch /DEMO1 /640 /AR169 /SHIGH /AA2 /AF16 /BOOST");
}

TEST(BatchLine, RunsAndWarmUpComeLastAndOnlyWhenNotAtTheirDefaults) {
    OptionState o = FullSetup();
    o.repeats = 1;
    EXPECT_EQ(BatchLine(o, 0), "QWK_Lurkmark.exe /Batch /DEMO1 /640 /AR169 /SHIGH /AA2 /AF16 /BOOST");
    o.repeats = 3;
    EXPECT_EQ(BatchLine(o, 0), "QWK_Lurkmark.exe /Batch /DEMO1 /640 /AR169 /SHIGH /AA2 /AF16 /BOOST /RUNS3");
    o.warmUp = true;
    o.boost = false;
    EXPECT_EQ(BatchLine(o, 0), "QWK_Lurkmark.exe /Batch /DEMO1 /640 /AR169 /SHIGH /AA2 /AF16 /RUNS3 /WARMUP");
    o.repeats = 1;
    EXPECT_EQ(BatchLine(o, 0), "QWK_Lurkmark.exe /Batch /DEMO1 /640 /AR169 /SHIGH /AA2 /AF16 /WARMUP");
}

TEST(BatchLine, QuietComesLastOnlyWhenAskedFor) {
    OptionState o = FullSetup();
    const std::string today = BatchLine(o, 0);
    EXPECT_EQ(today, "QWK_Lurkmark.exe /Batch /DEMO1 /640 /AR169 /SHIGH /AA2 /AF16 /BOOST");
    o.batchQuiet = true;
    EXPECT_EQ(BatchLine(o, 0), today + " /QUIET");
    o.gameTimeLimitSeconds = 900;
    EXPECT_EQ(BatchLine(o, 0), today + " /LIMIT900 /QUIET");
}

TEST(BatchLine, HighPerformancePlanSwitchOnlyWhenTheOptionIsOn) {
    OptionState o = FullSetup();
    EXPECT_EQ(BatchLine(o, 0), "QWK_Lurkmark.exe /Batch /DEMO1 /640 /AR169 /SHIGH /AA2 /AF16 /BOOST");
    o.highPerformancePlan = true;
    EXPECT_EQ(BatchLine(o, 0), "QWK_Lurkmark.exe /Batch /DEMO1 /640 /AR169 /SHIGH /AA2 /AF16 /BOOST /HIGHPERF");
    o.repeats = 2;
    o.gameTimeLimitSeconds = 600;
    const std::string line = BatchLine(o, 0);
    EXPECT_EQ(line.substr(line.size() - 9), "/HIGHPERF") << line;
}

TEST(BatchLine, FramesSwitchOnlyWhenTheOptionIsOnAfterTheOthersAndBeforeQuiet) {
    OptionState o = FullSetup();
    const std::string today = BatchLine(o, 0);
    o.frameTimes = true;
    EXPECT_EQ(BatchLine(o, 0), today + " /FRAMES");
    o.highPerformancePlan = true;
    o.gameTimeLimitSeconds = 600;
    o.batchQuiet = true;
    EXPECT_EQ(BatchLine(o, 0), today + " /LIMIT600 /HIGHPERF /FRAMES /QUIET");
}

TEST(BatchList, AddSettingsAppendsOneLinePerCheckedResolutionInTableOrder) {
    ScriptedBatchUi ui;
    BatchList list(ui, "/nowhere/");
    OptionState o = FullSetup();
    list.Addsettings1Click(o);  // nothing checked
    o.customOn = true;
    list.Addsettings1Click(o);  // only the custom resolution
    EXPECT_TRUE(list.Lines().empty());
    for (ResolutionItem& item : o.resolutions) item.checked = true;
    list.Addsettings1Click(o);
    std::vector<std::string> expected;
    for (const char* token : {"/640", "/800", "/1024", "/1280", "/1600", "/2048", "/hdw1", "/hdw2", "/hdw3"}) {
        expected.push_back(std::string("QWK_Lurkmark.exe /Batch /DEMO1 ") + token + " /AR169 /SHIGH /AA2 /AF16 /BOOST");
    }
    EXPECT_EQ(list.Lines(), expected);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(BatchList, UserDemoCannotBeNamedSoNoLineIsAdded) {
    ScriptedBatchUi ui;
    BatchList list(ui, "/nowhere/");
    OptionState o = FullSetup();
    o.demo = 2;
    list.Addsettings1Click(o);  // nothing checked: nothing to refuse either
    EXPECT_TRUE(ui.messages.empty());
    o.resolutions[0].checked = true;
    list.Addsettings1Click(o);
    EXPECT_TRUE(list.Lines().empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("only the two shipped demos"), std::string::npos);
}

TEST(BatchList, EmptyListMessages) {
    ScriptedBatchUi ui;
    BatchList list(ui, "/nowhere/");
    list.Viewbatch1Click();
    list.Savebatch1Click();
    list.Newbatch1Click();
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"The BatchList is empty. Nothing to view.",
                                                     "The batchlist is empty. Nothing to save."}));
    EXPECT_TRUE(ui.questions.empty());
}

TEST(BatchList, SavingAppendsTheClosingLineEvenWhenCancelled) {
    ScriptedBatchUi ui;
    const std::string dir = TempPrefix();
    BatchList list(ui, dir);
    OptionState o = FullSetup();
    o.resolutions[0].checked = true;
    list.Addsettings1Click(o);
    list.Viewbatch1Click();
    EXPECT_EQ(ui.paused, 1000u);
    ASSERT_EQ(ui.opened, std::vector<std::string>{dir + "batchview.txt"});

    list.Savebatch1Click();  // cancelled
    EXPECT_FALSE(std::ifstream(dir + "batchview.txt").good()) << "the view file goes at Save";
    list.Addsettings1Click(o);
    ui.savePath = dir + "run.bat";
    list.Savebatch1Click();
    const std::string line = BatchLine(o, 0) + "\r\n";
    const std::string closing = std::string(kBatchClosingLine) + "\r\n";
    EXPECT_EQ(Slurp(dir + "run.bat"), line + closing + line + closing);

    list.Viewbatch1Click();
    EXPECT_EQ(Slurp(dir + "batchview.txt"), line + closing + line + closing);
    std::remove((dir + "run.bat").c_str());
    std::remove((dir + "batchview.txt").c_str());
}

TEST(BatchList, NewBatchAsksAndClearsOnNo) {
    ScriptedBatchUi ui;
    BatchList list(ui, "/nowhere/");
    OptionState o = FullSetup();
    o.resolutions[3].checked = true;
    list.Addsettings1Click(o);
    ui.answerYes = true;
    list.Newbatch1Click();  // Yes, dialog cancelled
    EXPECT_EQ(ui.questions, std::vector<std::string>{"The batchlist isn't empty. Are you want to save now?"});
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{BatchLine(o, 3), kBatchClosingLine}));
    ui.answerYes = false;
    list.Newbatch1Click();
    EXPECT_TRUE(list.Lines().empty());
}

TEST(BatchList, UnwritableBatchFileFailsAndKeepsTheClosingLine) {
    ScriptedBatchUi ui;
    BatchList list(ui, "/nowhere/");
    OptionState o = FullSetup();
    o.resolutions[0].checked = true;
    list.Addsettings1Click(o);
    ui.savePath = "/nonexistent-folder/run.bat";
    EXPECT_THROW(list.Savebatch1Click(), std::runtime_error);
    EXPECT_EQ(list.Lines().back(), kBatchClosingLine);
}

}  // namespace

namespace {

TEST(BatchFileLines, KeptInTheProgramsFolderAndNamingTheProgramInFullElsewhere) {
    const std::vector<std::string> lines = {"QWK_Lurkmark.exe /Batch /DEMO1 /640 /AR43 /SLOW /AA2 /AF16",
                                            kBatchClosingLine};
    const std::string bench = "C:\\Program Files\\Quenwick Lurkmark\\";
    struct Case {
        const char* file;
        const char* program;  // what stands for "QWK_Lurkmark.exe" in the saved lines
    };
    const Case cases[] = {
        {"C:\\Program Files\\Quenwick Lurkmark\\run.bat", "QWK_Lurkmark.exe"},
        {"c:\\PROGRAM FILES\\quenwick lurkmark\\run.bat", "QWK_Lurkmark.exe"},  // the same folder
        {"C:\\Users\\Ann\\Desktop\\run.bat", "\"C:\\Program Files\\Quenwick Lurkmark\\QWK_Lurkmark.exe\""},
        {"C:\\Program Files\\Quenwick Lurkmark\\sub\\run.bat",
         "\"C:\\Program Files\\Quenwick Lurkmark\\QWK_Lurkmark.exe\""},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> saved = BatchFileLines(lines, bench, c.file);
        ASSERT_EQ(saved.size(), 2u);
        EXPECT_EQ(saved[0], std::string(c.program) + " /Batch /DEMO1 /640 /AR43 /SLOW /AA2 /AF16") << c.file;
        EXPECT_EQ(saved[1], std::string(c.program) + " /Batch /Open") << c.file;
    }
    // cmd would expand a percent sign in the folder's name.
    EXPECT_EQ(BatchFileLines({kBatchClosingLine}, "D:\\100%\\", "E:\\run.bat")[0],
              "\"D:\\100%%\\QWK_Lurkmark.exe\" /Batch /Open");
}

}  // namespace
