#pragma once
#include <string>

// What the shell's "open" may be given. The shell runs a program it is handed, so only web
// addresses and the program's own kinds of documents and folders pass.
enum class ShellTarget {
    WebAddress,  // http:// or https:// with a checked host
    Document,    // a local or network path of a page, help file or text file
    Folder,      // any other local or network path: opened only when it is a folder
    Refused,
};

// Local paths are absolute ("X:\..." or "\\server\share\..."), with no wildcard, quote,
// redirection sign, forward slash or stream colon.
ShellTarget ClassifyShellTarget(const std::string& target);
