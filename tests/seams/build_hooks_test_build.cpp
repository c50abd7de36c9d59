// The test build of the program, and the Windows tests themselves.
#include <windows.h>

#include <cstdio>

#include "runner/build_hooks.h"

bool ProcessorLoadHidden() {
    char value[4] = {};
    return GetEnvironmentVariableA("LURK_QUIET_PROCESSOR", value, sizeof value) == 1 && value[0] == '1';
}

void NoteProcessCreation(const std::string& commandLine, unsigned long creationFlags) {
    // LURK_CREATION_LOG names a file that gets one line per process: the flags in hex, a
    // blank, the command line.
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("LURK_CREATION_LOG", path, sizeof path);
    if (length == 0 || length >= sizeof path) return;
    FILE* log = std::fopen(path, "ab");
    if (!log) return;
    std::fprintf(log, "%08lx %s\r\n", creationFlags, commandLine.c_str());
    std::fclose(log);
}
