#include "results/report_document.h"

#include "online/maker_hosts.h"
#include "platform/text_file.h"
#include "settings/app_paths.h"

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

void ReportDocument::startPass(const std::string& startTime, Mode mode) {
    startTime_ = startTime;
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

std::string ReportDocument::filePath(const std::string& resultPath) const {
    return resultPath + "result_" + fileStamp_ + ".htm";
}

void ReportDocument::save(const std::string& resultPath) const {
    WriteLinesCrLf(filePath(resultPath), lines_);
}
