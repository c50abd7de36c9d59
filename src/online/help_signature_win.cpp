#include "online/help_signature_win.h"

#include <windows.h>

#include "online/help_command_win.h"
#include "online/maker_signature_win.h"
#include "online/update_signature.h"
#include "platform/text_file.h"

namespace {

// The detached signature's bytes; nothing when it cannot be fetched or read.
std::optional<std::string> FetchSignature(const std::string& helpUrl, const std::string& helpFile) {
    const std::string path = helpFile + ".sig";
    std::string text;
    const bool fetched = DownloadToFile(helpUrl + ".sig", path, kHelpAgentName) && ReadWholeFile(path, text);
    DeleteFileA(path.c_str());
    return fetched ? ReadDetachedSignature(text) : std::nullopt;
}

}  // namespace

bool KeepHelpFileIfSignedByMaker(const std::string& helpUrl, const std::string& helpFile) {
    const auto signature = FetchSignature(helpUrl, helpFile);
    std::string bytes;
    if (signature && ReadWholeFile(helpFile, bytes) && IsSignedByMaker(bytes, *signature)) return true;
    DeleteFileA(helpFile.c_str());
    return false;
}
