#include "online/maker_hosts.h"

#include <gtest/gtest.h>

#include "fakes/fake_settings.h"

namespace {

TEST(MakerHosts, BuiltInAddressesUseTheReservedDomain) {
    FakeSettingsStore settings;
    const MakerHosts hosts = ReadMakerHosts(settings);
    EXPECT_EQ(HelpFileUrl(hosts), "https://www.quenwick.example/benchmarks/prey/help.chm");
    EXPECT_EQ(UpdateInfoFileUrl(hosts), "https://update.quenwick.example/benchmarks/prey/qwk_lurkmark.inf");
    EXPECT_EQ(HomePageAddress(hosts), "https://www.quenwick.example/");
}

TEST(MakerHosts, RegistryValuesReplaceEachHost) {
    FakeSettingsStore settings;
    settings.values[kMakerWebHostValue] = "127.0.0.1:8123";
    settings.values[kMakerUpdateHostValue] = "mirror.example.org";
    const MakerHosts hosts = ReadMakerHosts(settings);
    EXPECT_EQ(HelpFileUrl(hosts), "https://127.0.0.1:8123/benchmarks/prey/help.chm");
    EXPECT_EQ(UpdateInfoFileUrl(hosts), "https://mirror.example.org/benchmarks/prey/qwk_lurkmark.inf");
    EXPECT_EQ(HomePageAddress(hosts), "https://127.0.0.1:8123/");
}

TEST(MakerHosts, EmptyValueOrMissingKeyKeepsTheBuiltInHost) {
    FakeSettingsStore settings;
    settings.values[kMakerWebHostValue] = "";
    settings.values[kMakerUpdateHostValue] = "mirror.example.org";
    settings.keyExists = false;
    const MakerHosts hosts = ReadMakerHosts(settings);
    EXPECT_EQ(hosts.webHost, kMakerWebHost);
    EXPECT_EQ(hosts.updateHost, kMakerUpdateHost);
}

}  // namespace
