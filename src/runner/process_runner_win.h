#pragma once
#include <windows.h>

#include "platform/scoped_win.h"
#include "runner/process_runner.h"

// ProcessRunner on Win32. The process starts with its window hidden at normal priority, in a
// job object of its own that every process it starts joins too, so that the whole tree can be
// ended together. A watcher thread of lowered priority blocks on the process (no polling) up
// to the time limit, ends the tree when the limit passes, reads the exit code and posts the
// end notice to a hidden message-only window, so the handler runs on the thread that created
// the runner. That thread must run a message loop.
class WinProcessRunner : public ProcessRunner {
public:
    // `errorOwner` is the window over which an error escaping the end handler is reported.
    explicit WinProcessRunner(HWND errorOwner = nullptr);
    // A process still running is left running; its end is no longer reported.
    ~WinProcessRunner() override;

    void Run() override;
    bool Running() const override { return process_.Valid(); }
    // Ends the running process and every process it started, then waits up to timeoutMs for
    // the process to be gone. True when it is gone or none runs; the end is still reported.
    bool EndProcessTree(DWORD timeoutMs);

private:
    static DWORD WINAPI Watch(void* runner);
    static LRESULT CALLBACK SinkProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Ended(DWORD exitCode, bool byTimeLimit);
    void EndTree();

    HWND errorOwner_;
    HWND sink_ = nullptr;
    ScopedKernelHandle stop_;     // set when the runner goes away while a process runs
    ScopedKernelHandle process_;  // valid from Run until the end notice is handled
    ScopedKernelHandle job_;      // holds the process and all it starts; null where jobs fail
    ScopedKernelHandle watcher_;
};
