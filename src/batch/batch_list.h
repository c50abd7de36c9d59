#pragma once
#include <optional>
#include <string>
#include <vector>

#include "domain/option_state.h"

// What the batch commands need from the window and the shell.
class BatchUi {
public:
    virtual ~BatchUi() = default;
    virtual void Message(const std::string& text) = 0;
    // True only for Yes.
    virtual bool Confirm(const std::string& text) = 0;
    // The path the user chose in the save dialog; nothing when cancelled.
    virtual std::optional<std::string> AskSavePath() = 0;
    virtual void Pause(unsigned milliseconds) = 0;
    // The shell's "open"; its result is of no interest here.
    virtual void Open(const std::string& path) = 0;
};

// The closing line that opens the results folder after the last pass of a batch file.
constexpr const char* kBatchClosingLine = "QWK_Lurkmark.exe /Batch /Open";
constexpr const char* kBatchViewFileName = "batchview.txt";

// One line that runs the window's current set-up at one resolution of the table.
std::string BatchLine(const OptionState& options, std::size_t resolutionIndex);

// The lines as a batch file at `filePath` holds them. In the program's folder they stay as
// they are; elsewhere each names the program by its full path, in quotes, so the file runs
// from any folder and leaves the current folder of the console that runs it alone.
std::vector<std::string> BatchFileLines(const std::vector<std::string>& lines, const std::string& benchDir,
                                        const std::string& filePath);

// The set-ups collected from the popup menu, saved as a Windows batch file.
class BatchList {
public:
    BatchList(BatchUi& ui, std::string benchDir) : ui_(ui), benchDir_(std::move(benchDir)) {}

    void Newbatch1Click();
    void Viewbatch1Click();
    void Savebatch1Click();
    void Addsettings1Click(const OptionState& options);

    const std::vector<std::string>& Lines() const { return lines_; }

private:
    void SaveThroughDialog();

    BatchUi& ui_;
    std::string benchDir_;
    std::vector<std::string> lines_;
};
