#include "online/help_signature_win.h"

#include <windows.h>

#include <optional>

#include "online/download_to_file_win.h"
#include "online/maker_signature_win.h"
#include "online/update_signature.h"
#include "platform/text_file.h"

namespace {

std::string SignatureFileOf(const std::string& helpFile) { return helpFile + ".sig"; }

// The file's bytes as read for the check, when the maker signed them.
std::optional<std::string> SignedHelpBytes(const std::string& helpFile) {
    std::string text;
    std::string bytes;
    if (!ReadWholeFile(SignatureFileOf(helpFile), text) || !ReadWholeFile(helpFile, bytes)) return std::nullopt;
    const std::optional<std::string> signature = ReadDetachedSignature(text);
    if (!signature || !IsSignedByMaker(bytes, *signature)) return std::nullopt;
    return bytes;
}

}  // namespace

bool HelpFileCarriesMakersSignature(const std::string& helpFile) { return SignedHelpBytes(helpFile).has_value(); }

bool CopyHelpFileIfSignedByMaker(const std::string& helpFile, const std::string& copyPath) {
    const std::optional<std::string> bytes = SignedHelpBytes(helpFile);
    if (!bytes) return false;
    std::string present;
    if (ReadWholeFile(copyPath, present) && present == *bytes) return true;
    WriteWholeFile(copyPath, *bytes);
    return true;
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
