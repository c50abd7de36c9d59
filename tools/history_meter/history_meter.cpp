// history_meter FOLDER COUNT COMPUTERS
// Writes COUNT result data files into FOLDER (passes of two or three resolutions, three runs
// each, a tenth of them flagged, taken in turn by COMPUTERS PCs) and fills the results window's
// list from the folder as the window does when it opens: listing, reading, parsing, sorting and
// filling the list view. Prints the time of the first fill of a folder never read (no index
// beside the files), of the fills after it (the index read and checked against the listing)
// and of a fill after one more pass arrived. Used by bench/history_bench.sh.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/results_page_win.h"
#include "platform/text_file.h"
#include "results/history_index.h"
#include "results/pass_history_win.h"

namespace {

std::string Run(int number, double score, bool flagged) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "{\"run\": %d, \"warmUp\": false, \"ended\": \"scored\", \"score\": %.1f, \"frames\": 2000, "
                  "\"seconds\": %.1f, \"flags\": [%s]}",
                  number, score, 2000 / score,
                  flagged ? "{\"code\": \"shortDemo\", \"text\": \"The demo ended too soon.\"}" : "");
    return text;
}

std::string Resolution(const char* key, const char* label, int width, int height, double base, bool flagged) {
    std::string runs = Run(1, base, flagged) + ", " + Run(2, base + 1.5, false) + ", " + Run(3, base - 0.7, false);
    char tail[128];
    std::snprintf(tail, sizeof tail, "], \"mean\": %.2f, \"stddev\": 1.10}", base + 0.27);
    return "{\"key\": \"" + std::string(key) + "\", \"label\": \"" + label + "\", \"width\": " + std::to_string(width) +
           ", \"height\": " + std::to_string(height) + ", \"runs\": [" + runs + tail;
}

std::string PassFile(int i, int computers) {
    char computer[32];
    std::snprintf(computer, sizeof computer, "LAB-PC-%02d", i % computers + 1);
    char started[32];
    std::snprintf(started, sizeof started, "20%02d-%02d-%02dT%02d:%02d:00+01:00", 10 + i / 336, 1 + i / 28 % 12,
                  1 + i % 28, i % 24, i % 60);
    const double base = 60 + (i * 37) % 140;
    std::string resolutions = Resolution("640",
                                         "640\xC3\x97"
                                         "480",
                                         640, 480, base * 1.6, i % 10 == 0) +
                              ", " +
                              Resolution("1024",
                                         "1024\xC3\x97"
                                         "768",
                                         1024, 768, base, false);
    if (i % 3 == 0)
        resolutions += ", " + Resolution("hdw2",
                                         "1920\xC3\x97"
                                         "1080 (HD WideScreen)",
                                         1920, 1080, base / 2, false);
    return std::string(
               "{\r\n  \"format\": \"lurkmark-result\",\r\n  \"formatVersion\": 1,\r\n  \"program\": \"1.0\",\r\n") +
           "  \"started\": \"" + started + "\",\r\n  \"report\": \"result_" + std::to_string(i) + ".htm\",\r\n" +
           "  \"note\": \"pass " + std::to_string(i) + " caf\xC3\xA9\",\r\n" + "  \"computer\": \"" + computer +
           "\",\r\n" +
           "  \"machine\": [{\"label\": \"Operating system\", \"value\": \"Microsoft Windows 10 Pro\"}, "
           "{\"label\": \"Processor\", \"value\": \"AMD Athlon 64 X2 4800+\"}, "
           "{\"label\": \"Driver version\", \"value\": \"8.3" +
           std::to_string(i % 7) + "\"}],\r\n" +
           "  \"options\": {\"demo\": \"Rivo3V demo\", \"aspect\": \"Standard [ 4:3 ]\", \"shader\": \"High level\", "
           "\"antialiasing\": \"None\", \"filtering\": \"Anisotropic 16\xC3\x97\", \"boost\": \"Off\", \"runs\": 3, "
           "\"warmUp\": false, \"timeLimitSeconds\": 1800},\r\n" +
           "  \"resolutions\": [" + resolutions + "]\r\n}\r\n";
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency) {
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double TimedFill(ResultsPage& page, const std::string& folder, const LARGE_INTEGER& frequency) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    page.Reload(folder);
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end, frequency);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: history_meter FOLDER COUNT COMPUTERS\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "\\";
    const int count = std::atoi(argv[2]);
    const int computers = std::max(1, std::atoi(argv[3]));
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        WriteWholeFile(folder + "result_" + std::to_string(i) + ".json", PassFile(i, computers));
    }
    DeleteFileA((folder + kHistoryIndexFileName).c_str());

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    // The window's controls, as the results window makes them, in a window that is never shown.
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 900, 560, nullptr, nullptr, nullptr, nullptr);
    HWND label = CreateWindowExA(0, "STATIC", "", WS_CHILD, 300, 8, 590, 18, owner, nullptr, nullptr, nullptr);
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, 8, 38,
                                884, 480, owner, nullptr, nullptr, nullptr);
    HWND compare = CreateWindowExA(0, "BUTTON", "Compare", WS_CHILD, 8, 526, 96, 26, owner, nullptr, nullptr, nullptr);
    HWND openReport =
        CreateWindowExA(0, "BUTTON", "Open report", WS_CHILD, 112, 526, 96, 26, owner, nullptr, nullptr, nullptr);
    ResultsPage page;
    page.Attach({owner, label, list, compare, openReport}, HistoryView::Window);

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const double cold = TimedFill(page, folder, frequency);
    const bool indexWritten = GetFileAttributesA((folder + kHistoryIndexFileName).c_str()) != INVALID_FILE_ATTRIBUTES;
    const double firstWarm = TimedFill(page, folder, frequency);
    double fastestWarm = 1e9;
    for (int repeat = 0; repeat < 5; ++repeat) fastestWarm = std::min(fastestWarm, TimedFill(page, folder, frequency));
    // One more pass arrives, as from another PC: read, and the index written again.
    WriteWholeFile(folder + "result_" + std::to_string(count) + ".json", PassFile(count, computers));
    const double arrived = TimedFill(page, folder, frequency);
    const int rowsAfterArrival = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    DeleteFileA((folder + "result_" + std::to_string(count) + ".json").c_str());
    const double gone = TimedFill(page, folder, frequency);

    // Where the time goes: the folder read and parsed (through the index), then the table.
    LARGE_INTEGER start, read, end;
    QueryPerformanceCounter(&start);
    const std::vector<HistoryEntry> entries = ReadHistoryFolder(folder);
    QueryPerformanceCounter(&read);
    const HistoryTable table = BuildHistoryTable(entries, '.', HistoryView::Window);
    QueryPerformanceCounter(&end);
    const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    char shown[512] = {};
    GetWindowTextA(label, shown, sizeof shown);
    std::printf("%d files from %d computers, %d rows in the list (%s)\n", count, computers, rows, shown);
    std::printf("first fill, folder never read (no index): %.1f ms%s\n", cold,
                indexWritten ? ", index written" : ", NO INDEX WRITTEN");
    std::printf("fill of a folder read before: first %.1f ms, fastest of 5 more %.1f ms\n", firstWarm, fastestWarm);
    std::printf("fill after one more pass arrived: %.1f ms (%d rows); after it was removed: %.1f ms\n", arrived,
                rowsAfterArrival, gone);
    std::printf("of a fill from the index: listing, index and files %.1f ms, building and sorting the table %.1f ms "
                "(%zu rows)\n",
                Milliseconds(start, read, frequency), Milliseconds(read, end, frequency), table.rows.size());
    DestroyWindow(owner);
    return rows == count && rowsAfterArrival == count + 1 ? 0 : 1;
}
