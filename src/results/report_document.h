#pragma once
#include <string>
#include <vector>

#include "platform/file_system.h"

// The HTML report of one pass, built in memory and written out whole at every save.
class ReportDocument {
public:
    enum class Mode { Interactive, Batch };

    // Clears the lines and appends the head. `startTime` is the pass start in the user's
    // short date and long time formats; the file stamp is derived from it.
    void startPass(const std::string& startTime, Mode mode);
    void addLine(const std::string& text);
    // "   <FONT size=2><b>{label}</b> {value}</FONT><br>"
    void addInfoLine(const std::string& label, const std::string& value);

    // The comment line when the note holds text, then the separator "<hr>".
    void addCommentAndSeparator(const std::string& note);
    // A line of the machine description added later in the pass (a finding about the whole
    // pass): after the description's lines and before the comment and the separator.
    void addLineAfterMachine(const std::string& text);
    // "<P></P><P></P>" and the footer of the mode.
    void addClosingLines(Mode mode);

    // Claims the report's name for this pass by making the file, empty, in one step: a pass
    // that started in the same second (another PC writing to the same folder, a time format
    // without seconds) never writes over this one. When the name is taken, or an earlier
    // pass's data file has it, the stamp gets "_2", "_3", ... until a name is free. Throws
    // std::runtime_error when no file can be made in resultPath.
    void reserveFileName(const std::string& resultPath, FileSystem& files);
    // resultPath joined with "result_" + fileStamp + ".htm"
    std::string filePath(const std::string& resultPath) const;
    // Replaces the file with every line followed by CR LF; throws when it cannot be written.
    void save(const std::string& resultPath) const;

    const std::vector<std::string>& lines() const { return lines_; }
    const std::string& startTime() const { return startTime_; }
    const std::string& fileStamp() const { return fileStamp_; }

private:
    std::vector<std::string> lines_;
    std::string startTime_;
    std::string fileStamp_;
    std::size_t machineEnd_ = 0;  // where the machine description ends
};

// "2026-12-10T13:26:14+01:00": a local time and its offset from UTC in minutes.
std::string IsoTimeText(int year, int month, int day, int hour, int minute, int second, int offsetMinutes);

// The start time made safe for a file name: ":", ".", "/", "-", "\" and blanks become "_".
std::string FileStampOf(const std::string& startTime);

// The info line form shared by the system and display adapter descriptions.
std::string InfoLine(const std::string& label, const std::string& value);

// The lines of one run's result section.
// The heading of a ResolutionTable key, or of "custom" with the custom field texts; empty
// for any other key (no heading is written then).
std::string ResolutionHeading(const std::string& key, const std::string& customWidth,
                              const std::string& customHeight);
std::string DemoLine(const std::string& demoName);
// A settings caption such as "Shader Detail: High", followed by "<br>".
std::string CaptionLine(const std::string& caption);
std::string ScoreLine(const std::string& scoreText);
std::string NoScoreLine();
// The text of a pass the user cancelled, for the debug log; CancelledLine is the report's line.
constexpr const char* kCancelledText = "Benchmark cancelled by the user.";
std::string CancelledLine();
// Closes a batch-mode section.
constexpr const char* kBatchSectionEnd = "<br><HR>";
std::string CommentLine(const std::string& note);
std::string FooterLine(ReportDocument::Mode mode);
