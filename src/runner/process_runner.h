#pragma once
#include <functional>
#include <string>

#include "platform/environment_block.h"
#include "platform/handler_call.h"

// Starts one command line in a given folder and reports its end, with the exit code, on the
// window message thread. The pass drives the diagnostics tool and the game through two
// instances (`dxrun` and `cp`); tests drive the pass through a fake.
class ProcessRunner {
public:
    // Called on the message thread once the process has ended and the runner is idle again,
    // so the handler may call Run on the same runner.
    using TerminateHandler = std::function<void(ProcessRunner& runner, int exitCode)>;

    virtual ~ProcessRunner() = default;

    // Passed unchanged to process creation: no quoting is added.
    void SetCommandLine(const std::string& commandLine) { commandLine_ = commandLine; }
    // The program file by full path; empty: the command line's first word names it.
    void SetProgram(const std::string& program) { program_ = program; }
    void SetCurrentDirectory(const std::string& folder) { currentDirectory_ = folder; }
    // Variables the process gets on top of the program's own environment; none: it inherits
    // the program's environment unchanged.
    void SetAddedVariables(EnvironmentVariables variables) { addedVariables_ = std::move(variables); }
    const EnvironmentVariables& AddedVariables() const { return addedVariables_; }
    void SetOnTerminate(TerminateHandler handler) { onTerminate_ = std::move(handler); }
    // The longest the next run may take, in seconds (0: no limit). When it passes, the process
    // and every process it started are ended together and the end is reported as usual.
    void SetTimeLimit(int seconds) { timeLimitSeconds_ = seconds; }
    int TimeLimit() const { return timeLimitSeconds_; }
    const std::string& CommandLine() const { return commandLine_; }
    const std::string& Program() const { return program_; }
    const std::string& CurrentDirectory() const { return currentDirectory_; }

    // Starts the process and returns at once. Throws std::logic_error with kRunnerBusyMessage
    // while a started process has not been reported as ended, and OsError (platform/os_error.h)
    // when the process cannot be created.
    virtual void Run() = 0;
    virtual bool Running() const = 0;
    // True when the last run was ended because it passed its time limit.
    bool EndedByTimeLimit() const { return endedByTimeLimit_; }

    static constexpr const char* kRunnerBusyMessage = "Cannot perform this operation when process is running";

protected:
    // The handler may set a new one (or start the runner again) while it runs.
    void NotifyTerminated(int exitCode) { CallHandler(onTerminate_, *this, exitCode); }
    void SetEndedByTimeLimit(bool ended) { endedByTimeLimit_ = ended; }

private:
    std::string program_;
    std::string commandLine_;
    std::string currentDirectory_;
    EnvironmentVariables addedVariables_;
    TerminateHandler onTerminate_;
    bool endedByTimeLimit_ = false;
    int timeLimitSeconds_ = 0;
};
