#include "online/update_signature.h"

#include <gtest/gtest.h>

#include "online/update_info.h"

namespace {

const std::string kSignatureHex(128, 'a');
const std::string kSignature(kSignatureBytes, '\xaa');

TEST(SplitSignedText, TheSignedBytesAreEverythingBeforeTheLastEntry) {
    struct Case {
        std::string text;
        std::string message;
    } cases[] = {
        {"#version=1.3\r\n#signature=" + kSignatureHex + "\r\n", "#version=1.3\r\n"},
        {"#version=1.3\r\n#SIGNATURE=" + kSignatureHex, "#version=1.3\r\n"},
        {"#version=1.3\n#signature=" + kSignatureHex + " \r\n\r\n", "#version=1.3\n"},
        // An earlier entry is only signed text; the last one counts.
        {"#signature=" + kSignatureHex + "\r\n#signature=" + kSignatureHex, "#signature=" + kSignatureHex + "\r\n"},
        {"#signature=" + std::string(128, 'F'), ""},
    };
    for (const Case& c : cases) {
        const auto split = SplitSignedText(c.text);
        ASSERT_TRUE(split.has_value()) << c.text;
        EXPECT_EQ(split->message, c.message);
        EXPECT_EQ(split->signature.size(), kSignatureBytes);
    }
    EXPECT_EQ(SplitSignedText("#signature=" + kSignatureHex)->signature, kSignature);
}

TEST(SplitSignedText, UnsignedOrMalformedFilesHaveNoSignature) {
    for (const std::string text : {
             std::string("#version=1.3\r\n#url1=http://up.example/a.exe\r\n"),  // today's format
             "#version=1.3\r\n#signature=" + kSignatureHex + "\r\n#url1=http://evil.example/a.exe\r\n",
             "#signature=" + kSignatureHex.substr(2),
             "#signature=" + kSignatureHex + "00",
             "#signature= " + kSignatureHex,
             "#signature=" + kSignatureHex.substr(1) + "g",
             std::string("#signature="),
             std::string(""),
         }) {
        EXPECT_FALSE(SplitSignedText(text).has_value()) << text;
    }
}

TEST(ReadDetachedSignature, TheHexAloneWithBlanksAround) {
    EXPECT_EQ(ReadDetachedSignature(kSignatureHex + "\r\n"), kSignature);
    EXPECT_EQ(ReadDetachedSignature("  " + kSignatureHex), kSignature);
    EXPECT_FALSE(ReadDetachedSignature("#signature=" + kSignatureHex).has_value());
    EXPECT_FALSE(ReadDetachedSignature(kSignatureHex + "x").has_value());
    EXPECT_FALSE(ReadDetachedSignature("").has_value());
}

TEST(Sha256Matches, OnlyTheExactDigestInEitherCase) {
    const std::string digest(kSha256Bytes, '\x5c');
    std::string lower;
    for (std::size_t i = 0; i < kSha256Bytes; ++i) lower += "5c";
    const std::string mixed = "5C" + lower.substr(2);
    EXPECT_TRUE(Sha256Matches(lower, digest));
    EXPECT_TRUE(Sha256Matches(mixed, digest));
    EXPECT_FALSE(Sha256Matches(std::string(64, 'c'), digest));
    EXPECT_FALSE(Sha256Matches("", digest));
    EXPECT_FALSE(Sha256Matches(lower.substr(2), digest));
    EXPECT_FALSE(Sha256Matches(lower, digest.substr(1)));
}

TEST(ParseUpdateInfo, EachAddressTakesTheHashOfItsOwnKey) {
    const UpdateInfo info = ParseUpdateInfo(
        "#url=http://a\r\n#SHA256=aa\r\n#url0=http://b\r\n#url3=http://c\r\n#sha2563=cc\r\n#sha25630=zz\r\n"
        "#url4=http://d\r\n#sha2564=dd\r\n#sha2560=bb\r\n");
    EXPECT_EQ(info.files, (std::vector<std::string>{"http://a", "http://b", "http://c", "http://d"}));
    EXPECT_EQ(info.fileHashes, (std::vector<std::string>{"aa", "bb", "cc", "dd"}));
    const UpdateInfo missing = ParseUpdateInfo("#url1=http://a\r\n#url2=http://b\r\n#sha2562=bb");
    EXPECT_EQ(missing.fileHashes, (std::vector<std::string>{"", "bb"}));
}

}  // namespace
