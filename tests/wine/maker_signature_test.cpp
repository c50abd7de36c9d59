// Windows' own cryptography as the program uses it: SHA-256 of data and files, the maker's
// signature checked with the key built in, and which key each build of the program carries.
#include <gtest/gtest.h>

#include <string>

#include "platform/maker_public_key.h"
#include "online/maker_signature_win.h"
#include "online/update_signature.h"
#include "platform/sha256_win.h"
#include "support/wine_test_support.h"
#include "upgrader/upgrader_input.h"

namespace {

std::string Hex(const std::string& bytes) {
    std::string hex;
    for (unsigned char c : bytes) {
        hex += "0123456789abcdef"[c >> 4];
        hex += "0123456789abcdef"[c & 15];
    }
    return hex;
}

// Published test vectors of SHA-256.
TEST(Sha256, KnownDigestsOfDataAndFiles) {
    wt::TempFolder folder("sha256");
    const std::string million(1000000, 'a');
    struct Case {
        std::string data;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {million, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const Case& c : cases) {
        unsigned char digest[kSha256DigestBytes];
        char hex[65];
        ASSERT_TRUE(Sha256Of(c.data.data(), c.data.size(), digest));
        DigestToHex(digest, hex);
        EXPECT_STREQ(hex, c.digest) << c.data.size();
        wt::WriteFileBytes(folder.Path() + "f", c.data);
        const auto file = FileSha256(folder.Path() + "f");
        ASSERT_TRUE(file.has_value());
        EXPECT_EQ(Hex(*file), c.digest) << c.data.size();
    }
    EXPECT_FALSE(FileSha256(folder.Path() + "missing").has_value());
}

// Made with server/sign_update.py and the tests' private key.
constexpr char kMessage[] = "Lurkmark update check";
constexpr char kSignature[] =
    "24d8a2ec8378246c7e0399611772c92c04a68adf113a9b4ec7a8f22cd60f0af75c7bec30125eed77d8cd305e5ee8b6f1ffe1c6676d5f0d855"
    "100321600f908e0";

TEST(MakerSignature, OnlyTheExactBytesUnderTheExactSignature) {
    const std::string signature = *DecodeHex(kSignature, kSignatureBytes);
    EXPECT_TRUE(IsSignedByMaker(kMessage, signature));
    EXPECT_FALSE(IsSignedByMaker(std::string(kMessage) + " ", signature));
    EXPECT_FALSE(IsSignedByMaker("Lurkmark update checK", signature));
    for (std::size_t bit : {0u, 255u, 256u, 511u}) {
        std::string flipped = signature;
        flipped[bit / 8] = static_cast<char>(flipped[bit / 8] ^ (1 << (bit % 8)));
        EXPECT_FALSE(IsSignedByMaker(kMessage, flipped)) << bit;
    }
    EXPECT_FALSE(IsSignedByMaker(kMessage, signature.substr(1)));
    EXPECT_FALSE(IsSignedByMaker(kMessage, std::string(kSignatureBytes, '\0')));
}

// The tests' key reaches the test build alone: the release program (the one packaged) must
// not accept what the tests sign.
TEST(MakerSignature, OnlyTheTestBuildCarriesTheTestKey) {
    const std::string testKey(reinterpret_cast<const char*>(kMakerPublicKey), sizeof kMakerPublicKey);
    const std::string release = wt::ReadFileBytes(wt::Env("LURK_BIN_DIR") + "\\QWK_Lurkmark.exe");
    const std::string testBuild = wt::ReadFileBytes(wt::Env("LURK_BIN_DIR") + "\\..\\test-program\\QWK_Lurkmark.exe");
    EXPECT_EQ(release.find(testKey), std::string::npos);
    EXPECT_NE(testBuild.find(testKey), std::string::npos);
}

}  // namespace
