#include "runner/frame_capture.h"

#include <gtest/gtest.h>

#include <cstring>

#include "app/debug_log.h"
#include "fakes/fake_settings.h"
#include "platform/frame_capture_layout.h"

namespace {

std::uint64_t LittleEndian(const std::string& bytes, std::size_t at, int size) {
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

TEST(NewFrameCaptureBytes, MagicAndCapacityThenZerosToTheFullSize) {
    const std::string bytes = NewFrameCaptureBytes();
    ASSERT_EQ(bytes.size(), kFrameCaptureFileBytes);
    EXPECT_EQ(std::memcmp(bytes.data(), kFrameCaptureMagic, 8), 0);
    EXPECT_EQ(LittleEndian(bytes, 8, 4), kFrameCaptureCapacity);
    EXPECT_EQ(bytes.find_first_not_of('\0', 12), std::string::npos) << "pid, frequency, count and stamps stay zero";
}

TEST(FrameRecorderArgument, ForwardSlashesOnly) {
    EXPECT_EQ(FrameRecorderArgument("C:\\Program Files\\Quenwick Lurkmark\\QWK_FrameRecorder.dll"),
              "C:/Program Files/Quenwick Lurkmark/QWK_FrameRecorder.dll");
}

struct Capture : ::testing::Test {
    FakeFileSystem files;
    AppPaths paths;
    PassState pass;
    const std::string recorder = "C:\\Lurk\\QWK_FrameRecorder.dll";
    const std::string capture = "C:\\Data\\Lurkmark frames.capture";

    Capture() {
        paths.BenchDir = "C:\\Lurk\\";
        paths.DataDir = "C:\\Data\\";
        files.files[recorder] = "MZ";
    }
};

TEST_F(Capture, AFreshFileAndTheRecorderOnlyWhenTheRunRecordsFrames) {
    files.files[capture] = "stamps of an earlier game";
    PrepareFrameCapture(true, paths, files, pass);
    EXPECT_EQ(pass.FrameCaptureFile, capture);
    EXPECT_EQ(pass.FrameRecorder, "C:/Lurk/QWK_FrameRecorder.dll");
    EXPECT_EQ(pass.FrameCaptureProblem, "");
    EXPECT_EQ(files.files[capture], NewFrameCaptureBytes());

    files.files.erase(capture);
    PrepareFrameCapture(false, paths, files, pass);
    EXPECT_EQ(pass.FrameCaptureFile, "");
    EXPECT_EQ(pass.FrameRecorder, "");
    EXPECT_EQ(files.files.count(capture), 0u) << "off: no file is made";
}

TEST_F(Capture, AMissingRecorderOrAFileThatCannotBeMadeLeavesTheRunWithoutFramesAndSaysWhy) {
    files.unwritable.insert(capture);
    PrepareFrameCapture(true, paths, files, pass);
    EXPECT_EQ(pass.FrameCaptureFile, "");
    EXPECT_EQ(pass.FrameRecorder, "") << "the game keeps its own GL library";
    EXPECT_NE(pass.FrameCaptureProblem.find("Cannot replace file " + capture), std::string::npos)
        << pass.FrameCaptureProblem;
    EXPECT_EQ(TakeFrameCapture(files, pass).problem, pass.FrameCaptureProblem);

    files.unwritable.clear();
    files.files.erase(recorder);
    PrepareFrameCapture(true, paths, files, pass);
    EXPECT_EQ(pass.FrameRecorder, "");
    EXPECT_EQ(pass.FrameCaptureProblem, "the frame recorder " + recorder + " is missing");
    EXPECT_EQ(files.files.count(capture), 0u);
}

TEST_F(Capture, TakingReadsAtMostAFilesWorthDecodesAndRemovesTheFile) {
    PrepareFrameCapture(true, paths, files, pass);
    const TakenFrameCapture untouched = TakeFrameCapture(files, pass);
    ASSERT_TRUE(untouched.capture) << "a file no recorder mapped is a capture without frequency";
    EXPECT_EQ(untouched.capture->frequency, 0);
    EXPECT_EQ(files.files.count(capture), 0u);
    EXPECT_EQ(pass.FrameCaptureFile, "");

    PrepareFrameCapture(true, paths, files, pass);
    files.files[capture][0] = 'X';
    const TakenFrameCapture damaged = TakeFrameCapture(files, pass);
    EXPECT_FALSE(damaged.capture);
    EXPECT_EQ(damaged.problem, "the capture file " + capture + " is damaged");
    EXPECT_EQ(files.files.count(capture), 0u);

    // What a recorder leaves: its process, the counter's frequency and three stamps.
    PrepareFrameCapture(true, paths, files, pass);
    std::string& bytes = files.files[capture];
    const auto put = [&](std::size_t at, std::uint64_t value, int size) {
        for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    put(12, 4242, 4);
    put(16, 1000000, 8);
    put(24, 3, 4);
    for (int i = 0; i < 3; ++i) put(32 + 8 * i, 5000000 + 16667 * i, 8);
    const std::string recorded = bytes;
    const TakenFrameCapture taken = TakeFrameCapture(files, pass);
    ASSERT_TRUE(taken.capture) << taken.problem;
    EXPECT_EQ(taken.capture->processId, 4242u);
    EXPECT_EQ(taken.capture->stamps, (std::vector<std::int64_t>{5000000, 5016667, 5033334}));
    EXPECT_EQ(files.files.count(capture), 0u);

    // A file grown beyond the size the program made is no recorder's: it is not read at all.
    PrepareFrameCapture(true, paths, files, pass);
    files.files[capture] = recorded + std::string(1 << 20, 'x');
    const TakenFrameCapture grown = TakeFrameCapture(files, pass);
    EXPECT_FALSE(grown.capture);
    EXPECT_EQ(grown.problem, "the capture file " + capture + " could not be read");
    EXPECT_EQ(files.files.count(capture), 0u);
}

TEST_F(Capture, AFileThatStaysBehindIsSaidAndAFileNoRunReadsIsDropped) {
    const std::string stayed = "The capture file " + capture + " could not be removed.";
    PrepareFrameCapture(true, paths, files, pass);
    files.undeletable.insert(capture);
    EXPECT_EQ(TakeFrameCapture(files, pass).removalFailure, stayed);
    files.undeletable.clear();
    DebugLog log;
    PrepareFrameCapture(true, paths, files, pass);
    files.undeletable.insert(capture);
    DropFrameCapture(files, pass, log);
    EXPECT_EQ(log.Lines(), std::vector<std::string>{stayed});
    files.undeletable.clear();
    PrepareFrameCapture(true, paths, files, pass);
    DropFrameCapture(files, pass, log);
    DropFrameCapture(files, pass, log);  // nothing left to drop
    EXPECT_EQ(files.files.count(capture), 0u);
    EXPECT_EQ(log.Lines().size(), 1u);
}

}  // namespace
