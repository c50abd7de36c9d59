// The frame recorder QWK_FrameRecorder.dll loaded into this process as the game loads it: its
// forwarders reach the system's opengl32, its wglSwapBuffers stores one stamp per swap into
// the capture file the environment names, and any file it may not store into stays untouched.
// Then the stand-in game loading it through r_glDriver, as the engine does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/frame_capture_layout.h"
#include "support/game_folder.h"
#include "support/wine_test_support.h"

namespace {

using SwapFunction = BOOL(WINAPI*)(HDC);

SwapFunction SwapOf(HMODULE module) {
    return reinterpret_cast<SwapFunction>(reinterpret_cast<void*>(GetProcAddress(module, "wglSwapBuffers")));
}

std::string RecorderPath() { return wt::Env("LURK_BIN_DIR") + "\\" + kFrameRecorderFileName; }

// A capture file as the program creates it: magic, capacity, the rest zero; `extra` bytes of
// 0xAB after the stamps show any store beyond them.
std::string CaptureFile(std::uint32_t capacity, std::size_t extra = 0) {
    std::string bytes(kFrameCaptureHeaderBytes + 8u * capacity, '\0');
    std::memcpy(&bytes[0], kFrameCaptureMagic, 8);
    std::memcpy(&bytes[8], &capacity, 4);
    return bytes + std::string(extra, '\xAB');
}

template <typename T>
T Field(const std::string& bytes, std::size_t offset) {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

std::int64_t Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// A window of the test's own and its device context, as the game swaps on.
struct GameWindow {
    HWND window = CreateWindowExA(0, "STATIC", "frames", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr, nullptr, nullptr);
    HDC dc = GetDC(window);
    ~GameWindow() {
        ReleaseDC(window, dc);
        DestroyWindow(window);
    }
};

// The recorder loaded with LURK_FRAME_CAPTURE naming `capture` (none when empty) and freed at
// the end, which unmaps its view, as a game's renderer restart does.
class LoadedRecorder {
public:
    explicit LoadedRecorder(const std::string& capture) {
        SetEnvironmentVariableA(kFrameCaptureVariable, capture.empty() ? nullptr : capture.c_str());
        module_ = LoadLibraryA(RecorderPath().c_str());
        SetEnvironmentVariableA(kFrameCaptureVariable, nullptr);
    }
    ~LoadedRecorder() {
        if (module_) FreeLibrary(module_);
    }
    LoadedRecorder(const LoadedRecorder&) = delete;
    LoadedRecorder& operator=(const LoadedRecorder&) = delete;
    HMODULE Module() const { return module_; }
    SwapFunction Swap() const { return SwapOf(module_); }

private:
    HMODULE module_ = nullptr;
};

struct FrameRecorder : ::testing::Test {
    wt::TempFolder temp{"frame recorder"};
    std::string capture = temp.Path() + "capture.bin";
    GameWindow game;
};

TEST_F(FrameRecorder, ForwardedFunctionsAreTheSystemLibrarysOwnAndOnlyTheSwapIsOurs) {
    LoadedRecorder recorder{""};
    ASSERT_NE(recorder.Module(), nullptr) << GetLastError();
    // Loading the recorder loads opengl32: the library the forwarders resolve to.
    const HMODULE system = GetModuleHandleA("opengl32");
    ASSERT_NE(system, nullptr);
    for (const char* name : {"glGetString", "glBegin", "glDrawElements", "glTexImage2D", "wglCreateContext",
                             "wglMakeCurrent", "wglGetProcAddress", "wglSwapLayerBuffers"}) {
        const FARPROC real = GetProcAddress(system, name);
        EXPECT_NE(real, nullptr) << name;
        EXPECT_EQ(GetProcAddress(recorder.Module(), name), real) << name;
    }
    // Windows' functions that Wine's opengl32 lacks: found through the recorder exactly when
    // opengl32 itself has them.
    for (const char* name : {"GlmfBeginGlsBlock", "wglSwapMultipleBuffers"}) {
        EXPECT_EQ(GetProcAddress(recorder.Module(), name), GetProcAddress(system, name)) << name;
    }
    const FARPROC swap = GetProcAddress(recorder.Module(), "wglSwapBuffers");
    ASSERT_NE(swap, nullptr);
    EXPECT_NE(swap, GetProcAddress(system, "wglSwapBuffers"));
}

TEST_F(FrameRecorder, EverySwapStoresItsOwnStampAndAReloadCountsOn) {
    wt::WriteFileBytes(capture, CaptureFile(1000));
    const auto realSwap = SwapOf(LoadLibraryA("opengl32"));
    ASSERT_NE(realSwap, nullptr);
    // The counter read just before and just after each recorded swap: its stamp lies between.
    std::vector<std::pair<std::int64_t, std::int64_t>> around;
    for (int load = 0; load < 2; ++load) {
        LoadedRecorder recorder{capture};
        ASSERT_NE(recorder.Swap(), nullptr);
        for (int i = 0; i < 25; ++i) {
            const std::int64_t before = Now();
            const BOOL swapped = recorder.Swap()(game.dc);
            around.emplace_back(before, Now());
            EXPECT_EQ(swapped, realSwap(game.dc)) << "the real swap's answer";
        }
    }

    const std::string bytes = wt::ReadFileBytes(capture);
    ASSERT_EQ(bytes.size(), CaptureFile(1000).size()) << "the file keeps its size";
    EXPECT_EQ(bytes.compare(0, 8, std::string(kFrameCaptureMagic, 8)), 0);
    EXPECT_EQ(Field<std::uint32_t>(bytes, 8), 1000u);
    EXPECT_EQ(Field<std::uint32_t>(bytes, 12), GetCurrentProcessId());
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    EXPECT_EQ(Field<std::int64_t>(bytes, 16), frequency.QuadPart);
    ASSERT_EQ(Field<std::uint32_t>(bytes, 24), 50u);
    for (std::size_t i = 0; i < 50; ++i) {
        const auto stamp = Field<std::int64_t>(bytes, kFrameCaptureHeaderBytes + 8 * i);
        EXPECT_GE(stamp, around[i].first) << "stamp " << i;
        EXPECT_LE(stamp, around[i].second) << "stamp " << i;
    }
    EXPECT_EQ(bytes.find_first_not_of('\0', kFrameCaptureHeaderBytes + 8 * 50), std::string::npos)
        << "nothing after the 50th stamp";
}

TEST_F(FrameRecorder, PastItsCapacityItCountsButStoresNothing) {
    const std::string prepared = CaptureFile(4, 16);
    wt::WriteFileBytes(capture, prepared);
    {
        LoadedRecorder recorder{capture};
        for (int i = 0; i < 10; ++i) recorder.Swap()(game.dc);
    }
    const std::string bytes = wt::ReadFileBytes(capture);
    ASSERT_EQ(bytes.size(), prepared.size());
    EXPECT_EQ(Field<std::uint32_t>(bytes, 24), 10u);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_NE(Field<std::int64_t>(bytes, kFrameCaptureHeaderBytes + 8 * i), 0);
    EXPECT_EQ(bytes.substr(prepared.size() - 16), std::string(16, '\xAB')) << "beyond the capacity stays as it was";
}

TEST_F(FrameRecorder, AFileItMayNotStoreIntoStaysUntouchedAndTheGameSwapsAsWithout) {
    std::string wrongMagic = CaptureFile(100);
    wrongMagic[6] = '2';
    const std::string shortByOneStamp = CaptureFile(100).substr(0, kFrameCaptureHeaderBytes + 8 * 99);
    struct Case {
        const char* what;
        bool named;              // the variable names the file
        bool exists;
        std::string prepared;
    } const cases[] = {
        {"no variable", false, true, CaptureFile(100)},
        {"no such file", true, false, ""},
        {"another magic", true, true, wrongMagic},
        {"shorter than its capacity", true, true, shortByOneStamp},
        {"shorter than a header", true, true, CaptureFile(0).substr(0, 20)},
        // 32 + 8 x 0xFFFFFFFF is 24 in 32-bit arithmetic: smaller than the file.
        {"a capacity whose size overflows 32 bits", true, true, CaptureFile(0).replace(8, 4, "\xFF\xFF\xFF\xFF", 4)},
    };
    const auto realSwap = SwapOf(LoadLibraryA("opengl32"));
    for (const Case& c : cases) {
        DeleteFileA(capture.c_str());
        if (c.exists) wt::WriteFileBytes(capture, c.prepared);
        {
            LoadedRecorder recorder{c.named ? capture : ""};
            ASSERT_NE(recorder.Swap(), nullptr) << c.what << ": the game still loads it";
            for (int i = 0; i < 3; ++i) EXPECT_EQ(recorder.Swap()(game.dc), realSwap(game.dc)) << c.what;
        }
        if (c.exists) {
            EXPECT_EQ(wt::ReadFileBytes(capture), c.prepared) << c.what;
        } else {
            EXPECT_FALSE(wt::FileExists(capture)) << c.what << ": the recorder never creates a file";
        }
    }
}

// The stand-in game in a folder of its own, started with the variables a pass gives it.
struct RecordedGame : ::testing::Test {
    wt::GameFolder game{"recorded game", "Prey Game"};
    std::string capture = game.Paths().BenchDir + "capture.bin";

    // The recorder as the program names it: a full path with forward slashes.
    static std::string RecorderOnTheCommandLine() {
        std::string path = RecorderPath();
        std::replace(path.begin(), path.end(), '\\', '/');
        return path;
    }

    wt::ProcessResult Play(const std::string& standIn, const std::string& glDriver, int frames) {
        game.WriteCfgFile("Demos\\paced.demo", "LURKDEMO 1\r\nframes " + std::to_string(frames) + "\r\nspeed 100\r\n");
        SetEnvironmentVariableA(kFrameCaptureVariable, capture.c_str());
        SetEnvironmentVariableA("PREY_STANDIN", standIn.c_str());
        const std::string commandLine = "\"" + game.GamePath() + "\\prey.exe\" +set logFile 1 +set r_glDriver \"" +
                                        glDriver + "\" +timedemoquit paced.demo";
        const wt::ProcessResult r = wt::RunAndWait(commandLine, game.GamePath(), 120000, true);
        SetEnvironmentVariableA(kFrameCaptureVariable, nullptr);
        SetEnvironmentVariableA("PREY_STANDIN", nullptr);
        return r;
    }
};

// The milliseconds between stamp i and i + 1: frame i + 1's time.
std::vector<double> FrameTimes(const std::string& capture) {
    const auto frequency = static_cast<double>(Field<std::int64_t>(capture, 16));
    const std::uint32_t count = Field<std::uint32_t>(capture, 24);
    std::vector<double> ms;
    for (std::uint32_t i = 1; i < count; ++i) {
        const auto from = Field<std::int64_t>(capture, kFrameCaptureHeaderBytes + 8 * (i - 1));
        const auto to = Field<std::int64_t>(capture, kFrameCaptureHeaderBytes + 8 * i);
        ms.push_back(1000.0 * static_cast<double>(to - from) / frequency);
    }
    return ms;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// 5 ms frames with long ones: a 50 ms frame every 100th, or a slow section of 20 ms frames.
// Tolerance, for a loaded machine where a sleep may end late: no frame is shorter than planned
// (the game waits from the swap before, whose stamp comes earlier still); ordinary frames'
// median under 10 ms and nine in ten of them under 20 ms; the long ones' median under 30 ms
// past their time. The frames' sum agrees with the game's result line within its one decimal.
TEST_F(RecordedGame, PacedFramesArriveInTheCaptureAsTheGamePacedThem) {
    struct Case {
        const char* pace;
        bool (*isLong)(std::size_t frame);
        double longMs;
        std::size_t longFrames;
    } const cases[] = {
        {"spikes:5:50:100", [](std::size_t frame) { return frame % 100 == 0; }, 50.0, 4},
        {"slow:5:20:101:50", [](std::size_t frame) { return frame >= 101 && frame < 151; }, 20.0, 50},
    };
    for (const Case& c : cases) {
        wt::WriteFileBytes(capture, CaptureFile(kFrameCaptureCapacity));
        const wt::ProcessResult r = Play(std::string("pace ") + c.pace, RecorderOnTheCommandLine(), 400);
        ASSERT_TRUE(r.ended) << c.pace;
        ASSERT_EQ(r.exitCode, 0u) << c.pace;
        const std::string log = game.ReadCfgFile("qconsole.log");
        int frames = 0;
        double seconds = 0;
        const std::size_t line = log.find(" frames rendered in ");
        ASSERT_NE(line, std::string::npos) << log;
        const char* resultLine = log.c_str() + log.rfind('\n', line) + 1;
        ASSERT_EQ(std::sscanf(resultLine, "%d frames rendered in %lf seconds", &frames, &seconds), 2);
        EXPECT_EQ(frames, 400) << c.pace;

        const std::string bytes = wt::ReadFileBytes(capture);
        ASSERT_EQ(bytes.size(), std::size_t{kFrameCaptureFileBytes});
        EXPECT_NE(Field<std::uint32_t>(bytes, 12), 0u) << "the game's process ID";
        ASSERT_EQ(Field<std::uint32_t>(bytes, 24), 401u) << "a swap before the demo and one per frame";
        const std::vector<double> ms = FrameTimes(bytes);
        std::vector<double> ordinary, longOnes;
        double sum = 0;
        for (std::size_t i = 0; i < ms.size(); ++i) {
            const bool isLong = c.isLong(i + 1);
            EXPECT_GE(ms[i], isLong ? c.longMs : 5.0) << c.pace << ", frame " << i + 1;
            (isLong ? longOnes : ordinary).push_back(ms[i]);
            sum += ms[i];
        }
        ASSERT_EQ(longOnes.size(), c.longFrames) << c.pace;
        EXPECT_LT(Median(ordinary), 10.0) << c.pace;
        const auto under20 = std::count_if(ordinary.begin(), ordinary.end(), [](double t) { return t < 20.0; });
        EXPECT_GE(10 * under20, 9 * static_cast<long>(ordinary.size())) << c.pace;
        EXPECT_LT(Median(longOnes), c.longMs + 30.0) << c.pace;
        EXPECT_NEAR(sum / 1000.0, seconds, 0.051) << c.pace;
    }
}

TEST_F(RecordedGame, AGameThatLoadsAnotherLibraryLeavesTheCaptureUntouched) {
    struct Case {
        const char* what;
        std::string standIn;
        std::string glDriver;
        DWORD exitCode;
        const char* logLine;
    } const cases[] = {
        {"ignoring r_glDriver", "pace steady:5;gldriver ignore", RecorderOnTheCommandLine(), 0,
         "...calling LoadLibrary( 'opengl32' ): succeeded"},
        {"a library that is not there", "pace steady:5", "C:/no such folder/QWK_FrameRecorder.dll", 1,
         "GLimp_Init() could not load r_glDriver"},
    };
    const std::string prepared = CaptureFile(100);
    for (const Case& c : cases) {
        wt::WriteFileBytes(capture, prepared);
        const wt::ProcessResult r = Play(c.standIn, c.glDriver, 20);
        ASSERT_TRUE(r.ended) << c.what;
        EXPECT_EQ(r.exitCode, c.exitCode) << c.what;
        EXPECT_NE(game.ReadCfgFile("qconsole.log").find(c.logLine), std::string::npos) << c.what;
        EXPECT_EQ(wt::ReadFileBytes(capture), prepared) << c.what;
    }
}

}  // namespace
