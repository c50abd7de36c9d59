#include "app/debug_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

std::string TempDir() {
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp ? tmp : "/tmp") + "/";
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(DebugLog, SavesEveryLineWithCrLfReplacingTheFile) {
    const std::string dir = TempDir() + "lurk_debuglog_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_";
    DebugLog log;
    log.Add("START");
    log.Add("");
    log.Add("Resolution: 1024 \xD7 768...");
    log.Save(dir);
    EXPECT_EQ(Slurp(dir + "debug.txt"), "START\r\n\r\nResolution: 1024 \xD7 768...\r\n");
    log.Clear();
    log.Add("x");
    log.Save(dir);
    EXPECT_EQ(Slurp(dir + "debug.txt"), "x\r\n");
    std::remove((dir + "debug.txt").c_str());
}

TEST(DebugLog, WriteFailureReachesTheCaller) {
    DebugLog log;
    log.Add("x");
    EXPECT_THROW(log.Save("/nonexistent-folder/"), std::runtime_error);
}

}  // namespace
