#include "upgrader/version_order.h"

const char kProgramVersion[] = LURK_PROGRAM_VERSION;

namespace {

const int kVersionParts = 4;

struct Part {
    const char* start;
    int length;
};

void SplitVersion(const char* text, int length, Part parts[kVersionParts]) {
    for (int i = 0; i < kVersionParts; ++i) parts[i] = Part{"0", 1};
    int from = 0;
    for (int i = 0; i < kVersionParts && from <= length; ++i) {
        int dot = from;
        while (dot < length && text[dot] != '.') ++dot;
        parts[i] = Part{text + from, dot - from};
        from = dot + 1;
    }
}

bool IsDecimal(const Part& part) {
    if (part.length == 0) return false;
    for (int i = 0; i < part.length; ++i) {
        if (part.start[i] < '0' || part.start[i] > '9') return false;
    }
    return true;
}

// Numeric order of two digit strings of any length, so a long part cannot overflow.
int CompareDecimals(Part a, Part b) {
    while (a.length > 0 && *a.start == '0') ++a.start, --a.length;
    while (b.length > 0 && *b.start == '0') ++b.start, --b.length;
    if (a.length != b.length) return a.length < b.length ? -1 : 1;
    for (int i = 0; i < a.length; ++i) {
        if (a.start[i] != b.start[i]) return a.start[i] < b.start[i] ? -1 : 1;
    }
    return 0;
}

// Character codes as unsigned bytes; a text that begins the other is the smaller.
int CompareTexts(const char* a, int aLength, const char* b, int bLength) {
    const int n = aLength < bLength ? aLength : bLength;
    for (int i = 0; i < n; ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]);
        const unsigned char y = static_cast<unsigned char>(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (aLength == bLength) return 0;
    return aLength < bLength ? -1 : 1;
}

}  // namespace

int CompareVersionTexts(const char* offered, int offeredLength, const char* own, int ownLength) {
    Part a[kVersionParts];
    Part b[kVersionParts];
    SplitVersion(offered, offeredLength, a);
    SplitVersion(own, ownLength, b);
    for (int i = 0; i < kVersionParts; ++i) {
        if (!IsDecimal(a[i]) || !IsDecimal(b[i])) return CompareTexts(offered, offeredLength, own, ownLength);
    }
    for (int i = 0; i < kVersionParts; ++i) {
        const int order = CompareDecimals(a[i], b[i]);
        if (order != 0) return order;
    }
    return 0;
}
