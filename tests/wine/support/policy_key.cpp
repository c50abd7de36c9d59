#include "support/policy_key.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/scoped_win.h"
#include "settings/policy_key_win.h"

namespace wt {

void WritePolicyValue(const std::string& name, const std::string& value) {
    ScopedRegKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kPolicyKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, key.Receive(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>(value.size() + 1)),
              ERROR_SUCCESS);
}

void DeletePolicyKey() {
    const LONG rc = RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kPolicyKeyPath, KEY_WOW64_32KEY, 0);
    EXPECT_TRUE(rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) << rc;
}

}  // namespace wt
