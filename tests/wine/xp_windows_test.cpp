// The program on Windows XP: run in a prefix that reports Windows XP (tests/harness/
// with-xp-prefix.sh), from the test build, whose lookup of CNG fails as XP's does when
// LURK_TEST_NO_CNG is set. A whole unattended pass, the window with a screenshot of it, and
// Check for updates, which on XP says what it needs instead of checking.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "online/older_windows.h"
#include "platform/folder_listing_win.h"
#include "platform/windows_version_win.h"
#include "support/pass_environment.h"
#include "support/pass_expectations.h"
#include "support/screen_pixels.h"
#include "support/started_program.h"
#include "support/unattended_run.h"
#include "support/user_bench.h"
#include "support/window_automation.h"
#include "support/wine_test_support.h"

namespace {

constexpr unsigned long kPassBoundMs = 90000;

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The pixels as a 24-bit BMP file, bottom row first, each row padded to four bytes.
bool WriteBmp(const std::string& path, const wt::Pixels& pixels) {
    const int rowBytes = (pixels.width * 3 + 3) & ~3;
    const DWORD imageBytes = static_cast<DWORD>(rowBytes * pixels.height);
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + imageBytes;
    info.biSize = sizeof info;
    info.biWidth = pixels.width;
    info.biHeight = pixels.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = imageBytes;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (int y = pixels.height - 1; y >= 0; --y) {
        std::string row(rowBytes, '\0');
        for (int x = 0; x < pixels.width; ++x) {
            const COLORREF c = pixels.colours[static_cast<std::size_t>(y) * pixels.width + x];
            row[x * 3] = static_cast<char>(GetBValue(c));
            row[x * 3 + 1] = static_cast<char>(GetGValue(c));
            row[x * 3 + 2] = static_cast<char>(GetRValue(c));
        }
        bytes += row;
    }
    wt::WriteFileBytes(path, bytes);
    return wt::FileExists(path);
}

// Every test here is about XP: a prefix that reports another Windows would prove nothing.
class OnWindowsXp : public ::testing::Test {
protected:
    void SetUp() override {
        const WindowsVersion version = RunningWindowsVersion();
        ASSERT_EQ(version.major, 5u) << "the prefix reports Windows " << version.major << "." << version.minor;
    }
    void TearDown() override { wt::DeleteSettingsKey(); }
};

TEST_F(OnWindowsXp, AnUnattendedPassWritesItsReportAndDataFileAndPutsTheUsersFilesBack) {
    wt::StandInDiagnostics diagnostics("win7_sp1_spanish_intel_hd3000_idt_cp1252.txt");
    wt::UserBench bench("xp_pass", "Prey Game");
    bench.CreateSettings({});
    const wt::UnattendedRun run =
        wt::RunUnattended(bench.Command("/BATCH /QUIET /640 /DEMO1 /SHIGH"), bench.paths.BenchDir, kPassBoundMs);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u) << run.err;

    const std::vector<std::string> reports = FileNamesIn(bench.paths.ResultPath, "result_*.htm");
    ASSERT_EQ(reports.size(), 1u) << "one report";
    const std::string report = bench.paths.ResultPath + reports.front();
    const std::string json = report.substr(0, report.size() - 4) + ".json";
    EXPECT_TRUE(Has(run.out, "640x480: " + wt::StandInScore(wt::kDemo1Speed, 640, 480, {2}) + " FPS\r\n")) << run.out;
    EXPECT_TRUE(Has(run.out, "\r\nData: " + json + "\r\n")) << run.out;
    EXPECT_TRUE(wt::FileExists(json));
    // The machine as XP names itself: the product name of the NT key.
    EXPECT_TRUE(Has(wt::ReadFileBytes(report), "<b>Operating system:</b> Microsoft Windows XP</FONT>"))
        << wt::ReadFileBytes(report);
    bench.ExpectUserFilesBack();
}

TEST_F(OnWindowsXp, TheWindowOpensAndIsDrawn) {
    wt::TempFolder folder("xp_window");
    wt::CreateSettingsKey({{"Programversion", "1.0"}});
    wt::StartedProgram app(folder.Path());
    ASSERT_NE(app.main, nullptr) << "no main window";
    wt::Pixels shot;
    // Drawn: the window's dark face with its white lettering (not the desktop behind it, nor a
    // window still blank).
    ASSERT_TRUE(wt::WaitUntil([&] {
        shot = wt::CaptureWindow(app.main);
        if (shot.width == 0) return false;
        const COLORREF face = shot.MostCommon();
        const int faceBrightness = std::max({GetRValue(face), GetGValue(face), GetBValue(face)});
        return faceBrightness < 60 && shot.Brightest() >= 200;
    }, 30000)) << "most common colour " << std::hex << shot.MostCommon();
    const char* shots = std::getenv("LURK_SCREENSHOT_DIR");
    ASSERT_NE(shots, nullptr);
    EXPECT_TRUE(WriteBmp(std::string(shots) + "main_window.bmp", shot));
    EXPECT_TRUE(app.Exit());
}

TEST_F(OnWindowsXp, CheckForUpdatesSaysItNeedsVistaAndStartsNoCheck) {
    wt::ScopedEnvironment noCng("LURK_TEST_NO_CNG", "1");
    wt::TempFolder folder("xp_update");
    wt::CreateSettingsKey({{"Programversion", "1.0"}});
    wt::StartedProgram app(folder.Path());
    ASSERT_NE(app.main, nullptr);
    wt::Click(app.Control(ctl::RzGroup3));
    wt::Click(app.Control(ctl::RzGroup3Items2));
    ASSERT_TRUE(wt::WaitUntil([&] { return wt::IsShown(app.Control(ctl::RzToolButton3)); }));
    // Twice: a check left running would answer the second press with "already under way".
    for (int press = 0; press < 2; ++press) {
        SCOPED_TRACE(press);
        wt::PostClick(app.Control(ctl::RzToolButton3));
        const wt::MessageBoxSeen box = wt::AnswerMessageBox(app.main, IDNO);
        EXPECT_EQ(box.caption, "Lurkmark");
        EXPECT_EQ(box.text, kUpdatesNeedVistaText);
    }
    EXPECT_TRUE(app.Exit());
}

}  // namespace
