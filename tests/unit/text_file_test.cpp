#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string TempPath(const char* name) {
    return ::testing::TempDir() + "lurk_text_file_" + name;
}

// Every byte value, CR LF, a lone LF and NUL come back exactly as written: no text-mode
// translation on either side, and whatever the string held before is replaced.
TEST(TextFile, BytesComeBackExactly) {
    std::string all;
    for (int value = 0; value < 256; ++value) all += static_cast<char>(value);
    const std::string path = TempPath("bytes");
    for (const std::string& bytes : {all + "\r\n\n\r" + std::string(10000, '\xD7'), std::string()}) {
        WriteWholeFile(path, bytes);
        std::string read = "earlier content";
        ASSERT_TRUE(ReadWholeFile(path, read));
        EXPECT_EQ(read, bytes);
    }
    std::remove(path.c_str());
}

TEST(TextFile, MissingFilesAndFoldersAreReported) {
    std::string read;
    EXPECT_FALSE(ReadWholeFile(TempPath("never_written"), read));
    try {
        WriteWholeFile("/nonexistent-folder/file.txt", "x");
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("/nonexistent-folder/file.txt"), std::string::npos) << error.what();
    }
}

// A limit reads a file of exactly that size and refuses one byte more, leaving nothing behind.
TEST(TextFile, BoundedReadRefusesLargerFiles) {
    const std::string path = TempPath("bounded");
    WriteWholeFile(path, std::string(4096 + 10, 'x'));
    const struct {
        unsigned long long limit;
        BoundedRead result;
        std::size_t size;
    } cases[] = {{4106, BoundedRead::Read, 4106}, {4105, BoundedRead::TooLarge, 0}, {0, BoundedRead::TooLarge, 0}};
    for (const auto& c : cases) {
        std::string read = "earlier content";
        EXPECT_EQ(ReadFileUpTo(path, c.limit, read), c.result) << c.limit;
        EXPECT_EQ(read.size(), c.size) << c.limit;
    }
    std::remove(path.c_str());
    std::string read = "earlier content";
    EXPECT_EQ(ReadFileUpTo(path, 100, read), BoundedRead::NotRead);
    EXPECT_TRUE(read.empty());
}

}  // namespace
