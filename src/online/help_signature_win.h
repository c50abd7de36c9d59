#pragma once
#include <string>

// A compiled help file can run code, so a downloaded one is kept only when the maker signed its
// exact bytes: the detached signature "{address}.sig" (the signature in hex) is fetched from
// beside it and checked with the key built into the program. Otherwise the file is deleted,
// just as after a failed download. Returns whether the file was kept.
bool KeepHelpFileIfSignedByMaker(const std::string& helpUrl, const std::string& helpFile);
