// The stored proxy password: any registry text decodes, and any password survives encoding.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "settings/base64.h"

namespace {

bool IsAlphabet(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
}

// Lines of at most 76 characters of the alphabet and "=", parted by CR LF, none at the end.
void CheckEncodedShape(const std::string& encoded) {
    std::size_t lineUsed = 0;
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        const char c = encoded[i];
        if (c == '\r') {
            FUZZ_CHECK(lineUsed == 76 && i + 2 < encoded.size() && encoded[i + 1] == '\n');
            lineUsed = 0;
            ++i;
            continue;
        }
        FUZZ_CHECK(IsAlphabet(c) || c == '=');
        ++lineUsed;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);

    const std::string decoded = DecodeBase64Mime(input);
    std::size_t digits = 0;
    for (char c : input) digits += IsAlphabet(c) ? 1 : 0;
    FUZZ_CHECK(decoded.size() == digits / 4 * 3 + (digits % 4 == 0 ? 0 : digits % 4 - 1));
    // What was decoded encodes back to text that decodes the same.
    FUZZ_CHECK(DecodeBase64Mime(EncodeBase64Mime(decoded)) == decoded);

    const std::string encoded = EncodeBase64Mime(input);
    FUZZ_CHECK(encoded.size() == (size + 2) / 3 * 4 + (size == 0 ? 0 : ((size + 2) / 3 * 4 - 1) / 76 * 2));
    CheckEncodedShape(encoded);
    FUZZ_CHECK(DecodeBase64Mime(encoded) == input);
    return 0;
}
