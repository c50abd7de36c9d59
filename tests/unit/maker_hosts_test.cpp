#include "online/maker_hosts.h"

#include <gtest/gtest.h>

#include "fakes/fake_policy.h"

namespace {

TEST(MakerHosts, BuiltInAddressesUseTheReservedDomain) {
    std::map<std::string, std::string> policy;
    const MakerHosts hosts = ReadMakerHosts(PolicyReader(policy));
    EXPECT_EQ(HelpFileUrl(hosts), "https://www.quenwick.example/benchmarks/prey/help.chm");
    EXPECT_EQ(UpdateInfoFileUrl(hosts), "https://update.quenwick.example/benchmarks/prey/qwk_lurkmark.inf");
    EXPECT_EQ(HomePageAddress(hosts), "https://www.quenwick.example/");
}

TEST(MakerHosts, RegistryValuesReplaceEachHost) {
    std::map<std::string, std::string> policy;
    policy[kMakerWebHostValue] = "127.0.0.1:8123";
    policy[kMakerUpdateHostValue] = "mirror.example.org";
    const MakerHosts hosts = ReadMakerHosts(PolicyReader(policy));
    EXPECT_EQ(HelpFileUrl(hosts), "https://127.0.0.1:8123/benchmarks/prey/help.chm");
    EXPECT_EQ(UpdateInfoFileUrl(hosts), "https://mirror.example.org/benchmarks/prey/qwk_lurkmark.inf");
    EXPECT_EQ(HomePageAddress(hosts), "https://127.0.0.1:8123/");
}

TEST(MakerHosts, EmptyOrMissingValueKeepsTheBuiltInHost) {
    std::map<std::string, std::string> policy;
    policy[kMakerWebHostValue] = "";
    const MakerHosts hosts = ReadMakerHosts(PolicyReader(policy));
    EXPECT_EQ(hosts.webHost, kMakerWebHost);
    EXPECT_EQ(hosts.updateHost, kMakerUpdateHost);
    EXPECT_TRUE(hosts.ignoredValues.empty());
}

}  // namespace
