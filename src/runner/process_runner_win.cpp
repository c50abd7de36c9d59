#include "runner/process_runner_win.h"

#include <exception>
#include <stdexcept>

#include "platform/error_report_win.h"
#include "platform/os_error_win.h"
#include "platform/window_class_win.h"

namespace {

const char* const kSinkClass = "LurkProcessRunnerSink";
const UINT kProcessEnded = WM_APP + 1;  // wParam: the exit code

}  // namespace

WinProcessRunner::WinProcessRunner(HWND errorOwner) : errorOwner_(errorOwner) {
    if (!RegisterWindowClassOnce(kSinkClass, SinkProcedure)) throw OsErrorFromCode(GetLastError());
    stop_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!stop_) throw OsErrorFromCode(GetLastError());
    sink_ = CreateWindowExA(0, kSinkClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), this);
    if (!sink_) throw OsErrorFromCode(GetLastError());
}

WinProcessRunner::~WinProcessRunner() {
    if (watcher_) {
        SetEvent(stop_.Get());
        WaitForSingleObject(watcher_.Get(), INFINITE);
    }
    // A notice already posted dies with the window.
    DestroyWindow(sink_);
}

void WinProcessRunner::Run() {
    if (Running()) throw std::logic_error(kRunnerBusyMessage);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USEPOSITION | STARTF_USESIZE;
    startup.wShowWindow = SW_HIDE;  // position and size stay zero
    PROCESS_INFORMATION info{};
    std::string commandLine = CommandLine();  // CreateProcessA may write into its buffer
    const char* folder = CurrentDirectory().empty() ? nullptr : CurrentDirectory().c_str();
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, folder,
                        &startup, &info)) {
        throw OsErrorFromCode(GetLastError());
    }
    ScopedKernelHandle thread(info.hThread);
    process_.Reset(info.hProcess);

    watcher_.Reset(CreateThread(nullptr, 0, Watch, this, CREATE_SUSPENDED, nullptr));
    if (!watcher_) {
        const DWORD error = GetLastError();
        process_.Reset();  // cannot watch it: the process runs on unreported
        throw OsErrorFromCode(error);
    }
    // Waiting needs no urgency; the game being measured should not compete with it.
    SetThreadPriority(watcher_.Get(), THREAD_PRIORITY_BELOW_NORMAL);
    ResumeThread(watcher_.Get());
}

DWORD WINAPI WinProcessRunner::Watch(void* runner) {
    auto* self = static_cast<WinProcessRunner*>(runner);
    const HANDLE waitFor[2] = {self->process_.Get(), self->stop_.Get()};
    if (WaitForMultipleObjects(2, waitFor, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) return 0;
    DWORD exitCode = 0;
    GetExitCodeProcess(self->process_.Get(), &exitCode);
    PostMessageA(self->sink_, kProcessEnded, exitCode, 0);
    return 0;
}

void WinProcessRunner::Ended(DWORD exitCode) {
    // The watcher has posted and only returns now: joining it takes no time.
    WaitForSingleObject(watcher_.Get(), INFINITE);
    watcher_.Reset();
    process_.Reset();
    NotifyTerminated(static_cast<int>(exitCode));
}

LRESULT CALLBACK WinProcessRunner::SinkProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<WinProcessRunner*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WinProcessRunner*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg != kProcessEnded || !self || !self->watcher_) return DefWindowProcA(hwnd, msg, wParam, lParam);
    try {
        self->Ended(static_cast<DWORD>(wParam));
    } catch (const std::exception& e) {
        ReportUnhandledError(self->errorOwner_, e);
    } catch (...) {
        ReportUnknownError(self->errorOwner_);
    }
    return 0;
}
