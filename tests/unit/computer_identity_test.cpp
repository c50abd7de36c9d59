#include "sysinfo/computer_identity.h"

#include <gtest/gtest.h>

namespace {

// The registry value is untrusted: only the GUID's own form names the PC in the data files.
TEST(CheckedMachineGuid, KeepsOnlyTheGuidForm) {
    const struct {
        const char* value;
        const char* kept;
    } cases[] = {
        {"6f0f3e1c-96b7-4b8e-9d0a-3c2b1a0f9e8d", "6f0f3e1c-96b7-4b8e-9d0a-3c2b1a0f9e8d"},
        {"6F0F3E1C-96B7-4B8E-9D0A-3C2B1A0F9E8D", "6f0f3e1c-96b7-4b8e-9d0a-3c2b1a0f9e8d"},
        {"{6f0f3e1c-96b7-4b8e-9d0a-3c2b1a0f9e8d}", ""},
        {"6f0f3e1c-96b7-4b8e-9d0a-3c2b1a0f9e8", ""},
        {"6f0f3e1c-96b7-4b8e-9d0a-3c2b1a0f9e8g", ""},
        {"6f0f3e1c96b7-4b8e-9d0a--3c2b1a0f9e8d", ""},
        {"\"><script>1</script>-0000-0000-00000", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckedMachineGuid(c.value), c.kept) << c.value;
}

}  // namespace
