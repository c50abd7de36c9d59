#include "upgrader/signed_information.h"

#include <gtest/gtest.h>


#include <cstring>
#include <string>

#include "online/update_info.h"
#include "online/version_compare.h"

namespace {

const std::string kHashA(64, 'a');
const std::string kHashB = std::string(63, 'b') + "c";

UpgradeEntry Entry(const std::string& temporary, const std::string& target, const std::string& hash) {
    UpgradeEntry entry{};
    std::strcpy(entry.temporaryName, temporary.c_str());
    std::strcpy(entry.targetName, target.c_str());
    std::strcpy(entry.sha256, hash.c_str());
    return entry;
}

bool Lists(const std::string& message, const UpgradeEntry& entry) {
    return SignedMessageLists(message.data(), static_cast<int>(message.size()), entry, "QWK_Lurkmark.exe");
}

// Each line of the list must pair the hash with the address of the same number, and the
// target with the name the program gives that download.
TEST(SignedMessageLists, PairsEachHashWithItsOwnAddressAndName) {
    const std::string message = "#version=1.3\r\n#URL1=https://up.example/prey/Lurkmark_new.exe\r\n#sha2561=" +
                                kHashA + "\r\n#url2=https://up.example/version.txt\r\n#SHA2562=" +
                                std::string(64, 'B').substr(0, 63) + "C\r\n#url=https://up.example/a.dll\r\n#sha256=" +
                                kHashB + "\r\n";
    const struct {
        UpgradeEntry entry;
        bool listed;
    } cases[] = {
        {Entry("Lurkmark_new.exe.uTMP", "QWK_Lurkmark.exe", kHashA), true},  // the program's own name
        {Entry("Lurkmark_new.exe.uTMP", "Lurkmark_new.exe", kHashA), true},
        {Entry("version.txt.uTMP", "version.txt", kHashB), true},            // hex in either case
        {Entry("a.dll.uTMP", "a.dll", kHashB), true},                        // no number
        {Entry("version.txt.uTMP", "version.txt", kHashA), false},           // another file's hash
        {Entry("Lurkmark_new.exe.uTMP", "QWK_Lurkmark.exe", kHashB), false},
        {Entry("version.txt.uTMP", "QWK_Lurkmark.exe", kHashB), false},      // only a program becomes the program
        {Entry("version.txt.uTMP", "bcrypt.dll", kHashB), false},
        {Entry("evil.exe.uTMP", "evil.exe", std::string(64, 'e')), false},
        {Entry("version.txt", "version.txt", kHashB), false},                // not a download
        {Entry("txt.uTMP", "txt", kHashB), false},                           // only part of the address's name
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Lists(message, c.entry), c.listed) << c.entry.temporaryName << " > " << c.entry.targetName;
    }
}

TEST(SplitSignedInformation, TakesTheBytesBeforeTheLastSignatureEntry) {
    const std::string signature(128, 'f');
    const struct {
        std::string text;
        int messageLength;  // -1: no signed file
    } cases[] = {
        {"#version=1\r\n#signature=" + signature + "\r\n", 12},
        {"#version=1\r\n#SIGNATURE=" + signature, 12},
        {"#signature=" + signature + "\r\n#signature=" + signature + " \r\n", 141},
        {"#version=1\r\n#signature= " + signature, -1},
        {"#version=1\r\n#signature=" + signature + "\r\n#url=x", -1},
        {"#version=1\r\n#signature=" + signature.substr(2), -1},
        {"#version=1\r\n", -1},
    };
    for (const auto& c : cases) {
        int length = -1;
        unsigned char raw[kInformationSignatureBytes];
        const bool found = SplitSignedInformation(c.text.data(), static_cast<int>(c.text.size()), &length, raw);
        EXPECT_EQ(found ? length : -1, c.messageLength) << c.text;
        if (found) EXPECT_EQ(raw[0], 0xff);
    }
}

// The upgrader reads the version the program reads (ParseUpdateInfo) and wants it newer than
// its own: an older or equal release, even one the maker signed, is refused.
TEST(OffersNewerVersion, OnlyAVersionNewerThanTheInstalledOne) {
    const struct {
        const char* message;
        const char* own;
        bool newer;
    } cases[] = {
        {"#version=1.4\r\n#url1=x", "1.3", true},
        {"#version=1.3\r\n", "1.3", false},
        {"#version=1.0\r\n", "1.3", false},
        {"#version=1.3.0.0\r\n", "1.3", false},
        {"#version=1.10\r\n", "1.9", true},
        {"#VERSION=2.0\r\n", "1.3", true},
        {"#url1=x\r\n#version=0.9\r\n#version=9.9\r\n", "1.3", false},  // the first entry counts, as for the program
        {"#ver#version=2.0\r\n", "1.3", true},
        {"#url1=x\r\n", "1.3", false},
        {"#version=\r\n", "1.3", false},
        {"#version=1.3a\r\n", "1.3", true},  // not a number: compared as text, as the program does
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OffersNewerVersion(c.message, static_cast<int>(std::strlen(c.message)), c.own), c.newer)
            << c.message << " over " << c.own;
        EXPECT_EQ(CompareVersionsByNumber(ParseUpdateInfo(c.message).version, c.own) > 0, c.newer)
            << "the program reads " << c.message << " the same way";
    }
}

}  // namespace
