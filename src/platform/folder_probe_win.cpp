#include "platform/folder_probe_win.h"

#include <windows.h>

bool FolderAcceptsNewFiles(const char* folder) {
    char probe[MAX_PATH + 1];
    const char name[] = "Lurkmark.probe";
    int n = 0;
    for (; folder[n]; ++n) {
        if (n >= MAX_PATH) return false;
        probe[n] = folder[n];
    }
    for (int i = 0; name[i]; ++i) {
        if (n >= MAX_PATH) return false;
        probe[n++] = name[i];
    }
    probe[n] = '\0';
    HANDLE file = CreateFileA(probe, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}
