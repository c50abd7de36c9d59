// history_meter FOLDER COUNT
// Writes COUNT result data files into FOLDER (passes of two or three resolutions, three runs
// each, a tenth of them flagged) and fills the Results page's list from the folder as the page
// does when it opens: listing, reading, parsing, sorting and filling the list view. Prints the
// time of the first fill and the fastest of five more. Used by bench/history_bench.sh.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/results_page_win.h"
#include "platform/text_file.h"
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

std::string PassFile(int i) {
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
           "  \"note\": \"pass " + std::to_string(i) + " caf\xC3\xA9\",\r\n" +
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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: history_meter FOLDER COUNT\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "\\";
    const int count = std::atoi(argv[2]);
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < count; ++i) WriteWholeFile(folder + "result_" + std::to_string(i) + ".json", PassFile(i));

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    // The page's controls, as the main window makes them, in a window that is never shown.
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 340, 273, nullptr, nullptr, nullptr, nullptr);
    HWND label = CreateWindowExA(0, "STATIC", "", WS_CHILD, 4, 4, 332, 14, owner, nullptr, nullptr, nullptr);
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, 4, 20,
                                332, 218, owner, nullptr, nullptr, nullptr);
    HWND compare = CreateWindowExA(0, "BUTTON", "Compare", WS_CHILD, 4, 244, 90, 24, owner, nullptr, nullptr, nullptr);
    ResultsPage page;
    page.Attach({owner, label, list, compare});

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    page.Reload(folder);
    QueryPerformanceCounter(&end);
    const double first = Milliseconds(start, end, frequency);
    double fastest = 1e9;
    for (int repeat = 0; repeat < 5; ++repeat) {
        QueryPerformanceCounter(&start);
        page.Reload(folder);
        QueryPerformanceCounter(&end);
        fastest = std::min(fastest, Milliseconds(start, end, frequency));
    }
    // Where the time goes: the folder read and parsed, then the table built and sorted.
    QueryPerformanceCounter(&start);
    const std::vector<HistoryEntry> entries = ReadHistoryFolder(folder);
    LARGE_INTEGER read;
    QueryPerformanceCounter(&read);
    const HistoryTable table = BuildHistoryTable(entries, '.');
    QueryPerformanceCounter(&end);
    const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    char shown[512] = {};
    GetWindowTextA(label, shown, sizeof shown);
    std::printf("%d files, %d rows in the list (%s)\n", count, rows, shown);
    std::printf("fill from the folder: first %.1f ms, fastest of 5 more %.1f ms\n", first, fastest);
    std::printf("of which reading and parsing %.1f ms, building and sorting the table %.1f ms (%zu rows)\n",
                Milliseconds(start, read, frequency), Milliseconds(read, end, frequency), table.rows.size());
    DestroyWindow(owner);
    return rows == count ? 0 : 1;
}
