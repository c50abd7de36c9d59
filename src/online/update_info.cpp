#include "online/update_info.h"

#include "platform/ascii_case.h"

namespace {

bool IsControl(char c) { return static_cast<unsigned char>(c) < 32; }

// Where the value of "#key=" starts in the text, or npos. Only ASCII letters are folded, so
// positions in the lowered text are positions in the original.
std::size_t ValueStart(const std::string& lowered, const std::string& key) {
    const std::string entry = "#" + key + "=";
    const std::size_t at = lowered.find(entry);
    return at == std::string::npos ? at : at + entry.size();
}

std::string ValueAt(const std::string& text, std::size_t start) {
    std::size_t end = start;
    while (end < text.size() && !IsControl(text[end])) ++end;
    return text.substr(start, end - start);
}

std::string FindValue(const std::string& text, const std::string& lowered, const std::string& key) {
    const std::size_t start = ValueStart(lowered, key);
    return start == std::string::npos ? std::string() : ValueAt(text, start);
}

// "#message={...}" may span lines; without "}" it runs to the end of the text. An entry
// written without the brace is read like any other value.
std::string FindMessage(const std::string& text, const std::string& lowered) {
    const std::size_t start = ValueStart(lowered, "message");
    if (start == std::string::npos) return {};
    if (start >= text.size() || text[start] != '{') return ValueAt(text, start);
    const std::size_t end = text.find('}', start + 1);
    return text.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
}

// "url" and "url0" first; the numbered keys then continue after the addresses found so
// far, up to the first missing or empty one.
std::vector<std::string> FindFiles(const std::string& text, const std::string& lowered) {
    std::vector<std::string> files;
    for (const char* key : {"url", "url0"}) {
        std::string address = FindValue(text, lowered, key);
        if (!address.empty()) files.push_back(address);
    }
    for (std::size_t n = files.size() + 1;; ++n) {
        std::string address = FindValue(text, lowered, "url" + std::to_string(n));
        if (address.empty()) break;
        files.push_back(address);
    }
    return files;
}

UpgradeMethod MethodFrom(const std::string& value) {
    if (value.empty()) return UpgradeMethod::SelfUpgrade;
    if (value[0] == '1') return UpgradeMethod::UseExternalSetup;
    if (value[0] == '2') return UpgradeMethod::RedirectToURL;
    return UpgradeMethod::SelfUpgrade;
}

}  // namespace

std::string FindInfoValue(const std::string& text, const std::string& key) {
    return FindValue(text, AsciiLower(text), key);
}

UpdateInfo ParseUpdateInfo(const std::string& text) {
    const std::string lowered = AsciiLower(text);
    UpdateInfo info;
    info.version = FindValue(text, lowered, "version");
    info.files = FindFiles(text, lowered);
    info.message = FindMessage(text, lowered);
    info.method = MethodFrom(FindValue(text, lowered, "method"));
    return info;
}
