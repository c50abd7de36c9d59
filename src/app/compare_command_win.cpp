#include "app/compare_command_win.h"

#include <windows.h>

#include <stdexcept>

#include "app/compare_command.h"
#include "platform/decimal_separator_win.h"
#include "platform/shell_win.h"
#include "platform/text_file.h"
#include "results/report_document.h"
#include "results/report_document_win.h"

int RunCompareCommand(const std::vector<std::string>& files) {
    const std::string separator = UserDecimalSeparator();
    const Comparison comparison = ComposeComparison(files, ReadWholeFile, FileStampOf(CurrentStartTime()),
                                                    separator.empty() ? '.' : separator[0]);
    try {
        if (!comparison.error.empty()) throw std::runtime_error(comparison.error);
        WriteWholeFile(comparison.pagePath, comparison.page);
    } catch (const std::exception& e) {
        MessageBoxA(nullptr, e.what(), "Lurkmark", MB_OK);
        return 1;
    }
    OpenReport(nullptr, comparison.pagePath);
    return 0;
}
