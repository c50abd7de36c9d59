#pragma once
// wininet.dll, taken from the system folder at its first use. Imported the usual way it would
// be searched for in the program's folder before the program could restrict the search.
#include <windows.h>
#include <wininet.h>

#include "platform/scoped_win.h"

struct WinInetFunctions {
    decltype(&InternetOpenA) InternetOpenA;
    decltype(&InternetConnectA) InternetConnectA;
    decltype(&HttpOpenRequestA) HttpOpenRequestA;
    decltype(&HttpAddRequestHeadersA) HttpAddRequestHeadersA;
    decltype(&HttpSendRequestA) HttpSendRequestA;
    decltype(&HttpQueryInfoA) HttpQueryInfoA;
    decltype(&InternetSetOptionA) InternetSetOptionA;
    decltype(&InternetQueryDataAvailable) InternetQueryDataAvailable;
    decltype(&InternetReadFile) InternetReadFile;
    decltype(&InternetCloseHandle) InternetCloseHandle;
};

// Null when the system's wininet.dll or one of these functions cannot be found. Safe to call
// from any thread.
const WinInetFunctions* WinInet();

// Only handles opened through WinInet() exist, so its functions are there to close them.
struct InternetHandleTraits {
    using Handle = HINTERNET;
    static Handle Invalid() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { WinInet()->InternetCloseHandle(h); }
};
using ScopedInternet = ScopedHandle<InternetHandleTraits>;
