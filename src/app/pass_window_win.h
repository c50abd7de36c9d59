#pragma once
#include <windows.h>

#include <string>

// What the pass asks of the program's window, and no more: the main form implements it, so
// the pass needs nothing else of the form.
class PassWindow {
public:
    virtual HWND OwnerWindow() const = 0;  // owns the pass's boxes and receives its close
    virtual void ShowProgressPanel(bool shown) = 0;
    virtual void SetProgressCaption(const std::string& text) = 0;
    virtual void SetBenchButtonEnabled(bool enabled) = 0;
    virtual void ShowMessage(const std::string& text) = 0;
    virtual bool Confirm(const std::string& text) = 0;  // Yes/No: true only for Yes
    // A line for the job's log on the standard output of a batch start, when it has one.
    virtual void WriteOutput(const std::string& line) = 0;

protected:
    ~PassWindow() = default;
};
