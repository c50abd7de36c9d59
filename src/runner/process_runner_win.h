#pragma once
#include <windows.h>

#include "platform/scoped_win.h"
#include "runner/process_runner.h"

// ProcessRunner on Win32. The process starts with its window hidden at normal priority; a
// watcher thread of lowered priority blocks on the process (no polling), reads its exit
// code and posts the end notice to a hidden message-only window, so the handler runs on the
// thread that created the runner. That thread must run a message loop.
class WinProcessRunner : public ProcessRunner {
public:
    // `errorOwner` is the window over which an error escaping the end handler is reported.
    explicit WinProcessRunner(HWND errorOwner = nullptr);
    // A process still running is left running; its end is no longer reported.
    ~WinProcessRunner() override;

    void Run() override;
    bool Running() const override { return process_.Valid(); }

private:
    static DWORD WINAPI Watch(void* runner);
    static LRESULT CALLBACK SinkProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Ended(DWORD exitCode);

    HWND errorOwner_;
    HWND sink_ = nullptr;
    ScopedKernelHandle stop_;     // set when the runner goes away while a process runs
    ScopedKernelHandle process_;  // valid from Run until the end notice is handled
    ScopedKernelHandle watcher_;
};
