#include "platform/system_library_win.h"

namespace {

// LOAD_LIBRARY_SEARCH_SYSTEM32, named here as the Windows 7 headers do not offer it.
const DWORD kSearchSystem32 = 0x00000800;

typedef BOOL(WINAPI* SetDefaultDllDirectoriesFunction)(DWORD);

}  // namespace

void RestrictLibrarySearch() {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const SetDefaultDllDirectoriesFunction restrict = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(kernel ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr));
    if (restrict && restrict(kSearchSystem32)) return;
    SetDllDirectoryA("");
}

HMODULE LoadSystemLibrary(const char* name) {
    char path[MAX_PATH + 1];
    const UINT n = GetSystemDirectoryA(path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    UINT i = n;
    if (path[i - 1] != '\\') path[i++] = '\\';
    for (; *name; ++name) {
        if (i >= MAX_PATH) return nullptr;
        path[i++] = *name;
    }
    path[i] = '\0';
    // The full path leaves nothing to search for the library itself; what it imports comes
    // from the system folder as well.
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
