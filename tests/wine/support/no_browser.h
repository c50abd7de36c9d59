#pragma once
// Wine hands web addresses to a Linux browser: while this lives, that browser is a command that
// does nothing, so that a test may let the program open its home page.
#include <windows.h>

#include <gtest/gtest.h>

namespace wt {

class NoBrowser {
public:
    NoBrowser() {
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
        static const char kNone[] = "/bin/true";
        EXPECT_EQ(RegSetValueExA(key_, "Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(kNone), sizeof kNone),
                  ERROR_SUCCESS);
    }
    ~NoBrowser() {
        RegDeleteValueA(key_, "Browsers");
        RegCloseKey(key_);
    }
    NoBrowser(const NoBrowser&) = delete;
    NoBrowser& operator=(const NoBrowser&) = delete;

private:
    HKEY key_ = nullptr;
};

}  // namespace wt
