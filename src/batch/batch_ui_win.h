#pragma once
#include <windows.h>

#include "batch/batch_list.h"

// The batch commands' dialogs over the main window.
class BatchUiWin : public BatchUi {
public:
    BatchUiWin(HWND owner, std::string benchDir) : owner_(owner), benchDir_(std::move(benchDir)) {}
    void Message(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    // RzSaveDialog1: batch files, ".bat" added to a bare name, opening in the program's folder,
    // asking before replacing, leaving the process's current folder as it was.
    std::optional<std::string> AskSavePath() override;
    void Pause(unsigned milliseconds) override;
    void Open(const std::string& path) override;

private:
    HWND owner_;
    std::string benchDir_;
};
