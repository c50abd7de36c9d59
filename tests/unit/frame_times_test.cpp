#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/frame_capture_layout.h"
#include "results/frame_times.h"

namespace {

std::vector<double> Repeat(std::size_t count, double ms) { return std::vector<double>(count, ms); }

std::vector<double> Join(std::vector<double> a, const std::vector<double>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void PutLittleEndian(std::string& bytes, std::size_t offset, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A capture file as the program prepares it and the recorder fills it.
std::string CaptureBytes(std::uint32_t capacity, std::int64_t frequency, std::uint32_t count,
                         const std::vector<std::int64_t>& stamps, std::uint32_t processId = 4242) {
    std::string bytes(kFrameCaptureHeaderBytes + 8 * static_cast<std::size_t>(capacity), '\0');
    bytes.replace(0, 8, kFrameCaptureMagic, 8);
    PutLittleEndian(bytes, 8, capacity, 4);
    PutLittleEndian(bytes, 12, processId, 4);
    PutLittleEndian(bytes, 16, static_cast<std::uint64_t>(frequency), 8);
    PutLittleEndian(bytes, 24, count, 4);
    for (std::size_t i = 0; i < stamps.size() && i < capacity; ++i) {
        PutLittleEndian(bytes, kFrameCaptureHeaderBytes + 8 * i, static_cast<std::uint64_t>(stamps[i]), 8);
    }
    return bytes;
}

// Stamps at a 1 MHz counter from frame times in whole microseconds.
FrameCapture CaptureOf(const std::vector<std::int64_t>& microseconds) {
    FrameCapture capture;
    capture.frequency = 1000000;
    std::int64_t now = 5000000;
    capture.stamps.push_back(now);
    for (std::int64_t us : microseconds) capture.stamps.push_back(now += us);
    return capture;
}

TEST(FrameTimes, FiguresOfKnownSequences) {
    struct Case {
        const char* what;
        std::vector<double> ms;
        double averageFps, p99Ms, p999Ms, worstMs;
        long stutters;
        double stddevMs;
    };
    const Case cases[] = {
        {"steady", Repeat(100, 10), 100, 10, 10, 10, 0, 0},
        // Mean 10.4 ms; the spike is the 100th of 100 frames: above the 99th rank, at the 99.9th.
        {"one spike", Join(Repeat(99, 10), {50}), 1000 / 10.4, 10, 50, 50, 1, std::sqrt(15.84)},
        // Exactly 1 % long frames stay above the 99th rank; one more reaches it.
        {"1 % spikes exactly", Join(Repeat(990, 10), Repeat(10, 40)), 1000 / 10.3, 10, 40, 40, 10, std::sqrt(8.91)},
        {"just over 1 % spikes", Join(Repeat(989, 10), Repeat(11, 40)), 1000 / 10.33, 40, 40, 40, 11,
         std::sqrt(989 * 0.33 * 0.33 + 11 * 29.67 * 29.67) / std::sqrt(1000.0)},
        // Median 10: 25 ms is exactly 2.5 times it and no stutter, 26 ms is one.
        {"ties at the stutter line", {10, 25, 10, 26, 10}, 1000 / 16.2, 26, 26, 26, 1,
         std::sqrt((3 * 6.2 * 6.2 + 8.8 * 8.8 + 9.8 * 9.8) / 5)},
        // An even count: the median is 7.5 between the middle two.
        {"ties", {5, 10, 5, 10}, 1000 / 7.5, 10, 10, 10, 0, 2.5},
        {"two frames", {10, 30}, 50, 30, 30, 30, 0, 10},
        {"one frame", {16}, 62.5, 16, 16, 16, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<FrameTimeFigures> f = ComputeFrameTimeFigures(c.ms);
        ASSERT_TRUE(f);
        EXPECT_EQ(f->frames, static_cast<long>(c.ms.size()));
        EXPECT_NEAR(f->averageFps, c.averageFps, 1e-9);
        EXPECT_DOUBLE_EQ(f->p99Ms, c.p99Ms);
        EXPECT_DOUBLE_EQ(f->p999Ms, c.p999Ms);
        EXPECT_DOUBLE_EQ(f->low1Fps, 1000 / c.p99Ms);
        EXPECT_DOUBLE_EQ(f->low01Fps, 1000 / c.p999Ms);
        EXPECT_DOUBLE_EQ(f->worstMs, c.worstMs);
        EXPECT_EQ(f->stutters, c.stutters);
        EXPECT_NEAR(f->stddevMs, c.stddevMs, 1e-9);
    }
}

TEST(FrameTimes, NoFiguresWithoutMeasurableFrames) {
    const std::vector<std::vector<double>> sequences = {
        {}, {0, 0, 0}, {10, -1}, {10, std::numeric_limits<double>::infinity()}, {10, std::nan("")}};
    for (const std::vector<double>& ms : sequences) EXPECT_FALSE(ComputeFrameTimeFigures(ms)) << ms.size();
}

TEST(FrameTimes, DemoFramesAreTheLastIntervalsUpToTheLastSwap) {
    // Loading frames first, then the demo's three.
    const FrameCapture capture = CaptureOf({500000, 250000, 10000, 20000, 30000});
    EXPECT_EQ(DemoFrameTimesMs(capture, 3), (std::vector<double>{10, 20, 30}));
    // A capture shorter than the demo gives what it holds; nothing from a single swap.
    EXPECT_EQ(DemoFrameTimesMs(capture, 9).size(), 5u);
    EXPECT_TRUE(DemoFrameTimesMs(CaptureOf({}), 1).empty());
    EXPECT_TRUE(DemoFrameTimesMs(capture, 0).empty());
    // Rising stamps further apart than a signed 64-bit difference holds.
    FrameCapture wide;
    wide.frequency = 1;
    wide.stamps = {-4000000000000000000, 4000000000000000000};
    EXPECT_EQ(DemoFrameTimesMs(wide, 1), std::vector<double>{8e21});
}

TEST(FrameTimes, AgreementWithTheGamesSeconds) {
    struct Case {
        double sumSeconds, gameSeconds;
        bool agree;
    };
    const Case cases[] = {
        {40.0, 40.0, true}, {40.79, 40.0, true}, {40.81, 40.0, false}, {39.19, 40.0, false},  // 2 % of 40 s
        {2.09, 2.0, true},  {2.11, 2.0, false},  // below 5 s the game's 0.1 s rounding counts
        {0.05, 0.1, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FrameTimesAgree(Repeat(100, c.sumSeconds * 10), c.gameSeconds), c.agree)
            << c.sumSeconds << " against " << c.gameSeconds;
    }
    EXPECT_FALSE(FrameTimesAgree(Repeat(10, 10), std::nan("")));
}

TEST(FrameTimes, DecodingTrustsOnlyTheBytes) {
    const std::optional<FrameCapture> full = DecodeFrameCapture(CaptureBytes(4, 1000, 3, {7, 9, 12}));
    ASSERT_TRUE(full);
    EXPECT_EQ(full->frequency, 1000);
    EXPECT_EQ(full->processId, 4242u);
    EXPECT_EQ(full->stamps, (std::vector<std::int64_t>{7, 9, 12}));
    EXPECT_FALSE(full->overflowed);

    // The recorder keeps counting past the capacity: the stored stamps, and the overflow said.
    const std::optional<FrameCapture> over = DecodeFrameCapture(CaptureBytes(2, 1000, 5, {7, 9}));
    ASSERT_TRUE(over);
    EXPECT_EQ(over->stamps.size(), 2u);
    EXPECT_TRUE(over->overflowed);

    // Prepared by the program, never mapped by a recorder.
    const std::optional<FrameCapture> unmapped = DecodeFrameCapture(CaptureBytes(4, 0, 0, {}));
    ASSERT_TRUE(unmapped);
    EXPECT_EQ(unmapped->frequency, 0);
    EXPECT_TRUE(unmapped->stamps.empty());

    std::string wrongMagic = CaptureBytes(2, 1000, 2, {1, 2});
    wrongMagic[0] = 'X';
    std::string hugeCapacity = CaptureBytes(2, 1000, 2, {1, 2});
    PutLittleEndian(hugeCapacity, 8, 0xFFFFFFFFu, 4);
    const std::string refused[] = {
        "",
        CaptureBytes(0, 1000, 0, {}).substr(0, kFrameCaptureHeaderBytes - 1),
        wrongMagic,
        hugeCapacity,
        CaptureBytes(3, 1000, 3, {5, 4, 6}),  // back in time
        CaptureBytes(2, -1, 2, {1, 2}),
        CaptureBytes(2, 0, 2, {1, 2}),  // stamps without a frequency
        CaptureBytes(4, 1000, 3, {7, 9, 12}).substr(0, kFrameCaptureHeaderBytes + 8 * 3),  // cut short
    };
    for (const std::string& bytes : refused) EXPECT_FALSE(DecodeFrameCapture(bytes)) << bytes.size();
}

RunRecord ScoredRun(long frames, const std::string& seconds, double score) {
    RunRecord run;
    run.ended = RunEnd::Scored;
    run.score = score;
    run.scoreText = std::to_string(score);
    run.evidence.frames = frames;
    run.evidence.secondsText = seconds;
    return run;
}

TEST(FrameTimes, ARunsFrameTimesOrWhyNone) {
    // 100 frames of 10 ms after a long loading frame: 1.0 s, 100 fps.
    std::vector<std::int64_t> us(1, 900000);
    us.insert(us.end(), 100, 10000);
    const FrameCapture capture = CaptureOf(us);

    const RunFrameTimes good = FrameTimesOfRun(capture, ScoredRun(100, "1.0", 100.0));
    EXPECT_EQ(good.missingReason, "");
    ASSERT_TRUE(good.figures);
    EXPECT_EQ(good.frameTimesMs, Repeat(100, 10));
    EXPECT_DOUBLE_EQ(good.figures->averageFps, 100);
    EXPECT_FALSE(good.mismatch);

    // The game counted 1.5 s for the same frames: the game's average stays, the run is flagged.
    const RunFrameTimes off = FrameTimesOfRun(capture, ScoredRun(100, "1.5", 66.7));
    ASSERT_TRUE(off.figures && off.mismatch);
    EXPECT_DOUBLE_EQ(off.figures->averageFps, 66.7);
    EXPECT_DOUBLE_EQ(off.figures->p99Ms, 10);
    EXPECT_EQ(off.mismatch->code, "frameTimesMismatch");
    EXPECT_EQ(off.mismatch->text,
              "The recorded frame times add up to 1.0 seconds, the game counted 1.5 seconds: the frame-time "
              "figures may not match the demo (the average is the game's).");

    RunRecord timeLimit = ScoredRun(100, "1.0", 100.0);
    timeLimit.ended = RunEnd::TimeLimit;
    timeLimit.score.reset();
    RunRecord noScore = timeLimit;
    noScore.ended = RunEnd::NoScore;
    FrameCapture unmapped;
    FrameCapture overflowed = capture;
    overflowed.overflowed = true;
    struct Case {
        std::optional<FrameCapture> capture;
        RunRecord run;
        const char* reason;
    };
    const Case cases[] = {
        {capture, timeLimit, "the game was ended by the time limit"},
        {capture, noScore, "the run gave no score"},
        {std::nullopt, ScoredRun(100, "1.0", 100.0),
         "no frame capture could be read (the file is missing or not one the recorder writes)"},
        {unmapped, ScoredRun(100, "1.0", 100.0), "the game did not load the frame recorder"},
        {overflowed, ScoredRun(100, "1.0", 100.0), "the game swapped more often than the capture holds (102 frames)"},
        {capture, ScoredRun(200, "2.0", 100.0), "the capture holds 101 frames, fewer than the demo's 200"},
        {capture, ScoredRun(0, "", 100.0), "the game's result line gave no frame count and seconds"},
    };
    for (const Case& c : cases) {
        const RunFrameTimes none = FrameTimesOfRun(c.capture, c.run);
        EXPECT_EQ(none.missingReason, c.reason);
        EXPECT_FALSE(none.figures);
        EXPECT_FALSE(none.mismatch);
        EXPECT_TRUE(none.frameTimesMs.empty());
    }
}

TEST(FrameTimes, PresentMonCsvRoundTrip) {
    const std::vector<double> ms = {16.667, 33.4, 8.125};
    const std::string csv = PresentMonCsv(ms, "Prey.exe", 1234);
    EXPECT_EQ(csv,
              "Application,ProcessID,SwapChainAddress,Runtime,SyncInterval,PresentFlags,AllowsTearing,PresentMode,"
              "Dropped,TimeInSeconds,MsInPresentAPI,MsBetweenPresents,MsBetweenDisplayChange,MsUntilRenderComplete,"
              "MsUntilDisplayed\r\n"
              "Prey.exe,1234,0x0000000000000000,Other,0,0,0,Unknown,0,0.016667,0.000,16.667,16.667,0.000,0.000\r\n"
              "Prey.exe,1234,0x0000000000000000,Other,0,0,0,Unknown,0,0.050067,0.000,33.400,33.400,0.000,0.000\r\n"
              "Prey.exe,1234,0x0000000000000000,Other,0,0,0,Unknown,0,0.058192,0.000,8.125,8.125,0.000,0.000\r\n");
    EXPECT_EQ(ReadPresentMonCsv(csv), ms);
    EXPECT_EQ(ReadPresentMonCsv(PresentMonCsv({}, "Prey.exe", 1)), std::vector<double>{});
}

TEST(FrameTimes, PresentMonReaderKeysOnTheHeaderAndRefusesOtherFiles) {
    // Another tool's column order and set, LF line ends: the header names the column.
    EXPECT_EQ(ReadPresentMonCsv("MsBetweenPresents,Application,Extra\n10.5,a.exe,x\n\n7,b.exe,y"),
              (std::vector<double>{10.5, 7}));
    const std::string refused[] = {
        "",
        "started,note,machine\r\n1,2,3\r\n",                        // another CSV
        "Application,ProcessID,TimeInSeconds\r\nPrey.exe,1,0.1\r\n",  // no frame times
        "MsBetweenPresents\r\n10\r\n",                               // not a capture's header
        "Application,MsBetweenPresents\r\nPrey.exe,10,extra\r\n",    // a row of other width
        "Application,MsBetweenPresents\r\nPrey.exe,-1\r\n",
        "Application,MsBetweenPresents\r\nPrey.exe,1e3\r\n",
        "Application,MsBetweenPresents\r\nPrey.exe,nan\r\n",
        "Application,MsBetweenPresents\r\nPrey.exe,\r\n",
        "Application,MsBetweenPresents\r\nPrey.exe,99999999999\r\n",
        "Application,MsBetweenPresents\r\nPrey.exe," + std::string(5000, '1') + "\r\n",
    };
    for (const std::string& bytes : refused) EXPECT_FALSE(ReadPresentMonCsv(bytes)) << bytes.substr(0, 60);
}

TEST(FrameTimes, CaptureFileNameBesideTheReport) {
    EXPECT_EQ(FrameCaptureFileName("result_12_9_2026_1_00_00_PM.htm", "640", 2),
              "result_12_9_2026_1_00_00_PM_frames_640_run2.csv");
    EXPECT_EQ(FrameCaptureFileName("result_x.htm", "1600", 0), "result_x_frames_1600_run0.csv");
}

TEST(FrameTimes, ResolutionPoolsItsCountedRuns) {
    RunRecord warmUp = ScoredRun(2, "0.1", 10.0);
    warmUp.warmUp = true;
    warmUp.run = 0;
    std::vector<RunRecord> runs = {warmUp, ScoredRun(2, "0.1", 100.0), ScoredRun(2, "0.1", 50.0)};
    for (RunRecord& run : runs) run.frameTimes = FrameTimeFigures{};
    const std::vector<std::vector<double>> frames = {{500, 500}, {10, 10}, {20, 20}};

    const std::optional<FrameTimeFigures> pooled = PooledFrameTimeFigures(runs, frames);
    ASSERT_TRUE(pooled);
    EXPECT_EQ(pooled->frames, 4);
    EXPECT_DOUBLE_EQ(pooled->averageFps, 1000 / 15.0);
    EXPECT_DOUBLE_EQ(pooled->worstMs, 20);

    std::vector<RunRecord> flagged = runs;
    flagged[2].flags.push_back({"frameTimesMismatch", "x"});
    EXPECT_DOUBLE_EQ(PooledFrameTimeFigures(flagged, frames)->averageFps, 75);

    std::vector<RunRecord> missing = runs;
    missing[2].frameTimes.reset();
    EXPECT_FALSE(PooledFrameTimeFigures(missing, {{500, 500}, {10, 10}, {}}));
    // The warm-up without frame times does not matter.
    std::vector<RunRecord> warmUpMissing = runs;
    warmUpMissing[0].frameTimes.reset();
    EXPECT_TRUE(PooledFrameTimeFigures(warmUpMissing, {{}, {10, 10}, {20, 20}}));
}

TEST(FrameTimes, ReportLinesAfterTheScore) {
    ResolutionRecord resolution;
    resolution.runs = {ScoredRun(1000, "10.3", 97.1), ScoredRun(1000, "10.3", 97.1)};
    for (RunRecord& run : resolution.runs) run.frameTimes = FrameTimeFigures{};
    resolution.frameTimes = ComputeFrameTimeFigures(Join(Repeat(1980, 10), Repeat(20, 40)));
    EXPECT_EQ(FrameTimeReportLines(resolution),
              (std::vector<std::string>{
                  "<FONT size=2>Frame times: 1 % low 100.0 FPS, 0.1 % low 25.0 FPS, 99th percentile frame time "
                  "10.00 ms, worst frame 40.00 ms</FONT><br>",
                  "<FONT size=2>Stutters: 20 of 2000 frames longer than 2.5 times the median frame time; standard "
                  "deviation 2.98 ms</FONT><br>"}));

    const std::vector<std::string> notRecorded = {
        "<FONT size=2>1 % low and stutters: frame times not recorded (the debug log says why)</FONT><br>"};
    ResolutionRecord oneMissing = resolution;
    oneMissing.runs[1].frameTimes.reset();
    EXPECT_EQ(FrameTimeReportLines(oneMissing), notRecorded);
    ResolutionRecord noneRecorded = oneMissing;
    noneRecorded.runs[0].frameTimes.reset();
    noneRecorded.frameTimes.reset();
    EXPECT_EQ(FrameTimeReportLines(noneRecorded), notRecorded);

    // Nothing counted: the score lines already say so.
    ResolutionRecord unscored;
    unscored.runs = {RunRecord{}};
    EXPECT_TRUE(FrameTimeReportLines(unscored).empty());
}

}  // namespace
