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

}  // namespace
