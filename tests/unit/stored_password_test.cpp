#include "settings/stored_password.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "fakes/fake_settings.h"
#include "settings/base64.h"
#include "settings/option_store.h"

namespace {

std::string Password(std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += static_cast<char>(1 + (i * 37) % 255);  // every byte but 0
    return text;
}

TEST(StoredPassword, NewValuesAreSealedOnOneLineAndReadBack) {
    FakeSealer account;
    for (std::size_t length : {1u, 57u, 58u, 300u}) {
        const std::string password = Password(length);
        const std::string stored = EncodeStoredPassword(password, account);
        EXPECT_EQ(stored.rfind(kSealedPasswordPrefix, 0), 0u) << length;
        EXPECT_EQ(stored.find_first_of("\r\n"), std::string::npos) << length;
        EXPECT_NE(DecodeBase64Mime(stored.substr(6)), password) << "not the plain password in base64";
        EXPECT_EQ(DecodeStoredPassword(stored, account), password) << length;
    }
}

TEST(StoredPassword, OlderPlainBase64ValuesAreStillRead) {
    FakeSealer account;
    for (std::size_t length : {1u, 57u, 58u, 300u}) {
        const std::string password = Password(length);
        EXPECT_EQ(DecodeStoredPassword(EncodeBase64Mime(password), account), password) << length;
    }
    EXPECT_EQ(DecodeStoredPassword("c2VjcmV0", account), "secret");
}

TEST(StoredPassword, AnotherAccountCannotOpenIt) {
    FakeSealer first('A');
    FakeSealer second('B');
    const std::string stored = EncodeStoredPassword("secret", first);
    EXPECT_EQ(DecodeStoredPassword(stored, second), std::nullopt);
    EXPECT_EQ(DecodeStoredPassword(std::string(kSealedPasswordPrefix) + "!!", first), std::nullopt);
}

TEST(StoredPassword, WhatCannotBeSealedIsNotStored) {
    FakeSettingsStore store;
    FakeSealer account;
    StoreProxyPassword(store, account, "old");
    const std::string before = store.values["ProxyPassword"];
    account.fails = true;
    EXPECT_THROW(StoreProxyPassword(store, account, "new"), std::runtime_error);
    EXPECT_EQ(store.values["ProxyPassword"], before);
}

}  // namespace
