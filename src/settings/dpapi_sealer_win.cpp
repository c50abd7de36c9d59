#include "settings/dpapi_sealer_win.h"

#include <windows.h>
#include <wincrypt.h>

namespace {

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
    DATA_BLOB in = BlobOf(secret);
    DATA_BLOB out{};
    if (!CryptProtectData(&in, kDescription, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out)) {
        return std::nullopt;
    }
    return TakeBlob(out);
}

std::optional<std::string> DpapiSealer::Open(const std::string& sealed) {
    DATA_BLOB in = BlobOf(sealed);
    DATA_BLOB out{};
    LPWSTR description = nullptr;
    if (!CryptUnprotectData(&in, &description, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out)) {
        return std::nullopt;
    }
    const bool ours = description && lstrcmpW(description, kDescription) == 0;
    LocalFree(description);
    std::string plain = TakeBlob(out);
    if (!ours) return std::nullopt;
    return plain;
}
