#include <gtest/gtest.h>

#include "results/run_checks.h"

namespace {

const char* const kStandInLog =
    "Prey stand-in 1.0 (Lurkmark test game)\r\n"
    "...setting mode -1: 1024 768 aspect 0\r\n"
    "...created window @ 0,0 (1024x768)\r\n"
    "stopped playing rivo3v-6.demo.\r\n"
    "2000 frames rendered in 11.2 seconds = 178.1 fps\r\n";

TEST(RunEvidence, WindowAndResultLineFromTheLog) {
    struct Case {
        const char* what;
        std::string log;
        std::optional<std::pair<int, int>> window;
        std::optional<long> frames;
        const char* seconds;
        const char* fps;
    };
    const Case cases[] = {
        {"stand-in log", kStandInLog, std::make_pair(1024, 768), 2000, "11.2", "178.1"},
        {"no such lines (older build, other locale)", "stopped playing x.\nErgebnis: 2000 Bilder\n", std::nullopt,
         std::nullopt, "", ""},
        {"the last window counts (a restart of the renderer)",
         "...created window @ 0,0 (640x480)\n...created window @ -1280,20 (800x600)\n", std::make_pair(800, 600),
         std::nullopt, "", ""},
        {"a broken window line is no evidence", "...created window @ 0,0 (1024x)\n", std::nullopt, std::nullopt, "",
         ""},
        {"a word in place of the rate is no evidence", "2000 frames rendered in 11.2 seconds = nan fps\n",
         std::nullopt, std::nullopt, "", ""},
        {"the first result line counts",
         "1800 frames rendered in 10.0 seconds = 180.0 fps\n2000 frames rendered in 11.2 seconds = 178.1 fps\n",
         std::nullopt, 1800, "10.0", "180.0"},
        {"no frame count before the marker", "frames rendered in 11.2 seconds = 178.1 fps\n", std::nullopt,
         std::nullopt, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RunEvidence e = ReadRunEvidence(c.log);
        EXPECT_EQ(e.window, c.window);
        EXPECT_EQ(e.frames, c.frames);
        EXPECT_EQ(e.secondsText, c.seconds);
        EXPECT_EQ(e.fpsText, c.fps);
    }
}

RunEvidence Evidence(std::optional<std::pair<int, int>> window, std::optional<long> frames = std::nullopt,
                     const std::string& seconds = "", const std::string& fps = "") {
    RunEvidence e;
    e.window = window;
    e.frames = frames;
    e.secondsText = seconds;
    e.fpsText = fps;
    return e;
}

std::string Codes(const std::vector<RunFlag>& flags) {
    std::string codes;
    for (const RunFlag& f : flags) codes += (codes.empty() ? "" : " ") + f.code;
    return codes;
}

TEST(RunChecks, WindowSize) {
    EXPECT_EQ(Codes(WindowSizeFlags(Evidence(std::make_pair(1024, 768)), 1024, 768)), "");
    EXPECT_EQ(Codes(WindowSizeFlags(Evidence(std::nullopt), 1024, 768)), "") << "no evidence, no flag";
    const std::vector<RunFlag> flags = WindowSizeFlags(Evidence(std::make_pair(800, 600)), 1024, 768);
    ASSERT_EQ(flags.size(), 1u);
    EXPECT_EQ(flags[0].code, "windowSize");
    EXPECT_EQ(flags[0].text, "The game ran at 800\xD7" "600, not at the resolution asked.");
    EXPECT_EQ(Codes(WindowSizeFlags(Evidence(std::make_pair(1024, 600)), 1024, 768)), "windowSize");
}

TEST(RunChecks, RateAgainstFramesOverSecondsWithinThePrintedRounding) {
    struct Case {
        const char* what;
        long frames;
        const char* seconds;
        const char* fps;
        bool flagged;
    };
    const Case cases[] = {
        {"exact", 2000, "10.0", "200.0", false},
        // 2000 / 11.25 = 177.8 and 2000 / 11.15 = 179.4: 178.1 fits.
        {"inside the rounding", 2000, "11.2", "178.1", false},
        {"edge of the rounding", 2000, "11.2", "179.4", false},
        {"beyond the rounding, too high", 2000, "11.2", "179.6", true},
        {"beyond the rounding, too low", 2000, "11.2", "177.6", true},
        {"rate of another run", 2000, "11.2", "250.0", true},
        {"whole seconds printed", 100, "3", "40", false},
        {"zero seconds printed", 5, "0.0", "300.0", false},
    };
    for (const Case& c : cases) {
        const std::vector<RunFlag> flags = InconsistentLogFlags(Evidence(std::nullopt, c.frames, c.seconds, c.fps));
        EXPECT_EQ(!flags.empty(), c.flagged) << c.what;
        if (!flags.empty()) EXPECT_EQ(flags[0].code, "inconsistentLog") << c.what;
    }
    EXPECT_EQ(InconsistentLogFlags(Evidence(std::nullopt, 2000, "11.2", "250.0"))[0].text,
              "The console log is inconsistent: 2000 frames in 11.2 seconds is not 250.0 fps.");
    EXPECT_TRUE(InconsistentLogFlags(Evidence(std::nullopt)).empty()) << "no evidence, no flag";
}

TEST(RunChecks, ShortDemoAgainstTheOtherRunsOfThePass) {
    struct Case {
        const char* what;
        std::optional<long> frames;
        std::vector<long> others;
        bool flagged;
    };
    const Case cases[] = {
        {"same as the others", 2000, {2000, 2000}, false},
        {"fewer than another run", 1200, {2000, 2000}, true},
        {"the whole one beside a short one", 2000, {1200, 2000}, false},
        {"single run: nothing to compare", 1200, {}, false},
        {"no evidence", std::nullopt, {2000}, false},
    };
    for (const Case& c : cases) {
        RunEvidence e;
        e.frames = c.frames;
        EXPECT_EQ(!ShortDemoFlags(e, c.others).empty(), c.flagged) << c.what;
    }
    RunEvidence shortRun;
    shortRun.frames = 1200;
    const std::vector<RunFlag> flags = ShortDemoFlags(shortRun, {2000, 1500});
    ASSERT_EQ(flags.size(), 1u);
    EXPECT_EQ(flags[0].code, "shortDemo");
    EXPECT_EQ(flags[0].text, "The demo did not play whole: 1200 frames where the other runs rendered 2000.");
}

}  // namespace
