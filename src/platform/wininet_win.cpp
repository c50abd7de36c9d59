#include "platform/wininet_win.h"

#include "platform/system_library_win.h"

namespace {

const WinInetFunctions* Load() {
    static WinInetFunctions functions;
    const HMODULE library = LoadSystemLibrary("wininet.dll");
    const bool found = library && FindFunction(library, "InternetOpenA", functions.InternetOpenA) &&
                       FindFunction(library, "InternetConnectA", functions.InternetConnectA) &&
                       FindFunction(library, "HttpOpenRequestA", functions.HttpOpenRequestA) &&
                       FindFunction(library, "HttpAddRequestHeadersA", functions.HttpAddRequestHeadersA) &&
                       FindFunction(library, "HttpSendRequestA", functions.HttpSendRequestA) &&
                       FindFunction(library, "HttpQueryInfoA", functions.HttpQueryInfoA) &&
                       FindFunction(library, "InternetSetOptionA", functions.InternetSetOptionA) &&
                       FindFunction(library, "InternetQueryDataAvailable", functions.InternetQueryDataAvailable) &&
                       FindFunction(library, "InternetReadFile", functions.InternetReadFile) &&
                       FindFunction(library, "InternetCloseHandle", functions.InternetCloseHandle);
    return found ? &functions : nullptr;
}

}  // namespace

const WinInetFunctions* WinInet() {
    // Initialised once, even when transfers on two threads start together.
    static const WinInetFunctions* const functions = Load();
    return functions;
}
