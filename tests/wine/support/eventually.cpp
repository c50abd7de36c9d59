#include "support/eventually.h"

#include "support/window_automation.h"
#include "support/wine_test_support.h"

namespace wt {
namespace {

// Enough to see what went wrong, without pouring a program file into the log.
std::string Shown(const std::string& bytes) { return bytes.size() <= 200 ? bytes : bytes.substr(0, 200) + "..."; }

}  // namespace

::testing::AssertionResult Eventually(const std::function<std::string()>& read, const std::string& expected,
                                      DWORD timeoutMs) {
    std::string last;
    if (WaitUntil([&] { return (last = read()) == expected; }, timeoutMs)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "after " << timeoutMs << " ms still \"" << Shown(last) << "\", not \""
                                         << Shown(expected) << "\"";
}

::testing::AssertionResult SettingsValueBecomes(const std::string& name, const std::string& expected) {
    return Eventually([&] { return ReadSettingsValue(name); }, expected) << " (settings value " << name << ")";
}

std::string FileBytesOrMissing(const std::string& path) {
    // A file being written may refuse to open for a moment: that counts as not there yet.
    try {
        return FileExists(path) ? ReadFileBytes(path) : "<missing>";
    } catch (const std::exception&) {
        return "<missing>";
    }
}

::testing::AssertionResult FileBecomes(const std::string& path, const std::string& expected) {
    return Eventually([&] { return FileBytesOrMissing(path); }, expected) << " (" << path << ")";
}

::testing::AssertionResult FileGoes(const std::string& path) { return FileBecomes(path, "<missing>"); }

}  // namespace wt
