#include "online/update_info.h"

#include <algorithm>
#include <unordered_map>

#include "platform/ascii_case.h"

namespace {

bool IsControl(char c) { return static_cast<unsigned char>(c) < 32; }

constexpr std::size_t kMaxKeyLength = 16;

// The keys a file may use: the named ones and "url" followed by a number.
bool IsKnownKey(const std::string& key) {
    if (key == "version" || key == "message" || key == "method") return true;
    for (const std::string prefix : {"url", "sha256"}) {
        if (key.compare(0, prefix.size(), prefix) == 0 &&
            key.find_first_not_of("0123456789", prefix.size()) == std::string::npos) {
            return true;
        }
    }
    return false;
}

// Where the value of every "#key=" starts, the first occurrence of each key, found in one pass:
// a file of many numbered addresses must not be searched once per address. Only ASCII letters
// are folded, so positions in the lowered text are positions in the original. Keys longer
// than any the file may use, and unknown keys, are not kept, so the index stays small.
class EntryIndex {
public:
    explicit EntryIndex(const std::string& lowered) {
        for (std::size_t hash = lowered.find('#'); hash != std::string::npos; hash = lowered.find('#', hash + 1)) {
            const std::size_t limit = std::min(lowered.size(), hash + 2 + kMaxKeyLength);
            std::size_t equals = hash + 1;
            while (equals < limit && lowered[equals] != '=') ++equals;
            if (equals == limit) continue;
            std::string key = lowered.substr(hash + 1, equals - hash - 1);
            if (IsKnownKey(key)) starts_.emplace(std::move(key), equals + 1);
        }
    }
    std::size_t ValueStart(const std::string& key) const {
        const auto found = starts_.find(key);
        return found == starts_.end() ? std::string::npos : found->second;
    }

private:
    std::unordered_map<std::string, std::size_t> starts_;
};

std::string ValueAt(const std::string& text, std::size_t start) {
    std::size_t end = start;
    while (end < text.size() && !IsControl(text[end])) ++end;
    return text.substr(start, end - start);
}

std::string FindValue(const std::string& text, const EntryIndex& entries, const std::string& key) {
    const std::size_t start = entries.ValueStart(key);
    return start == std::string::npos ? std::string() : ValueAt(text, start);
}

// "#message={...}" may span lines; without "}" it runs to the end of the text. An entry
// written without the brace is read like any other value.
std::string FindMessage(const std::string& text, const EntryIndex& entries) {
    const std::size_t start = entries.ValueStart("message");
    if (start == std::string::npos) return {};
    if (start >= text.size() || text[start] != '{') return ValueAt(text, start);
    const std::size_t end = text.find('}', start + 1);
    return text.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
}

// "url" and "url0" first; the numbered keys then continue after the addresses found so
// far, up to the first missing or empty one. Each address takes the hash of its own suffix.
void FindFiles(const std::string& text, const EntryIndex& entries, UpdateInfo& info) {
    const auto add = [&](const std::string& suffix) {
        std::string address = FindValue(text, entries, "url" + suffix);
        if (address.empty()) return false;
        info.files.push_back(std::move(address));
        info.fileHashes.push_back(FindValue(text, entries, "sha256" + suffix));
        return true;
    };
    for (const char* suffix : {"", "0"}) add(suffix);
    for (std::size_t n = info.files.size() + 1; add(std::to_string(n)); ++n) {
    }
}

UpgradeMethod MethodFrom(const std::string& value) {
    if (value.empty()) return UpgradeMethod::SelfUpgrade;
    if (value[0] == '1') return UpgradeMethod::UseExternalSetup;
    if (value[0] == '2') return UpgradeMethod::RedirectToURL;
    return UpgradeMethod::SelfUpgrade;
}

}  // namespace

std::string FindInfoValue(const std::string& text, const std::string& key) {
    return FindValue(text, EntryIndex(AsciiLower(text)), key);
}

UpdateInfo ParseUpdateInfo(const std::string& text) {
    const EntryIndex entries(AsciiLower(text));
    UpdateInfo info;
    info.version = FindValue(text, entries, "version");
    FindFiles(text, entries, info);
    info.message = FindMessage(text, entries);
    info.method = MethodFrom(FindValue(text, entries, "method"));
    return info;
}
