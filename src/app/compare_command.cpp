#include "app/compare_command.h"

#include "platform/ascii_case.h"
#include "results/compare_page.h"
#include "results/result_file_reader.h"

std::optional<std::vector<std::string>> CompareFilesOf(const ArgumentList& args) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (AsciiUpper(args[i]) != "/COMPARE") continue;
        std::vector<std::string> files;
        for (std::size_t k = i + 1; k < args.size() && !(args[k].size() > 1 && args[k][0] == '/'); ++k) {
            files.push_back(args[k]);
        }
        return files;
    }
    return std::nullopt;
}

Comparison ComposeComparison(const std::vector<std::string>& files,
                             const std::function<bool(const std::string&, std::string&)>& readFile,
                             const std::string& fileStamp, char decimalSeparator) {
    if (files.empty()) return {"", "", "Please, name the result files (result_*.json) to compare."};
    std::vector<PassSummary> passes;
    passes.reserve(files.size());
    for (const std::string& file : files) {
        std::string text;
        if (!readFile(file, text)) return {"", "", "The result file " + file + " cannot be read."};
        ResultFileReading reading = ReadResultFile(text);
        if (!reading.pass) return {"", "", "The result file " + file + " cannot be compared: " + reading.problem + "."};
        passes.push_back(std::move(*reading.pass));
    }
    std::vector<const PassSummary*> pointers;
    for (const PassSummary& pass : passes) pointers.push_back(&pass);
    const std::string& first = files.front();
    const std::size_t slash = first.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? "" : first.substr(0, slash + 1);
    return {folder + ComparePageFileName(fileStamp), BuildComparePage(pointers, decimalSeparator), ""};
}
