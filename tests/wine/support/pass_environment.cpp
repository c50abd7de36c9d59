#include "support/pass_environment.h"

#include <windows.h>

#include <optional>
#include <stdexcept>
#include <vector>

#include "platform/registry_value_win.h"
#include "platform/scoped_win.h"
#include "support/wine_test_support.h"

namespace wt {

namespace {

const char* const kTestHtmlClass = "LurkTest.htm";

bool ReadEnvironment(const std::string& name, std::string& value) {
    const DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (size == 0) return false;
    std::vector<char> text(size);
    GetEnvironmentVariableA(name.c_str(), text.data(), size);
    value = text.data();
    return true;
}

std::string SystemFolderPath() {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return folder;
}

void SetClassesDefault(const std::string& key, const std::string& value) {
    ScopedRegKey k;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, k.Receive(), nullptr) !=
        ERROR_SUCCESS) {
        throw std::runtime_error("cannot create HKCR\\" + key);
    }
    RegSetValueExA(k.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

void DeleteClassesTree(const std::string& key) {
    for (const char* sub : {"\\shell\\open\\command", "\\shell\\open", "\\shell", ""}) {
        RegDeleteKeyA(HKEY_CLASSES_ROOT, (key + sub).c_str());
    }
}

}  // namespace

ScopedEnvironment::ScopedEnvironment(const std::string& name, const std::string& value) : name_(name) {
    hadValue_ = ReadEnvironment(name, oldValue_);
    SetEnvironmentVariableA(name.c_str(), value.c_str());
}

ScopedEnvironment::~ScopedEnvironment() {
    SetEnvironmentVariableA(name_.c_str(), hadValue_ ? oldValue_.c_str() : nullptr);
}

namespace {

const char* const kDllOverrides = "Software\\Wine\\DllOverrides";
const char* const kDxdiag = "dxdiag.exe";

}  // namespace

NativeDxdiag::NativeDxdiag() {
    ScopedRegKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kDllOverrides, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                        key.Receive(), nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error(std::string("cannot open HKCU\\") + kDllOverrides);
    }
    const std::optional<std::string> old = QueryStringValue(key.Get(), kDxdiag);
    hadValue_ = old.has_value();
    oldValue_ = old.value_or("");
    const std::string native = "native";
    if (RegSetValueExA(key.Get(), kDxdiag, 0, REG_SZ, reinterpret_cast<const BYTE*>(native.c_str()),
                       static_cast<DWORD>(native.size() + 1)) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot tell Wine to start the stand-in dxdiag.exe");
    }
}

NativeDxdiag::~NativeDxdiag() {
    ScopedRegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDllOverrides, 0, KEY_SET_VALUE, key.Receive()) != ERROR_SUCCESS) return;
    if (hadValue_) {
        RegSetValueExA(key.Get(), kDxdiag, 0, REG_SZ, reinterpret_cast<const BYTE*>(oldValue_.c_str()),
                       static_cast<DWORD>(oldValue_.size() + 1));
    } else {
        RegDeleteValueA(key.Get(), kDxdiag);
    }
}

StandInDiagnostics::StandInDiagnostics(const std::string& fixtureName)
    : tool_(SystemFolderPath() + "\\dxdiag.exe"),
      saved_(tool_ + ".lurksaved"),
      report_("LURK_DXDIAG_REPORT", Env("LURK_FIXTURES_DIR") + "\\dxdiag\\" + fixtureName) {
    // A copy left by an interrupted run is the system's own tool: keep it.
    if (!FileExists(saved_) && !CopyFileA(tool_.c_str(), saved_.c_str(), TRUE)) {
        throw std::runtime_error("cannot save " + tool_);
    }
    const std::string standIn = Env("LURK_TOOLS_DIR") + "\\dxdiag.exe";
    if (!CopyFileA(standIn.c_str(), tool_.c_str(), FALSE)) throw std::runtime_error("cannot place " + standIn);
}

StandInDiagnostics::~StandInDiagnostics() {
    if (CopyFileA(saved_.c_str(), tool_.c_str(), FALSE)) DeleteFileA(saved_.c_str());
}

MissingDiagnostics::MissingDiagnostics()
    : tool_(SystemFolderPath() + "\\dxdiag.exe"), saved_(tool_ + ".lurksaved") {
    // A copy left by an interrupted run is the system's own tool: keep it.
    if (!FileExists(saved_) && !CopyFileA(tool_.c_str(), saved_.c_str(), TRUE)) {
        throw std::runtime_error("cannot save " + tool_);
    }
    if (!DeleteFileA(tool_.c_str())) throw std::runtime_error("cannot remove " + tool_);
}

MissingDiagnostics::~MissingDiagnostics() {
    if (CopyFileA(saved_.c_str(), tool_.c_str(), FALSE)) DeleteFileA(saved_.c_str());
}

ReportOpenRecorder::ReportOpenRecorder(const std::string& recordFile) : recordFile_(recordFile) {
    ScopedRegKey ext;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, KEY_READ, ext.Receive()) == ERROR_SUCCESS) {
        hadExtension_ = true;
        char value[256] = {};
        DWORD size = sizeof value;
        if (RegQueryValueExA(ext.Get(), nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) ==
            ERROR_SUCCESS) {
            oldClass_ = value;
        }
    }
    SetClassesDefault(std::string(kTestHtmlClass) + "\\shell\\open\\command",
                      "C:\\windows\\system32\\cmd.exe /c echo %1>>\"" + recordFile + "\"");
    SetClassesDefault(".htm", kTestHtmlClass);
}

ReportOpenRecorder::~ReportOpenRecorder() {
    if (hadExtension_) {
        SetClassesDefault(".htm", oldClass_);
    } else {
        RegDeleteKeyA(HKEY_CLASSES_ROOT, ".htm");
    }
    DeleteClassesTree(kTestHtmlClass);
}

std::string ReportOpenRecorder::Recorded() const { return FileExists(recordFile_) ? ReadFileBytes(recordFile_) : ""; }

}  // namespace wt
