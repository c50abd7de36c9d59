#include "settings/settings_key_notice.h"

#include <gtest/gtest.h>

#include <vector>

#include "fakes/fake_settings.h"
#include "settings/option_store.h"

namespace {

TEST(SettingsKeyNotice, MissingKeyIsToldOnceThenWritesAreQuietUntilTheKeyExists) {
    FakeSettingsStore registry;
    registry.keyExists = false;
    std::vector<std::string> told;
    SettingsKeyNotice store(registry, [&](const std::string& text) { told.push_back(text); });

    // One click stores nine values, another one more: one notice in all.
    StoreResolutions(store, OptionState{});
    StoreFlag(store, "Boost", true);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("HKEY_LOCAL_MACHINE\\SOFTWARE\\Quenwick\\Lurkmark"), std::string::npos);
    EXPECT_NE(told[0].find("CreateSettingsKey.exe"), std::string::npos) << "says how to create it";
    EXPECT_TRUE(registry.values.empty());

    // A pass creates the key (its pass mark); from then on every option is stored again.
    store.WriteCreatingKey("NoErrorWarning", "1");
    StoreFlag(store, "Boost", true);
    EXPECT_EQ(registry.values["Boost"], "1");
    EXPECT_EQ(told.size(), 1u);
}

TEST(SettingsKeyNotice, KeyPresentPassesWritesAndTheirFailuresThrough) {
    struct RefusingStore : FakeSettingsStore {
        void Write(const std::string& name, const std::string&) override {
            throw std::runtime_error(FailedToSetDataMessage(name));
        }
    } registry;
    int told = 0;
    SettingsKeyNotice store(registry, [&](const std::string&) { ++told; });
    EXPECT_THROW(store.Write("Note", "x"), std::runtime_error) << "a key that refuses a value is another fault";
    EXPECT_EQ(told, 0);
}

}  // namespace
