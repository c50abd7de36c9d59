#pragma once
// Where the programs load libraries from. Plain C-style code without the C++ library: the
// upgrader uses it too.
#include <windows.h>

// First thing in each program: later loads search the system folder only (Windows 8 and later,
// and Windows 7 with update KB2533623). Without that update at least the current folder is
// taken out of the search; every library not in Windows' list of known system libraries is
// then loaded through LoadSystemLibrary anyway.
void RestrictLibrarySearch();

// A library of the system folder, loaded by its full path: never one of the same name in the
// program's folder, the current folder or the PATH. Null when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* name);

// A function of a library from LoadSystemLibrary, into a pointer of its declared type; false
// when the library has no such function.
template <typename Function>
bool FindFunction(HMODULE library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return function != nullptr;
}
