#include "online/update_command.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(ReadDecimalInteger, SignAndDigitsOnly) {
    EXPECT_EQ(ReadDecimalInteger("8080"), 8080);
    EXPECT_EQ(ReadDecimalInteger("+3128"), 3128);
    EXPECT_EQ(ReadDecimalInteger("-1"), -1);
    EXPECT_EQ(ReadDecimalInteger("007"), 7);
    EXPECT_EQ(ReadDecimalInteger("2147483647"), 2147483647);
    EXPECT_EQ(ReadDecimalInteger("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", " 80", "80 ", "8o80", "0x50", "$50", "+", "-", "2147483648", "99999999999999999999"}) {
        EXPECT_THROW(ReadDecimalInteger(bad), std::invalid_argument) << bad;
    }
    try {
        ReadDecimalInteger("abc");
        FAIL();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    }
}

TEST(ConfigureUpdaterProxy, CheckedBoxTakesThePageTexts) {
    ProxyConfig proxy;
    ConfigureUpdaterProxy({true, "proxy.example", "3128", "bob", "pa:ss"}, proxy);
    EXPECT_EQ(proxy.AccessType, ProxyAccess::UseProxy);
    EXPECT_EQ(proxy.ProxyServer, "proxy.example");
    EXPECT_EQ(proxy.ProxyPort, 3128);
    EXPECT_EQ(proxy.ProxyUsername, "bob");
    EXPECT_EQ(proxy.ProxyPassword, "pa:ss");
}

TEST(ConfigureUpdaterProxy, UncheckedBoxConnectsDirectlyAndKeepsTheFields) {
    ProxyConfig proxy;
    ConfigureUpdaterProxy({true, "proxy.example", "3128", "bob", "pw"}, proxy);
    ConfigureUpdaterProxy({false, "other", "not a port", "", ""}, proxy);
    EXPECT_EQ(proxy.AccessType, ProxyAccess::Direct);
    EXPECT_EQ(proxy.ProxyServer, "proxy.example");
    EXPECT_EQ(proxy.ProxyPort, 3128);
    EXPECT_EQ(proxy.ProxyUsername, "bob");
}

TEST(ConfigureUpdaterProxy, EmptyPortSaysThatThePortIsMissing) {
    ProxyConfig proxy;
    try {
        ConfigureUpdaterProxy({true, "proxy.example", "", "bob", "pw"}, proxy);
        FAIL();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), kProxyPortMissingText);
    }
}

TEST(ConfigureUpdaterProxy, BadPortThrowsAndChangesNothing) {
    for (const char* port : {"", "http", "0", "65536", "-80"}) {
        ProxyConfig proxy;
        EXPECT_THROW(ConfigureUpdaterProxy({true, "proxy.example", port, "bob", "pw"}, proxy), std::invalid_argument)
            << port;
        EXPECT_EQ(proxy.AccessType, ProxyAccess::Preconfig);
        EXPECT_EQ(proxy.ProxyServer, "");
        EXPECT_EQ(proxy.ProxyPort, 8080);
    }
}

}  // namespace
