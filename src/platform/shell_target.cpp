#include "platform/shell_target.h"

#include "platform/ascii_case.h"
#include "platform/web_address.h"

namespace {

bool EndsWith(const std::string& text, const char* tail) {
    const std::string end(tail);
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool IsAbsoluteLocalPath(const std::string& path) {
    const bool drive = path.size() >= 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                       path[1] == ':' && path[2] == '\\';
    // "\\server\share": not the device namespaces "\\.\" and "\\?\".
    const bool share = path.size() >= 5 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\' && path[2] != '.';
    if (!drive && !share) return false;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (c < 32 || (c == ':' && i != 1)) return false;
        for (const char* bad = "\"*?<>|/"; *bad; ++bad) {
            if (c == static_cast<unsigned char>(*bad)) return false;
        }
    }
    return true;
}

}  // namespace

ShellTarget ClassifyShellTarget(const std::string& target) {
    if (IsWebAddress(target)) return ShellTarget::WebAddress;
    if (!IsAbsoluteLocalPath(target)) return ShellTarget::Refused;
    const std::string lower = AsciiLower(target);
    for (const char* extension : {".htm", ".html", ".chm", ".txt"}) {
        if (EndsWith(lower, extension)) return ShellTarget::Document;
    }
    return ShellTarget::Folder;
}
