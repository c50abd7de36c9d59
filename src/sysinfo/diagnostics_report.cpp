#include "sysinfo/diagnostics_report.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "domain/app_paths.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Lines without their leading and trailing blanks. Reports from Windows 10 and later end a
// few lines with a bare LF inside a CR LF file, so both endings are taken.
std::vector<std::string> TrimmedLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::size_t first = start;
        std::size_t last = end;
        while (first < last && IsBlank(bytes[first])) ++first;
        while (last > first && IsBlank(bytes[last - 1])) --last;
        lines.push_back(bytes.substr(first, last - first));
        start = end + 1;
    }
    return lines;
}

std::size_t FindIgnoringCase(const std::string& line, const std::string& label) {
    auto it = std::search(line.begin(), line.end(), label.begin(), label.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
    return it == line.end() ? std::string::npos : static_cast<std::size_t>(it - line.begin());
}

// Searches from line `from` on for the label; on a find, `value` is the text after the
// label's colon and `from` becomes the line found, where the next search starts.
bool TakeValue(const std::vector<std::string>& lines, std::size_t& from, const std::string& label,
               std::string& value) {
    for (std::size_t i = from; i < lines.size(); ++i) {
        const std::size_t at = FindIgnoringCase(lines[i], label);
        if (at == std::string::npos) continue;
        // The tool writes every label at the start of its line; taking the value after the
        // label found, not at a fixed column, keeps a label further in from giving garbage.
        value = lines[i].substr(at + label.size());
        from = i;
        return true;
    }
    return false;
}

}  // namespace

DiagnosticsValues ParseDiagnosticsReport(const std::string& bytes) {
    const std::vector<std::string> lines = TrimmedLines(bytes);
    DiagnosticsValues values;
    std::size_t from = 0;
    // A missing label ends the search: a later label found without it would belong to
    // another device (the sound driver's version taken for the display driver's).
    if (TakeValue(lines, from, "Display Memory:", values.displayMemory) &&
        TakeValue(lines, from, "Driver Version:", values.driverVersion)) {
        TakeValue(lines, from, "Description:", values.soundDevice);
    }
    return values;
}

DiagnosticsValues readDiagnosticsFile(FileSystem& files, const std::string& benchDir) {
    const std::string path = JoinPath(benchDir, kDiagnosticsFileName);
    std::string bytes;
    DiagnosticsValues values;
    if (files.ReadFile(path, bytes)) values = ParseDiagnosticsReport(bytes);
    // A report that cannot be deleted is replaced by the tool's next run; it must not stop
    // the pass any more than an unreadable one does.
    files.DeleteFileIfExists(path);
    return values;
}
