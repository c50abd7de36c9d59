#include <windows.h>

// Loaded means found first: say so in a file beside this library, and load no further.
BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(self, path, MAX_PATH);
    while (n > 0 && path[n - 1] != '\\') --n;
    const char name[] = "planted_library_loaded.txt";
    if (n + sizeof name > MAX_PATH) return FALSE;
    for (DWORD i = 0; i < sizeof name; ++i) path[n + i] = name[i];
    HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
    return FALSE;
}
