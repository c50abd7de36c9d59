#include "batch/batch_list.h"

#include <cstdio>

#include "platform/ascii_case.h"
#include "platform/text_file.h"
#include "settings/option_store.h"

namespace {

// The three wide entries are written in lower case; the switch parser ignores case.
const char* const kResolutionSwitches[kResolutionCount] = {"/640",  "/800",  "/1024", "/1280", "/1600",
                                                           "/2048", "/hdw1", "/hdw2", "/hdw3"};

const char* const kUserDemoRefusal =
    "A batch file can run only the two shipped demos. Please choose \"Rivo3V demo\" or "
    "\"Rivo3V demo 2\" before adding settings.";

constexpr char kProgramName[] = "QWK_Lurkmark.exe";

// The folder part of a path, with its trailing backslash.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// cmd expands %...% inside a batch file, quotes or not; a doubled percent stays one.
std::string BatchLiteral(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '%') out += '%';
    }
    return out;
}

}  // namespace

std::vector<std::string> BatchFileLines(const std::vector<std::string>& lines, const std::string& benchDir,
                                        const std::string& filePath) {
    if (AsciiLower(FolderOf(filePath)) == AsciiLower(benchDir)) return lines;
    const std::string program = "\"" + BatchLiteral(benchDir) + kProgramName + "\"";
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        const bool namesProgram = line.compare(0, sizeof kProgramName - 1, kProgramName) == 0;
        out.push_back(namesProgram ? program + line.substr(sizeof kProgramName - 1) : line);
    }
    return out;
}

std::string BatchLine(const OptionState& options, std::size_t resolutionIndex) {
    const BenchOptions tokens = DeriveBenchOptions(options);
    std::string line = std::string(kProgramName) + " /Batch ";
    if (!tokens.demo.empty()) line += "/" + tokens.demo;
    line += " ";
    line += kResolutionSwitches[resolutionIndex];
    line += " /" + tokens.aspect;
    line += " /" + tokens.shader;
    line += " /" + tokens.aa;
    line += " /" + tokens.af;
    if (!tokens.boost.empty()) line += " /BOOST";
    if (!tokens.runs.empty()) line += " /" + tokens.runs;
    if (!tokens.warmUp.empty()) line += " /" + tokens.warmUp;
    if (!tokens.timeLimit.empty()) line += " /" + tokens.timeLimit;
    if (!tokens.highPerf.empty()) line += " /" + tokens.highPerf;
    if (!tokens.frames.empty()) line += " /" + tokens.frames;
    if (options.batchQuiet) line += " /QUIET";
    return line;
}

void BatchList::Addsettings1Click(const OptionState& options) {
    // A line has no way to name the user's own demo: a batch pass would run without the
    // demo the user set up, so no such line is added.
    bool anyChecked = false;
    for (const ResolutionItem& item : options.resolutions) anyChecked = anyChecked || item.checked;
    if (anyChecked && options.demo == 2) {
        ui_.Message(kUserDemoRefusal);
        return;
    }
    for (ResolutionPosition i = 0; i < kResolutionCount; ++i) {
        if (options.resolutions[i].checked) lines_.push_back(BatchLine(options, i));
    }
}

void BatchList::Viewbatch1Click() {
    if (lines_.empty()) {
        ui_.Message("The BatchList is empty. Nothing to view.");
        return;
    }
    const std::string viewFile = benchDir_ + kBatchViewFileName;
    WriteLinesCrLf(viewFile, lines_);
    ui_.Pause(1000);
    ui_.Open(viewFile);
}

void BatchList::Savebatch1Click() {
    if (lines_.empty()) {
        ui_.Message("The batchlist is empty. Nothing to save.");
        return;
    }
    std::remove((benchDir_ + kBatchViewFileName).c_str());
    SaveThroughDialog();
}

void BatchList::Newbatch1Click() {
    if (lines_.empty()) return;
    if (ui_.Confirm("The batchlist isn't empty. Are you want to save now?")) {
        SaveThroughDialog();
    } else {
        lines_.clear();
    }
}

void BatchList::SaveThroughDialog() {
    lines_.push_back(kBatchClosingLine);
    if (const std::optional<std::string> path = ui_.AskSavePath()) {
        WriteLinesCrLf(*path, BatchFileLines(lines_, benchDir_, *path));
    }
}
