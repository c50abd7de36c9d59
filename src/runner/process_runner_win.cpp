#include "runner/process_runner_win.h"

#include <exception>
#include <stdexcept>

#include "platform/error_report_win.h"
#include "platform/os_error_win.h"
#include "platform/window_class_win.h"
#include "runner/build_hooks.h"

namespace {

const char* const kSinkClass = "LurkProcessRunnerSink";
const UINT kProcessEnded = WM_APP + 1;  // wParam: the exit code, lParam: 1 when ended by the time limit
// The exit code given to the processes of a tree ended from here.
const UINT kEndedExitCode = ERROR_TIMEOUT;

// The program's environment with the added variables, or empty when none are added.
std::string EnvironmentWith(const EnvironmentVariables& added) {
    if (added.empty()) return "";
    char* own = GetEnvironmentStringsA();
    if (!own) throw OsErrorFromCode(GetLastError());
    std::size_t length = 0;
    while (own[length] != '\0' || own[length + 1] != '\0') ++length;
    const std::string current(own, length + 2);
    FreeEnvironmentStringsA(own);
    return EnvironmentBlockWith(current, added);
}

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
    // No standard handles: the program's own (a CI runner's job log) would otherwise be handed
    // on to the game's batch file and get its console chatter.
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USEPOSITION | STARTF_USESIZE | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;  // position and size stay zero
    PROCESS_INFORMATION info{};
    std::string commandLine = CommandLine();  // CreateProcessA may write into its buffer
    const char* folder = CurrentDirectory().empty() ? nullptr : CurrentDirectory().c_str();
    std::string environment = EnvironmentWith(AddedVariables());
    ScopedKernelHandle job(CreateJobObjectA(nullptr, nullptr));
    if (!job) throw OsErrorFromCode(GetLastError());
    // The process inherits the error mode: one that cannot load shows no system error box,
    // which an unattended pass would wait on for ever. Suspended until it is in the job, so
    // that nothing it starts can escape the job.
    // A console of its own without a window: a program started from a command prompt is
    // attached to that console (app/standard_streams_win.cpp), and a console process started
    // without this flag would share it, so that SW_HIDE hid nothing, Ctrl+C in the prompt
    // reached the game's batch file and closing the prompt ended it. The game itself is a
    // GUI program, which the flag leaves alone.
    const DWORD creationFlags = NORMAL_PRIORITY_CLASS | CREATE_SUSPENDED | CREATE_NO_WINDOW;
    NoteProcessCreation(commandLine, creationFlags);
    const UINT errorMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const BOOL created = CreateProcessA(Program().empty() ? nullptr : Program().c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                                       creationFlags, environment.empty() ? nullptr : &environment[0], folder,
                                       &startup, &info);
    const DWORD createError = GetLastError();
    SetErrorMode(errorMode);
    if (!created) throw OsErrorFromCode(createError);
    ScopedKernelHandle thread(info.hThread);
    process_.Reset(info.hProcess);
    // A system that refuses the job (an older Windows running this program inside a job of
    // its own) still runs the process; only its tree cannot be ended then, the process itself can.
    if (AssignProcessToJobObject(job.Get(), process_.Get())) job_ = std::move(job);
    SetEndedByTimeLimit(false);
    ResumeThread(thread.Get());

    watcher_.Reset(CreateThread(nullptr, 0, Watch, this, CREATE_SUSPENDED, nullptr));
    if (!watcher_) {
        const DWORD error = GetLastError();
        process_.Reset();  // cannot watch it: the process runs on unreported
        job_.Reset();
        throw OsErrorFromCode(error);
    }
    // Waiting needs no urgency; the game being measured should not compete with it.
    SetThreadPriority(watcher_.Get(), THREAD_PRIORITY_BELOW_NORMAL);
    ResumeThread(watcher_.Get());
}

DWORD WINAPI WinProcessRunner::Watch(void* runner) {
    auto* self = static_cast<WinProcessRunner*>(runner);
    const HANDLE waitFor[2] = {self->process_.Get(), self->stop_.Get()};
    const int limit = self->TimeLimit();
    const DWORD limitMs = limit > 0 ? static_cast<DWORD>(limit) * 1000 : INFINITE;
    DWORD waited = WaitForMultipleObjects(2, waitFor, FALSE, limitMs);
    const bool byTimeLimit = waited == WAIT_TIMEOUT;
    if (byTimeLimit) {
        self->EndTree();
        waited = WaitForMultipleObjects(2, waitFor, FALSE, INFINITE);
    }
    if (waited != WAIT_OBJECT_0) return 0;  // the runner goes away
    DWORD exitCode = 0;
    GetExitCodeProcess(self->process_.Get(), &exitCode);
    PostMessageA(self->sink_, kProcessEnded, exitCode, byTimeLimit ? 1 : 0);
    return 0;
}

void WinProcessRunner::EndTree() {
    if (job_) {
        TerminateJobObject(job_.Get(), kEndedExitCode);
    } else {
        TerminateProcess(process_.Get(), kEndedExitCode);
    }
}

bool WinProcessRunner::EndProcessTree(DWORD timeoutMs) {
    if (!Running()) return true;
    EndTree();
    return WaitForSingleObject(process_.Get(), timeoutMs) == WAIT_OBJECT_0;
}

void WinProcessRunner::Ended(DWORD exitCode, bool byTimeLimit) {
    // The watcher has posted and only returns now: joining it takes no time.
    WaitForSingleObject(watcher_.Get(), INFINITE);
    watcher_.Reset();
    process_.Reset();
    job_.Reset();
    SetEndedByTimeLimit(byTimeLimit);
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
        self->Ended(static_cast<DWORD>(wParam), lParam == 1);
    } catch (const std::exception& e) {
        ReportUnhandledError(self->errorOwner_, e);
    } catch (...) {
        ReportUnknownError(self->errorOwner_);
    }
    return 0;
}
