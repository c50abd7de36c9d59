#include "online/help_signature_win.h"

#include <windows.h>

#include <optional>

#include "online/help_command_win.h"
#include "online/maker_signature_win.h"
#include "online/update_signature.h"
#include "platform/text_file.h"

namespace {

std::string SignatureFileOf(const std::string& helpFile) { return helpFile + ".sig"; }

}  // namespace

bool HelpFileCarriesMakersSignature(const std::string& helpFile) {
    std::string text;
    std::string bytes;
    if (!ReadWholeFile(SignatureFileOf(helpFile), text) || !ReadWholeFile(helpFile, bytes)) return false;
    const std::optional<std::string> signature = ReadDetachedSignature(text);
    return signature && IsSignedByMaker(bytes, *signature);
}

bool KeepHelpFileIfSignedByMaker(const std::string& helpUrl, const std::string& helpFile) {
    const std::string signatureFile = SignatureFileOf(helpFile);
    if (DownloadToFile(helpUrl + ".sig", signatureFile, kHelpAgentName) && HelpFileCarriesMakersSignature(helpFile)) {
        return true;
    }
    DeleteFileA(signatureFile.c_str());
    DeleteFileA(helpFile.c_str());
    return false;
}
