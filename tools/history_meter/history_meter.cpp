// history_meter FOLDER COUNT COMPUTERS
// Over the COUNT result data files that bench/history_files.py wrote into FOLDER (taken in turn
// by COMPUTERS PCs; one more pass waits in FOLDER.arrival), fills the results window's
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

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency) {
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The folder's listing alone, as every fill starts: under Wine each name comes from its server.
// The plain call, or the basic level and large fetch that the page asks for (Windows 7 on).
double TimedListing(const std::string& folder, bool quick, const LARGE_INTEGER& frequency) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileExA((folder + "result_*.json").c_str(), quick ? FindExInfoBasic : FindExInfoStandard,
                                   &data, FindExSearchNameMatch, nullptr, quick ? FIND_FIRST_EX_LARGE_FETCH : 0);
    if (find != INVALID_HANDLE_VALUE) {
        while (FindNextFileA(find, &data)) {
        }
        FindClose(find);
    }
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end, frequency);
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
    const std::string arrival = std::string(argv[1]) + ".arrival\\result_" + std::to_string(count) + ".json";
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
    if (!CopyFileA(arrival.c_str(), (folder + "result_" + std::to_string(count) + ".json").c_str(), TRUE)) {
        std::fprintf(stderr, "cannot bring in %s (error %lu)\n", arrival.c_str(), GetLastError());
        return 1;
    }
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
    const double listing = TimedListing(folder, false, frequency);
    const double quickListing = TimedListing(folder, true, frequency);
    // The index alone: its bytes read, then parsed.
    LARGE_INTEGER indexStart, indexRead, indexParsed;
    QueryPerformanceCounter(&indexStart);
    std::string indexBytes;
    ReadWholeFile(folder + kHistoryIndexFileName, indexBytes);
    QueryPerformanceCounter(&indexRead);
    const std::size_t indexed = DecodeHistoryIndex(indexBytes).size();
    QueryPerformanceCounter(&indexParsed);
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
    std::printf("the folder's listing alone: %.1f ms plain, %.1f ms basic with large fetch\n", listing,
                quickListing);
    std::printf("the index alone: reading %.1f ms (%zu bytes), parsing %.1f ms (%zu files)\n",
                Milliseconds(indexStart, indexRead, frequency), indexBytes.size(),
                Milliseconds(indexRead, indexParsed, frequency), indexed);
    DestroyWindow(owner);
    return rows == count && rowsAfterArrival == count + 1 ? 0 : 1;
}
