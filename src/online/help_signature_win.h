#pragma once
#include <string>

// The agent name the help file and its signature are fetched with.
constexpr const char* kHelpAgentName = "help.chm";

// A compiled help file can run code, so a downloaded one is kept only when the maker signed its
// exact bytes: the detached signature "{address}.sig" (the signature in hex) is fetched from
// beside it and checked with the key built into the program. Otherwise the file is deleted,
// just as after a failed download. Returns whether the file was kept. The signature stays
// beside the kept file as "{file}.sig", so that a copy in a folder every account may write can
// be checked again before it is opened.
bool KeepHelpFileIfSignedByMaker(const std::string& helpUrl, const std::string& helpFile);

// True when helpFile + ".sig" holds the maker's signature of the file's exact bytes.
bool HelpFileCarriesMakersSignature(const std::string& helpFile);

// Reads helpFile and its kept signature once and checks the maker's signature over the bytes
// read; only those bytes are then put at copyPath (a file already holding them is left as it
// is, since a help viewer may still have it open). So a file another account swaps in after
// the check is never the one opened. True when copyPath holds the signed bytes.
bool CopyHelpFileIfSignedByMaker(const std::string& helpFile, const std::string& copyPath);
