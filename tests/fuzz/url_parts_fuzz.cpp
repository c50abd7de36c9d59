// Addresses from the update information file or the settings, whatever they hold: the parts
// the transfer worker uses, the host the messages name and the temporary file a download
// becomes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "online/download_address.h"
#include "online/url_parts.h"

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

const std::string kProgramFolder = "C:\\Program Files\\Lurkmark\\";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string address(reinterpret_cast<const char*>(data), size);

    UrlParts parts;
    if (SplitUrl(address, parts)) {
        FUZZ_CHECK(!parts.host.empty() && parts.host.find_first_of("/?#@") == std::string::npos);
        FUZZ_CHECK(Contains(address, parts.host));
        FUZZ_CHECK(parts.port >= 1 && parts.port <= 65535);
        FUZZ_CHECK(parts.userName.find(':') == std::string::npos);
        FUZZ_CHECK(!parts.path.empty() && parts.path[0] == '/' && parts.path.find_first_of("?#") == std::string::npos);
        FUZZ_CHECK(parts.extra.empty() || parts.extra[0] == '?' || parts.extra[0] == '#');
        FUZZ_CHECK(EndsWith(address, parts.path + parts.extra) || (parts.path == "/" && EndsWith(address, parts.extra)));
        UrlParts again;
        FUZZ_CHECK(SplitUrl(WithHttpScheme(address), again) && again.host == parts.host && again.port == parts.port &&
                   again.path == parts.path && again.extra == parts.extra);
    }

    // A download is only ever written directly inside the program's folder.
    const auto temporary = TemporaryFileFor(kProgramFolder, address);
    if (temporary) {
        const std::string name = LastSegment(address);
        FUZZ_CHECK(*temporary == kProgramFolder + name + ".uTMP" && temporary->size() <= 259);
        FUZZ_CHECK(!name.empty() && name.find_first_of("\\/:") == std::string::npos && !Contains(name, ".."));
        FUZZ_CHECK(name.back() != '.' && name.back() != ' ');
    }
    const std::string title = ApplicationTitle(address);
    FUZZ_CHECK(title.find_first_of("\\/") == std::string::npos && Contains(address, title));
    return 0;
}
