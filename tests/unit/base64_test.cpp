#include "settings/base64.h"

#include <gtest/gtest.h>

namespace {

TEST(Base64Mime, EncodesWithPaddingAndRoundTrips) {
    struct Case {
        std::string plain, encoded;
    } cases[] = {
        {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="},
        {"geheim\xE9\xFF", "Z2VoZWlt6f8="},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeBase64Mime(c.plain), c.encoded);
        EXPECT_EQ(DecodeBase64Mime(c.encoded), c.plain);
    }
}

TEST(Base64Mime, BreaksLinesAfterEvery76CharactersButNotAfterTheLast) {
    const std::string p57(57, 'a');
    const std::string p58(58, 'a');
    const std::string e57 = EncodeBase64Mime(p57);
    const std::string e58 = EncodeBase64Mime(p58);
    EXPECT_EQ(e57.size(), 76u);
    EXPECT_EQ(e57.find('\r'), std::string::npos);
    ASSERT_EQ(e58.size(), 76u + 2 + 4);
    EXPECT_EQ(e58.substr(76, 2), "\r\n");
    EXPECT_EQ(e58.substr(78), "YQ==");
    EXPECT_EQ(DecodeBase64Mime(e57), p57);
    EXPECT_EQ(DecodeBase64Mime(e58), p58);
    EXPECT_EQ(EncodeBase64Mime(std::string(114, 'a')).find("\r\n", 78), std::string::npos);
}

TEST(Base64Mime, DecodingSkipsStrayCharactersAndShortTails) {
    EXPECT_EQ(DecodeBase64Mime("Zm9v\r\nYg"), "foob");
    EXPECT_EQ(DecodeBase64Mime("Z m*9v#Y=g=="), "foob");
    EXPECT_EQ(DecodeBase64Mime("Zm9vY"), "foo");  // a lone left-over character yields nothing
    EXPECT_EQ(DecodeBase64Mime("Zm9"), "fo");
    EXPECT_EQ(DecodeBase64Mime("!!!"), "");
}

}  // namespace
