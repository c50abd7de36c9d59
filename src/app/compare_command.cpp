#include "app/compare_command.h"

#include "platform/ascii_case.h"
#include "results/compare_page.h"
#include "results/result_file_reader.h"

namespace {

// The file's folder with its final separator; empty for a bare name.
std::string FolderOf(const std::string& file) {
    const std::size_t slash = file.find_last_of("\\/");
    return slash == std::string::npos ? "" : file.substr(0, slash + 1);
}

}  // namespace

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
                             const CaptureReader& readCapture, const std::string& fileStamp, char decimalSeparator) {
    if (files.empty()) return {"", "", "Please, name the result files (result_*.json) to compare."};
    std::vector<PassSummary> passes;
    passes.reserve(files.size());
    std::vector<PassFrameLines> frames;
    for (const std::string& file : files) {
        std::string text;
        if (!readFile(file, text)) return {"", "", "The result file " + file + " cannot be read."};
        ResultFileReading reading = ReadResultFile(text);
        if (!reading.pass) return {"", "", "The result file " + file + " cannot be compared: " + reading.problem + "."};
        passes.push_back(std::move(*reading.pass));
        frames.push_back(FrameTimeLinesOfPass(passes.back(), FolderOf(file), readCapture));
    }
    std::vector<const PassSummary*> pointers;
    for (const PassSummary& pass : passes) pointers.push_back(&pass);
    return {FolderOf(files.front()) + ComparePageFileName(fileStamp),
            BuildComparePage(pointers, decimalSeparator, frames), ""};
}
