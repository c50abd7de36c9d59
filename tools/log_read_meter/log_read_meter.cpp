// log_read_meter FOLDER MEGABYTES score|noscore
// Writes a console log of MEGABYTES MB into FOLDER (the result line in its last kilobyte, or
// none) and reads it once through the program's reader, as the result step does. Prints the
// reader's outcome, the time of the read and the most heap memory the read held at once
// (counted by this program's own operator new and delete, exact whatever Windows or Wine
// report). Used by bench/console_log_bench.sh.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "platform/win_file_system_win.h"
#include "results/console_log_parser.h"
#include "support/large_console_log.h"

namespace {

// Heap bytes in use and their peak; every block carries its size in front of it.
std::size_t gInUse = 0;
std::size_t gPeak = 0;
constexpr std::size_t kHeader = 16;  // keeps the blocks aligned as operator new must

}  // namespace

void* operator new(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!block) throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    gInUse += size;
    if (gInUse > gPeak) gPeak = gInUse;
    return block + kHeader;
}

void operator delete(void* memory) noexcept {
    if (!memory) return;
    auto* block = static_cast<unsigned char*>(memory) - kHeader;
    gInUse -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

void operator delete(void* memory, std::size_t) noexcept { operator delete(memory); }

namespace {

double Megabytes(std::size_t bytes) { return static_cast<double>(bytes) / (1 << 20); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: log_read_meter FOLDER MEGABYTES score|noscore\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\') folder += '\\';
    const int megabytes = std::atoi(argv[2]);
    const bool withScore = std::string(argv[3]) == "score";
    wt::WriteLargeConsoleLog(folder + ConsoleLogParser::kLogFileName, megabytes, withScore);

    WinFileSystem files;
    const std::size_t before = gInUse;
    gPeak = gInUse;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const ScoreResult result = ConsoleLogParser::readScore(files, folder);
    QueryPerformanceCounter(&end);

    std::printf("%d MB log %s: found %d, marker %d, score \"%s\"\n", megabytes, withScore ? "with score" : "without score",
                result.logFound, result.markerFound, result.scoreText.c_str());
    std::printf("  read in %.0f ms, holding at most %.1f MB of heap at once\n",
                static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart),
                Megabytes(gPeak - before));
    DeleteFileA((folder + ConsoleLogParser::kLogFileName).c_str());
    return 0;
}
