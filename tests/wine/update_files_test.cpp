// File effects of the update flow on the real file system.
#include <gtest/gtest.h>

#include <thread>

#include "online/update_files_win.h"
#include "support/wine_test_support.h"
#include "support/window_automation.h"

namespace {

TEST(UpdateFiles, DeletesEveryTemporaryDownloadAndNothingElse) {
    wt::TempFolder folder{"update_files_delete"};
    const std::string& dir = folder.Path();
    for (const char* name : {"a.exe.uTMP", "version.txt.UTMP", "hidden.dat.uTMP", "keep.txt", "keep.uTMP.txt"}) {
        wt::WriteFileBytes(dir + name, "x");
    }
    SetFileAttributesA((dir + "hidden.dat.uTMP").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY);
    wt::MakeFolders(dir + "folder.uTMP");
    EXPECT_EQ(DeleteTemporaryDownloads(dir), 0);
    EXPECT_FALSE(wt::FileExists(dir + "a.exe.uTMP"));
    EXPECT_FALSE(wt::FileExists(dir + "version.txt.UTMP"));
    EXPECT_FALSE(wt::FileExists(dir + "hidden.dat.uTMP"));
    EXPECT_TRUE(wt::FileExists(dir + "keep.txt"));
    EXPECT_TRUE(wt::FileExists(dir + "keep.uTMP.txt"));
    EXPECT_TRUE(wt::FolderExists(dir + "folder.uTMP"));
    EXPECT_EQ(DeleteTemporaryDownloads(dir + "missing\\"), 0);
}

TEST(UpdateFiles, StampsCreationAndLastWriteTimes) {
    wt::TempFolder folder{"update_files_stamp"};
    const std::string path = folder.Path() + "version.txt.uTMP";
    wt::WriteFileBytes(path, "1.3");
    // Tue, 15 Nov 1994 08:12:31 GMT
    SYSTEMTIME when{1994, 11, 2, 15, 8, 12, 31, 0};
    FILETIME stamp;
    ASSERT_TRUE(SystemTimeToFileTime(&when, &stamp));
    const std::uint64_t utc = (static_cast<std::uint64_t>(stamp.dwHighDateTime) << 32) | stamp.dwLowDateTime;
    ASSERT_TRUE(StampFileTimes(path, utc));
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(CompareFileTime(&data.ftLastWriteTime, &stamp), 0);
    EXPECT_EQ(CompareFileTime(&data.ftCreationTime, &stamp), 0);
    EXPECT_FALSE(StampFileTimes(folder.Path() + "missing.uTMP", utc));
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM found) {
    char name[32], text[256];
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Static") == 0 && GetWindowTextA(child, text, sizeof text) > 0) {
        *reinterpret_cast<std::string*>(found) += text;
    }
    return TRUE;
}

// The texts of the message box with this caption, once it shows; closes it with OK.
std::string AnswerMessageBox(const char* caption) {
    // The box may be this Wine session's first window; the desktop starts with it.
    HWND box = nullptr;
    if (!wt::WaitUntil([&] { return (box = FindWindowA("#32770", caption)) != nullptr; }, 30000)) {
        return "<no box>" + wt::DescribeTopLevelWindows();
    }
    std::string texts;
    EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&texts));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return texts;
}

TEST(UpdateFiles, MainWindowEventsShowTheirTexts) {
    const char* caption = "QWK_Lurkmark update events";
    const UpdateEvents events = MainWindowUpdateEvents(nullptr, caption);
    struct Case {
        std::function<void()> raise;
        const char* text;
    } cases[] = {
        {events.OnAborted, "Update aborted."},
        {events.OnLaterUpgrade, "Update aborted."},
        {[&] { events.OnHostUnreachable("http://h/x", "h"); }, "No internet connection."},
    };
    for (const Case& c : cases) {
        std::thread shown(c.raise);
        EXPECT_EQ(AnswerMessageBox(caption), c.text);
        shown.join();
    }
}

}  // namespace
