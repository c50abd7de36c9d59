#pragma once
#include <windows.h>

#include <string>

#include "platform/scoped_win.h"

// The standard output and error of this GUI program, found once: a handle the caller
// redirected (a CI runner's pipe, a file) is used as it is; otherwise the console of the
// process that started the program, when it has one. A stream that has neither is silent.
// The program's text is code page 1252: a console gets it as UTF-16, so that it shows every
// letter whatever its code page; a pipe or file gets UTF-8, what PowerShell and CI runners
// read by default.
class StandardStreams {
public:
    StandardStreams();
    StandardStreams(const StandardStreams&) = delete;
    StandardStreams& operator=(const StandardStreams&) = delete;

    // One line, ended by CR LF.
    void Out(const std::string& line) { Write(out_, line); }
    void Err(const std::string& line) { Write(err_, line); }

private:
    void Write(HANDLE stream, const std::string& line) const;

    HANDLE out_ = nullptr;
    HANDLE err_ = nullptr;
    ScopedFile console_;
};
