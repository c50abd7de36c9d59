#include "upgrader/signed_information.h"

#include "upgrader/version_order.h"

namespace {

const char* const kSignatureEntry = "#signature=";
const int kSignatureEntryLength = 11;
const char* const kTemporarySuffix = ".uTMP";

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

int Length(const char* text) {
    int n = 0;
    while (text[n]) ++n;
    return n;
}

// The word at text[at] without regard to case (the word is lower case).
bool WordAt(const char* text, int length, int at, const char* word) {
    for (int i = 0; word[i]; ++i) {
        if (at + i >= length || Lower(text[at + i]) != word[i]) return false;
    }
    return true;
}

bool SameBytes(const char* a, const char* b, int n) {
    for (int i = 0; i < n; ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}

// An entry's value runs from after "=" to the first character below 32.
int ValueEnd(const char* text, int length, int start) {
    while (start < length && static_cast<unsigned char>(text[start]) >= 32) ++start;
    return start;
}

// The first "#url{suffix}=" entry: the start of its value, or -1.
int UrlValue(const char* message, int length, const char* suffix, int suffixLength) {
    for (int at = 0; at + 4 + suffixLength < length; ++at) {
        if (WordAt(message, length, at, "#url") && SameBytes(message + at + 4, suffix, suffixLength) &&
            message[at + 4 + suffixLength] == '=') {
            return at + 5 + suffixLength;
        }
    }
    return -1;
}

bool EndsWithExe(const char* start, const char* end) {
    return end - start >= 3 && Lower(end[-3]) == 'e' && Lower(end[-2]) == 'x' && Lower(end[-1]) == 'e';
}

}  // namespace

bool SplitSignedInformation(const char* text, int length, int* messageLength,
                            unsigned char signature[kInformationSignatureBytes]) {
    int entry = -1;
    for (int at = length - kSignatureEntryLength; at >= 0; --at) {
        if (WordAt(text, length, at, kSignatureEntry)) {
            entry = at;
            break;
        }
    }
    if (entry < 0) return false;
    int start = entry + kSignatureEntryLength;
    int end = length;
    while (end > start && IsBlank(text[end - 1])) --end;
    if (end - start != 2 * kInformationSignatureBytes) return false;
    for (int i = 0; i < kInformationSignatureBytes; ++i) {
        const int high = HexValue(text[start + 2 * i]);
        const int low = HexValue(text[start + 2 * i + 1]);
        if (high < 0 || low < 0) return false;
        signature[i] = static_cast<unsigned char>(high * 16 + low);
    }
    *messageLength = entry;
    return true;
}

bool SignedMessageLists(const char* message, int length, const UpgradeEntry& entry, const char* programFileName) {
    const int nameLength = Length(entry.temporaryName) - Length(kTemporarySuffix);
    if (nameLength <= 0 || !SameBytes(entry.temporaryName + nameLength, kTemporarySuffix, Length(kTemporarySuffix))) {
        return false;
    }
    const bool keepsName = Length(entry.targetName) == nameLength && SameBytes(entry.targetName, entry.temporaryName, nameLength);
    const bool becomesProgram = SameBytes(entry.targetName, programFileName, Length(programFileName) + 1) &&
                                EndsWithExe(entry.temporaryName, entry.temporaryName + nameLength);
    if (!keepsName && !becomesProgram) return false;
    for (int at = 0; at + 7 < length; ++at) {
        if (!WordAt(message, length, at, "#sha256")) continue;
        const char* suffix = message + at + 7;
        int suffixLength = 0;
        while (at + 7 + suffixLength < length && suffix[suffixLength] >= '0' && suffix[suffixLength] <= '9') ++suffixLength;
        const int value = at + 8 + suffixLength;
        if (value - 1 >= length || message[value - 1] != '=' || ValueEnd(message, length, value) - value != 64) continue;
        bool sameHash = true;
        for (int i = 0; i < 64 && sameHash; ++i) sameHash = Lower(message[value + i]) == entry.sha256[i];
        if (!sameHash) continue;
        const int url = UrlValue(message, length, suffix, suffixLength);
        if (url < 0) continue;
        const int urlEnd = ValueEnd(message, length, url);
        const int nameStart = urlEnd - nameLength;
        if (nameStart - 1 >= url && message[nameStart - 1] == '/' &&
            SameBytes(message + nameStart, entry.temporaryName, nameLength)) {
            return true;
        }
    }
    return false;
}

bool OffersNewerVersion(const char* message, int length, const char* ownVersion) {
    for (int at = 0; at < length; ++at) {
        if (message[at] != '#' || !WordAt(message, length, at + 1, "version=")) continue;
        const int value = at + 9;
        return CompareVersionTexts(message + value, ValueEnd(message, length, value) - value, ownVersion,
                                   Length(ownVersion)) > 0;
    }
    return false;
}
