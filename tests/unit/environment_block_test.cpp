#include "platform/environment_block.h"

#include <gtest/gtest.h>

namespace {

std::string Block(std::initializer_list<const char*> entries) {
    std::string block;
    for (const char* e : entries) block += std::string(e) + '\0';
    return block + '\0';
}

TEST(EnvironmentBlockWith, SetsTheVariableSortedAndReplacesOneOfAnyCase) {
    struct Case {
        const char* what;
        std::string current;
        std::string expected;
    };
    const Case cases[] = {
        {"added among the others, in name order without regard to case",
         Block({"=C:=C:\\Games", "ComSpec=C:\\windows\\system32\\cmd.exe", "PATH=C:\\windows", "windir=C:\\windows"}),
         Block({"=C:=C:\\Games", "ComSpec=C:\\windows\\system32\\cmd.exe", "LURK_FRAME_CAPTURE=C:\\W\\f.bin",
                "PATH=C:\\windows", "windir=C:\\windows"})},
        {"one of the same name in other case gives way, a longer name stays",
         Block({"Lurk_Frame_Capture=old", "LURK_FRAME_CAPTURE_X=keep", "TEMP=C:\\t"}),
         Block({"LURK_FRAME_CAPTURE=C:\\W\\f.bin", "LURK_FRAME_CAPTURE_X=keep", "TEMP=C:\\t"})},
        {"an empty environment", std::string(2, '\0'), Block({"LURK_FRAME_CAPTURE=C:\\W\\f.bin"})},
        {"a value holding '=' is no name", Block({"A=x=LURK_FRAME_CAPTURE", "Z=1"}),
         Block({"A=x=LURK_FRAME_CAPTURE", "LURK_FRAME_CAPTURE=C:\\W\\f.bin", "Z=1"})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EnvironmentBlockWith(c.current, {{"LURK_FRAME_CAPTURE", "C:\\W\\f.bin"}}), c.expected) << c.what;
    }
}

TEST(EnvironmentBlockWith, NothingAddedKeepsTheBlockAndEndsEvenAnEmptyOneWithTwoZeros) {
    const std::string block = Block({"A=1", "b=2"});
    EXPECT_EQ(EnvironmentBlockWith(block, {}), block);
    EXPECT_EQ(EnvironmentBlockWith(std::string(2, '\0'), {}), std::string(2, '\0'));
}

}  // namespace
