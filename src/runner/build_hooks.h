#pragma once
#include <string>

// The few places where the Windows tests' build of the program differs from the one that
// ships, beside the update key. Each build links its own definitions: the shipped program's
// (app/build_hooks_release.cpp) do nothing, so nothing a user's environment holds can change
// what it measures; the test build's (tests/seams/build_hooks_test_build.cpp) answer to
// variables the tests set.

// True when the processor's load is to be read as unknown: tests that compare whole files
// stay the same on a loaded test machine.
bool ProcessorLoadHidden();
// Told the creation flags of every process the runner starts, which Wine cannot show the
// effect of (a console of its own).
void NoteProcessCreation(const std::string& commandLine, unsigned long creationFlags);
