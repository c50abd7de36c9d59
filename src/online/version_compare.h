#pragma once
#include <string>

// Compares an offered version with the program's own, by number: up to four dotted parts,
// a missing part counting as 0 (1.1 equals 1.1.0). When a part is not a decimal number
// (an empty part included) the two whole texts are compared character by character.
// Negative: offered is older; zero: equal; positive: offered is newer.
int CompareVersionsByNumber(const std::string& offered, const std::string& own);
