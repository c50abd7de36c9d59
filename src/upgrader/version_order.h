#pragma once
// The order of two version texts, shared by the update check and the elevated upgrader (plain
// C-style code without the C++ library, which the upgrader does not carry): up to four dotted
// parts compared by number, a missing part counting as 0 (1.1 equals 1.1.0). When a part is
// not a decimal number (an empty part included) the two whole texts are compared byte by byte.
// Negative: offered is older; zero: equal; positive: offered is newer.
int CompareVersionTexts(const char* offered, int offeredLength, const char* own, int ownLength);

// The version of the program this build belongs to (the project's version).
extern const char kProgramVersion[];
