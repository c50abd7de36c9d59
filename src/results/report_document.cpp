#include "results/report_document.h"

#include <cstdio>
#include <stdexcept>

#include "domain/app_paths.h"
#include "domain/maker_site.h"
#include "domain/resolution_table.h"
#include "platform/text_file.h"

std::string FileStampOf(const std::string& startTime) {
    std::string stamp = startTime;
    for (char& c : stamp) {
        if (c == ':' || c == '.' || c == '/' || c == '-' || c == '\\' || c == ' ') c = '_';
    }
    return stamp;
}

std::string InfoLine(const std::string& label, const std::string& value) {
    return "   <FONT size=2><b>" + label + "</b> " + value + "</FONT><br>";
}

namespace {

const char* const kCopyrightNotice = "Lurkmark \xA9 2006-2026 the Quenwick Lurkmark authors";

}  // namespace

std::string ResolutionHeading(const std::string& key, const std::string& customWidth,
                              const std::string& customHeight) {
    std::string label;
    if (key == kCustomRunKey) {
        label = customWidth + " \xD7 " + customHeight + " (Custom)";
    } else {
        for (const ResolutionEntry& entry : ResolutionTable) {
            if (key == entry.key) label = entry.label;
        }
        if (label.empty()) return "";
    }
    return "<BR><B><FONT size=5>Resolution: " + label + "</FONT></B><BR>";
}

std::string DemoLine(const std::string& demoName) { return "Demo: " + demoName + "<br>"; }

std::string CaptionLine(const std::string& caption) { return caption + "<br>"; }

std::string ScoreLine(const std::string& scoreText) {
    return "<span class=\"style5\"><b>Score = " + scoreText + " FPS</b></span><br>";
}

std::string NoScoreLine() { return "<span class=\"style5\"><b>Score = No Score.</b></span><br>"; }

std::string CancelledLine() {
    return std::string("<BR><span class=\"style5\"><b>") + kCancelledText + "</b></span><br>";
}

std::string CommentLine(const std::string& note) {
    return "<FONT size=2><span class=\"style6\">Comment:</span> " + note + "</FONT><br>";
}

std::string FooterLine(ReportDocument::Mode mode) {
    if (mode == ReportDocument::Mode::Interactive) {
        return std::string("<CENTER>") + kCopyrightNotice + "</CENTER><BR></BODY></HTML>";
    }
    return std::string("<CENTER><FONT size=2>") + kCopyrightNotice + "</FONT></CENTER><BR></BODY></HTML>";
}

void ReportDocument::startPass(const std::string& startTime, Mode mode) {
    startTime_ = startTime;
    machineEnd_ = 0;
    fileStamp_ = FileStampOf(startTime);
    lines_ = {
        "<html>",
        "<head>",
        std::string("<title>Lurkmark - ") + kMakerWebHost + "</title>",
        "<style type=\"text/css\">",
        "<!--",
        ".style4 {",
        "\tcolor: #0066FF;",
        "\tfont-weight: bold;",
        "}",
        ".style5 {color: #990000}",
        ".style6 {color: #0066FF}",
        ".style7 {",
        "font-size: 36px;",
        // Kept as the report has always been written, stray parenthesis included.
        "font-weight: bold;)",
        "}",
        "-->",
        "</style>",
        "</head>",
        "<body>",
        "<p align=\"center\" class=\"style7\">Lurkmark</p><br>",
        "   <FONT size=2>The benchmark started at " + startTime + "</FONT><br>",
        mode == Mode::Interactive
            ? "<p align=\"left\"><span class=\"style4\">System Information<br></span>"
            : "<span class=\"style4\">System Information<br></span>",
    };
}

void ReportDocument::addLine(const std::string& text) { lines_.push_back(text); }

void ReportDocument::addInfoLine(const std::string& label, const std::string& value) {
    lines_.push_back(InfoLine(label, value));
}

void ReportDocument::addCommentAndSeparator(const std::string& note) {
    machineEnd_ = lines_.size();
    if (!note.empty()) lines_.push_back(CommentLine(note));
    lines_.push_back("<hr>");
}

void ReportDocument::addLineAfterMachine(const std::string& text) {
    // Before the comment and the separator; lines added so far keep their order.
    if (machineEnd_ > lines_.size()) machineEnd_ = lines_.size();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(machineEnd_), text);
    ++machineEnd_;
}

void ReportDocument::addClosingLines(Mode mode) {
    lines_.push_back("<P></P><P></P>");
    lines_.push_back(FooterLine(mode));
}

void ReportDocument::reserveFileName(const std::string& resultPath, FileSystem& files) {
    // The stamp has one-second resolution at best (less when the user's time format has no
    // seconds), so passes can share it.
    constexpr int kMostNames = 100000;
    const std::string stamp = fileStamp_;
    for (int n = 2; n <= kMostNames; ++n) {
        const std::string data = JoinPath(resultPath, "result_" + fileStamp_ + ".json");
        if (!files.FileExists(data) && files.CreateNewFile(filePath(resultPath))) return;
        fileStamp_ = stamp + "_" + std::to_string(n);
    }
    fileStamp_ = stamp;
    throw std::runtime_error("No free report name is left in " + resultPath + " for result_" + stamp + ".htm");
}

std::string ReportDocument::filePath(const std::string& resultPath) const {
    return JoinPath(resultPath, "result_" + fileStamp_ + ".htm");
}

void ReportDocument::save(const std::string& resultPath) const {
    WriteLinesCrLf(filePath(resultPath), lines_);
}

std::string IsoTimeText(int year, int month, int day, int hour, int minute, int second, int offsetMinutes) {
    const int offset = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", year, month, day, hour, minute, second,
                  offsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
    return text;
}
