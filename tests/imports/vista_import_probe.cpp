// Imports GetTickCount64, which Windows XP lacks (Vista on), so that a test shows that the
// import check names such a function.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include <windows.h>

int main() {
    return static_cast<int>(GetTickCount64() & 1);
}
