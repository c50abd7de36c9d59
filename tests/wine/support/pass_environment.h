#pragma once
// What an end-to-end pass needs around the program: the stand-in diagnostics tool in the
// system folder, environment variables for the programs a test starts, and a recorder in
// place of the user's program for .htm files. Each puts back what it changed.
#include <string>

namespace wt {

// An environment variable of this process (and so of every program it starts).
class ScopedEnvironment {
public:
    ScopedEnvironment(const std::string& name, const std::string& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    bool hadValue_ = false;
    std::string oldValue_;
};

// Wine prefers its own dxdiag.exe unless told otherwise: this tells it to start the file in the
// system folder ("native" in HKCU\Software\Wine\DllOverrides) and puts the old value back.
// An environment variable set by a test is not enough: 64-bit Wine chooses how to load a new
// process's program from the registry and the environment it was itself started with.
class NativeDxdiag {
public:
    NativeDxdiag();
    ~NativeDxdiag();
    NativeDxdiag(const NativeDxdiag&) = delete;
    NativeDxdiag& operator=(const NativeDxdiag&) = delete;

private:
    bool hadValue_ = false;
    std::string oldValue_;
};

// The stand-in dxdiag.exe in the system folder, answering with the fixture report
// (tests/fixtures/dxdiag/NAME), and Wine told to start it. The system's own tool is put back
// afterwards.
class StandInDiagnostics {
public:
    explicit StandInDiagnostics(const std::string& fixtureName);
    ~StandInDiagnostics();
    StandInDiagnostics(const StandInDiagnostics&) = delete;
    StandInDiagnostics& operator=(const StandInDiagnostics&) = delete;

private:
    std::string tool_;
    std::string saved_;
    ScopedEnvironment report_;
    NativeDxdiag native_;
};

// No diagnostics tool in the system folder, and Wine told not to use its own either: the tool
// cannot be started. The system's own tool is put back afterwards.
class MissingDiagnostics {
public:
    MissingDiagnostics();
    ~MissingDiagnostics();
    MissingDiagnostics(const MissingDiagnostics&) = delete;
    MissingDiagnostics& operator=(const MissingDiagnostics&) = delete;

private:
    std::string tool_;
    std::string saved_;
    NativeDxdiag native_;
};

// Opening a .htm file through the shell appends its path as one line to `recordFile`.
class ReportOpenRecorder {
public:
    explicit ReportOpenRecorder(const std::string& recordFile);
    ~ReportOpenRecorder();
    ReportOpenRecorder(const ReportOpenRecorder&) = delete;
    ReportOpenRecorder& operator=(const ReportOpenRecorder&) = delete;
    // The recorded lines (each path as the shell passed it), empty when nothing was opened.
    std::string Recorded() const;

private:
    std::string recordFile_;
    bool hadExtension_ = false;
    std::string oldClass_;
};

}  // namespace wt
