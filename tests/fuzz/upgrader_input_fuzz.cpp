// What the upgrader reads, whatever it holds: the command line and the list of files. Every
// file it would touch is a plain name (no folder, no way up), every hash 64 lower-case hex
// digits, the download folder absolute, and the program's folder the start of its path.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "upgrader/upgrader_input.h"

namespace {

bool PlainName(const char* name) {
    if (!*name || std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) return false;
    for (const char* p = name; *p; ++p) {
        if (static_cast<unsigned char>(*p) < 32 || std::strchr("\\/:*?\"<>|", *p)) return false;
    }
    return true;
}

bool LowerHex(const char* hash) {
    for (int i = 0; i < 64; ++i) {
        if (!std::strchr("0123456789abcdef", hash[i]) || hash[i] == '\0') return false;
    }
    return hash[64] == '\0';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);  // stops at a zero byte below

    UpgraderArguments args;
    if (ParseUpgraderCommandLine(SkipProgramName(text.c_str()), &args)) {
        const std::size_t folder = std::strlen(args.programFolder);
        FUZZ_CHECK(folder > 0 && args.programFolder[folder - 1] == '\\');
        FUZZ_CHECK(std::strncmp(args.programPath, args.programFolder, folder) == 0);
        FUZZ_CHECK(std::strlen(args.programPath) > folder);
    }

    const char* cursor = text.c_str();
    char downloads[kUpgraderTextMax];
    if (!ReadDownloadFolder(&cursor, downloads)) return 0;
    if (downloads[0]) {
        const std::size_t n = std::strlen(downloads);
        FUZZ_CHECK(downloads[n - 1] == '\\' && std::strstr(downloads, "..") == nullptr);
        FUZZ_CHECK((downloads[1] == ':' && downloads[2] == '\\') || (downloads[0] == '\\' && downloads[1] == '\\'));
    }
    UpgradeEntry entry;
    for (UpgradeListLine line; (line = NextUpgradeEntry(&cursor, &entry)) == kListEntry;) {
        FUZZ_CHECK(PlainName(entry.temporaryName) && PlainName(entry.targetName));
        FUZZ_CHECK(LowerHex(entry.sha256));
    }
    return 0;
}
