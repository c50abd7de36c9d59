// Writes the comparison page of result data files, as "/COMPARE" does, to a path of the
// test's choosing: write_compare_page OUT.htm FILE.json...
#include <cstdio>
#include <string>
#include <vector>

#include "app/compare_command.h"
#include "platform/text_file.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: write_compare_page OUT.htm FILE.json...\n");
        return 2;
    }
    const std::vector<std::string> files(argv + 2, argv + argc);
    const Comparison comparison = ComposeComparison(files, ReadWholeFile, ReadFileUpTo, "test", '.');
    if (!comparison.error.empty()) {
        std::fprintf(stderr, "%s\n", comparison.error.c_str());
        return 1;
    }
    WriteWholeFile(argv[1], comparison.page);
    return 0;
}
