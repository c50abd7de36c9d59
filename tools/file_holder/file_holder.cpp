// file_holder PATH SHARE EVENT
// Holds PATH open for writing, as a game holds its console log, until it is ended. SHARE is
// what it lets others do meanwhile: "none" (no sharing), "read" (FILE_SHARE_READ) or
// "readwrite" (FILE_SHARE_READ | FILE_SHARE_WRITE, what the C runtime's fopen allows). Once the
// file is open it sets the named event EVENT, so that a test knows the file is held. Exit
// code 2: bad arguments; 3: the file could not be opened.
#include <windows.h>

#include <cstring>

#include "platform/scoped_win.h"

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    DWORD share = 0;
    if (std::strcmp(argv[2], "read") == 0) {
        share = FILE_SHARE_READ;
    } else if (std::strcmp(argv[2], "readwrite") == 0) {
        share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    } else if (std::strcmp(argv[2], "none") != 0) {
        return 2;
    }
    const ScopedFile file(CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_ALWAYS, 0, nullptr));
    if (!file) return 3;
    const ScopedKernelHandle ready(OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[3]));
    if (ready) SetEvent(ready.Get());
    Sleep(INFINITE);
    return 0;
}
