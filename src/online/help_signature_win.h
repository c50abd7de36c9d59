#pragma once
#include <string>

// A compiled help file can run code, so a downloaded one is kept only when the maker signed its
// exact bytes: the detached signature "{address}.sig" (the signature in hex) is fetched from
// beside it and checked with the key built into the program. Otherwise the file is deleted,
// just as after a failed download. Returns whether the file was kept. The signature stays
// beside the kept file as "{file}.sig", so that a copy in a folder every account may write can
// be checked again before it is opened.
bool KeepHelpFileIfSignedByMaker(const std::string& helpUrl, const std::string& helpFile);

// True when helpFile + ".sig" holds the maker's signature of the file's exact bytes.
bool HelpFileCarriesMakersSignature(const std::string& helpFile);
