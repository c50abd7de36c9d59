#include "app/compare_command_win.h"

#include <windows.h>

#include <stdexcept>

#include "app/compare_command.h"
#include "app/standard_streams_win.h"
#include "platform/decimal_separator_win.h"
#include "platform/shell_win.h"
#include "platform/text_file.h"
#include "results/report_document.h"
#include "results/report_document_win.h"

int RunCompareCommand(const ArgumentList& args, const std::vector<std::string>& files) {
    const bool quiet = IsSwitchPresent(args, "QUIET");
    const std::string separator = UserDecimalSeparator();
    const Comparison comparison = ComposeComparison(files, ReadWholeFile, ReadFileUpTo, FileStampOf(CurrentStartTime()),
                                                    separator.empty() ? '.' : separator[0]);
    try {
        if (!comparison.error.empty()) throw std::runtime_error(comparison.error);
        WriteWholeFile(comparison.pagePath, comparison.page);
    } catch (const std::exception& e) {
        if (quiet) {
            StandardStreams().Err(e.what());
        } else {
            MessageBoxA(nullptr, e.what(), "Lurkmark", MB_OK);
        }
        return 1;
    }
    if (quiet) {
        StandardStreams().Out(comparison.pagePath);
    } else {
        OpenReport(nullptr, comparison.pagePath);
    }
    return 0;
}
