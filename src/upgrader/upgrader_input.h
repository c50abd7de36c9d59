#pragma once
#include "upgrader/plain_file_name.h"

// What the upgrader reads: its command line and the list of files to apply. Plain C-style
// code without the C++ library, so that the upgrader carries no runtime of its own.
//
// Command line (after the upgrader's own path):
//     [E]{process id} "{program path}" +{restart argument}{0 or 1}
// "E" marks the copy started with elevation; the last digit 1 means an external setup.
//
// List: an optional first line "D|{folder of the downloads}" (absolute, with trailing
// backslash; without it they lie in the program's folder), then one line per file, fields
// separated by "|", lines ended by CR LF (or LF):
//     {F or S}|{SHA-256, 64 hex digits}|{temporary file name}|{target file name}
// "S" is the setup program of an external setup. Both names are plain file names in the
// program's folder.

constexpr int kUpgraderTextMax = 1024;
constexpr int kUpgraderNameMax = kPlainFileNameMax;

struct UpgraderArguments {
    unsigned long programProcessId;
    bool elevated;
    bool externalSetup;
    char programPath[kUpgraderTextMax];
    char programFolder[kUpgraderTextMax];  // with trailing backslash
    char restartArgument[kUpgraderTextMax];
};

// False when the text does not hold a program in that form.
bool ParseUpgraderCommandLine(const char* text, UpgraderArguments* out);

// The command line's part after the upgrader's own path (quoted or not); the text itself
// when it names no path.
const char* SkipProgramName(const char* commandLine);

struct UpgradeEntry {
    bool setup;
    char sha256[65];  // lower-case hex
    char temporaryName[kUpgraderNameMax + 1];
    char targetName[kUpgraderNameMax + 1];
};

enum UpgradeListLine { kListEntry, kListEnd, kListMalformed };

// Reads an optional "D|" line at *cursor into `folder` (left empty when there is none) and moves
// the cursor past it. False when the line is there but names no usable folder.
bool ReadDownloadFolder(const char** cursor, char folder[kUpgraderTextMax]);

// Reads the line at *cursor into *entry and moves the cursor past it. Empty lines are skipped.
UpgradeListLine NextUpgradeEntry(const char** cursor, UpgradeEntry* entry);

// Lower-case hex of a 32-byte digest, with its terminating zero.
void DigestToHex(const unsigned char digest[32], char hex[65]);
