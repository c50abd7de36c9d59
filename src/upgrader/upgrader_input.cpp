#include "upgrader/upgrader_input.h"

#include "upgrader/plain_file_name.h"

namespace {

bool CopyText(char* target, int capacity, const char* start, const char* end) {
    if (end - start >= capacity) return false;
    int i = 0;
    for (const char* p = start; p < end; ++p) target[i++] = *p;
    target[i] = '\0';
    return true;
}

int Length(const char* text) {
    int n = 0;
    while (text[n]) ++n;
    return n;
}

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

char LowerHex(char c) { return c >= 'A' && c <= 'F' ? static_cast<char>(c - 'A' + 'a') : c; }

const char* FindChar(const char* start, const char* end, char c) {
    while (start < end && *start != c) ++start;
    return start;
}

}  // namespace

const char* SkipProgramName(const char* commandLine) {
    const char* p = commandLine;
    while (*p == ' ' || *p == '\t') ++p;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

bool ParseUpgraderCommandLine(const char* text, UpgraderArguments* out) {
    const char* p = text;
    while (*p == ' ') ++p;
    out->elevated = *p == 'E';
    if (out->elevated) ++p;
    if (*p < '0' || *p > '9') return false;
    unsigned long id = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (id > 400000000ul) return false;
        id = id * 10 + static_cast<unsigned long>(*p - '0');
    }
    out->programProcessId = id;
    while (*p == ' ') ++p;
    if (*p != '"') return false;
    const char* pathStart = ++p;
    while (*p && *p != '"') ++p;
    if (*p != '"' || !CopyText(out->programPath, kUpgraderTextMax, pathStart, p)) return false;
    const char* lastSlash = nullptr;
    for (const char* s = pathStart; s < p; ++s) {
        if (*s == '\\') lastSlash = s;
    }
    if (!lastSlash || lastSlash + 1 == p || !CopyText(out->programFolder, kUpgraderTextMax, pathStart, lastSlash + 1)) {
        return false;
    }
    ++p;
    if (p[0] != ' ' || p[1] != '+') return false;
    p += 2;
    const int rest = Length(p);
    if (rest < 1 || (p[rest - 1] != '0' && p[rest - 1] != '1')) return false;
    out->externalSetup = p[rest - 1] == '1';
    return CopyText(out->restartArgument, kUpgraderTextMax, p, p + rest - 1);
}

bool ReadDownloadFolder(const char** cursor, char folder[kUpgraderTextMax]) {
    folder[0] = '\0';
    const char* p = *cursor;
    while (*p == '\r' || *p == '\n') ++p;
    if (p[0] != 'D' || p[1] != '|') return true;
    const char* start = p + 2;
    const char* end = start;
    while (*end && *end != '\r' && *end != '\n') ++end;
    *cursor = end;
    // "X:\..." or "\\server\...", ending in a backslash, no way up and nothing odd.
    const bool drive = end - start >= 3 && start[1] == ':' && start[2] == '\\';
    const bool share = end - start >= 3 && start[0] == '\\' && start[1] == '\\';
    if ((!drive && !share) || end[-1] != '\\') return false;
    for (const char* q = start; q < end; ++q) {
        const unsigned char c = static_cast<unsigned char>(*q);
        if (c < 32 || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|') return false;
        if (q[0] == '.' && q + 1 < end && q[1] == '.') return false;
    }
    return CopyText(folder, kUpgraderTextMax, start, end);
}

UpgradeListLine NextUpgradeEntry(const char** cursor, UpgradeEntry* entry) {
    const char* p = *cursor;
    while (*p == '\r' || *p == '\n') ++p;
    if (!*p) {
        *cursor = p;
        return kListEnd;
    }
    const char* end = p;
    while (*end && *end != '\r' && *end != '\n') ++end;
    *cursor = end;

    if (end - p < 2 || (p[0] != 'F' && p[0] != 'S') || p[1] != '|') return kListMalformed;
    entry->setup = p[0] == 'S';
    const char* field = p + 2;
    for (int i = 0; i < 64; ++i) {
        if (field + i >= end || !IsHex(field[i])) return kListMalformed;
        entry->sha256[i] = LowerHex(field[i]);
    }
    entry->sha256[64] = '\0';
    field += 64;
    if (field >= end || *field != '|') return kListMalformed;
    ++field;
    const char* bar = FindChar(field, end, '|');
    if (bar == end || !IsPlainFileName(field, bar) || !IsPlainFileName(bar + 1, end)) return kListMalformed;
    CopyText(entry->temporaryName, kUpgraderNameMax + 1, field, bar);
    CopyText(entry->targetName, kUpgraderNameMax + 1, bar + 1, end);
    return kListEntry;
}

void DigestToHex(const unsigned char digest[32], char hex[65]) {
    const char* digits = "0123456789abcdef";
    for (int i = 0; i < 32; ++i) {
        hex[2 * i] = digits[digest[i] >> 4];
        hex[2 * i + 1] = digits[digest[i] & 15];
    }
    hex[64] = '\0';
}
