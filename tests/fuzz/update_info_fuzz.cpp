// The update server's information file, whatever it holds: every value found comes from the
// text as received, keys are found without regard to case, and a signature entry splits off
// only an exact beginning of the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "online/update_info.h"
#include "online/update_signature.h"
#include "platform/ascii_case.h"

namespace {

bool HasControl(const std::string& value) {
    for (char c : value) {
        if (static_cast<unsigned char>(c) < 32) return true;
    }
    return false;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The plain reading of an entry: search the lowered text for "#key=", the value up to the
// first control character.
std::string PlainValue(const std::string& text, const std::string& lowered, const std::string& key) {
    const std::string entry = "#" + key + "=";
    const std::size_t at = lowered.find(entry);
    if (at == std::string::npos) return {};
    std::size_t end = at + entry.size();
    while (end < text.size() && static_cast<unsigned char>(text[end]) >= 32) ++end;
    return text.substr(at + entry.size(), end - at - entry.size());
}

std::vector<std::string> PlainFiles(const std::string& text, const std::string& lowered) {
    std::vector<std::string> files;
    for (const char* key : {"url", "url0"}) {
        std::string address = PlainValue(text, lowered, key);
        if (!address.empty()) files.push_back(address);
    }
    for (std::size_t n = files.size() + 1;; ++n) {
        std::string address = PlainValue(text, lowered, "url" + std::to_string(n));
        if (address.empty()) break;
        files.push_back(address);
    }
    return files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string lowered = AsciiLower(text);
    const UpdateInfo info = ParseUpdateInfo(text);

    FUZZ_CHECK(info.version == PlainValue(text, lowered, "version") && info.version == FindInfoValue(text, "version"));
    FUZZ_CHECK(info.files == PlainFiles(text, lowered));
    FUZZ_CHECK(!HasControl(info.version) && Contains(text, info.version));
    FUZZ_CHECK(Contains(text, info.message));
    for (const std::string& address : info.files) {
        FUZZ_CHECK(!address.empty() && !HasControl(address) && Contains(text, "=" + address));
    }
    const std::string method = PlainValue(text, lowered, "method");
    const auto expected = method.empty() || (method[0] != '1' && method[0] != '2') ? UpgradeMethod::SelfUpgrade
                          : method[0] == '1'                                      ? UpgradeMethod::UseExternalSetup
                                                                                  : UpgradeMethod::RedirectToURL;
    FUZZ_CHECK(info.method == expected);
    FUZZ_CHECK(info.fileHashes.size() == info.files.size());
    for (const std::string& hash : info.fileHashes) FUZZ_CHECK(!HasControl(hash) && Contains(text, hash));
    if (const auto split = SplitSignedText(text)) {
        FUZZ_CHECK(split->signature.size() == kSignatureBytes);
        FUZZ_CHECK(text.compare(0, split->message.size(), split->message) == 0);
        FUZZ_CHECK(AsciiLower(text.substr(split->message.size(), 11)) == "#signature=");
    }

    // The same file with its ASCII letters in capitals: the same entries, their values in capitals.
    const UpdateInfo upper = ParseUpdateInfo(AsciiUpper(text));
    FUZZ_CHECK(upper.version == AsciiUpper(info.version));
    FUZZ_CHECK(upper.message == AsciiUpper(info.message));
    FUZZ_CHECK(upper.method == info.method);
    FUZZ_CHECK(upper.files.size() == info.files.size());
    for (std::size_t i = 0; i < info.files.size(); ++i) FUZZ_CHECK(upper.files[i] == AsciiUpper(info.files[i]));
    return 0;
}
