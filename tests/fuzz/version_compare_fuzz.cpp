// The version order of the update check, for any two texts: the comparison is reflexive and
// antisymmetric, and an empty own version is older than any offered one.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "online/version_compare.h"

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string a = input.ConsumeRandomLengthString();
    const std::string b = input.ConsumeRemainingBytesAsString();

    FUZZ_CHECK(CompareVersionsByNumber(a, a) == 0);
    FUZZ_CHECK(CompareVersionsByNumber(b, b) == 0);
    FUZZ_CHECK(Sign(CompareVersionsByNumber(a, b)) == -Sign(CompareVersionsByNumber(b, a)));
    FUZZ_CHECK(Sign(CompareVersionsByNumber(a, "")) == (a.empty() ? 0 : 1));
    // A version of fewer than four dotted parts equals itself with ".0" added when every part
    // is a number; leading zeros do not change a number.
    if (!a.empty() && a.find_first_not_of("0123456789.") == std::string::npos && a.find("..") == std::string::npos &&
        a.front() != '.' && a.back() != '.') {
        std::size_t dots = 0;
        for (char c : a) dots += c == '.';
        if (dots < 3) FUZZ_CHECK(CompareVersionsByNumber(a + ".0", a) == 0);
        FUZZ_CHECK(CompareVersionsByNumber("0" + a, a) == 0);
    }
    return 0;
}
