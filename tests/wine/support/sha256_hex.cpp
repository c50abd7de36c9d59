#include "support/sha256_hex.h"

#include <gtest/gtest.h>

#include "platform/sha256_win.h"
#include "upgrader/upgrader_input.h"

namespace wt {

std::string Sha256Hex(const std::string& bytes) {
    unsigned char digest[kSha256DigestBytes];
    char hex[65];
    EXPECT_TRUE(Sha256Of(bytes.data(), bytes.size(), digest));
    DigestToHex(digest, hex);
    return hex;
}

}  // namespace wt
