#include "settings/dpapi_sealer_win.h"

#include <windows.h>
#include <wincrypt.h>

#include "platform/system_library_win.h"

namespace {

// crypt32.dll is not one of Windows' known system libraries: taken from the system folder,
// never from the program's folder.
struct DataProtection {
    decltype(&CryptProtectData) Protect = nullptr;
    decltype(&CryptUnprotectData) Unprotect = nullptr;
};

const DataProtection* LoadDataProtection() {
    static DataProtection functions;
    const HMODULE library = LoadSystemLibrary("crypt32.dll");
    const bool found = library && FindFunction(library, "CryptProtectData", functions.Protect) &&
                       FindFunction(library, "CryptUnprotectData", functions.Unprotect);
    return found ? &functions : nullptr;
}

const DataProtection* Dpapi() {
    static const DataProtection* const functions = LoadDataProtection();
    return functions;
}

// Names the purpose inside the blob; a blob sealed for anything else does not open here.
const wchar_t kDescription[] = L"Lurkmark proxy password";

DATA_BLOB BlobOf(const std::string& bytes) {
    return DATA_BLOB{static_cast<DWORD>(bytes.size()), reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data()))};
}

std::string TakeBlob(DATA_BLOB& blob) {
    std::string bytes(reinterpret_cast<const char*>(blob.pbData), blob.cbData);
    SecureZeroMemory(blob.pbData, blob.cbData);
    LocalFree(blob.pbData);
    return bytes;
}

}  // namespace

std::optional<std::string> DpapiSealer::Seal(const std::string& secret) {
    const DataProtection* dpapi = Dpapi();
    if (!dpapi) return std::nullopt;
    DATA_BLOB in = BlobOf(secret);
    DATA_BLOB out{};
    if (!dpapi->Protect(&in, kDescription, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out)) {
        return std::nullopt;
    }
    return TakeBlob(out);
}

std::optional<std::string> DpapiSealer::Open(const std::string& sealed) {
    const DataProtection* dpapi = Dpapi();
    if (!dpapi) return std::nullopt;
    DATA_BLOB in = BlobOf(sealed);
    DATA_BLOB out{};
    LPWSTR description = nullptr;
    if (!dpapi->Unprotect(&in, &description, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out)) {
        return std::nullopt;
    }
    const bool ours = description && lstrcmpW(description, kDescription) == 0;
    LocalFree(description);
    std::string plain = TakeBlob(out);
    if (!ours) return std::nullopt;
    return plain;
}
