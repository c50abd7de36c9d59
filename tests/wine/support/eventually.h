#pragma once
// Reading what a running program writes in answer to an action (a click, a posted command, an
// answered question): the value is polled until it is the expected one, within a bound, so a
// writer that is a moment late is waited for and a wrong value still fails, naming what was
// read last.
#include <windows.h>

#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace wt {

constexpr DWORD kProgramWriteTimeoutMs = 25000;

::testing::AssertionResult Eventually(const std::function<std::string()>& read, const std::string& expected,
                                      DWORD timeoutMs = kProgramWriteTimeoutMs);
// A value of the program's settings key ("<missing>" while there is none).
::testing::AssertionResult SettingsValueBecomes(const std::string& name, const std::string& expected);
// A file's bytes ("<missing>" while there is no file).
::testing::AssertionResult FileBecomes(const std::string& path, const std::string& expected);
::testing::AssertionResult FileGoes(const std::string& path);
// A file's bytes, or "<missing>".
std::string FileBytesOrMissing(const std::string& path);

}  // namespace wt
