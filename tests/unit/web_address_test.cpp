#include "platform/web_address.h"

#include <gtest/gtest.h>

#include "fakes/fake_policy.h"
#include "online/maker_hosts.h"
#include "platform/shell_target.h"

namespace {

// Each host value as the policy key may hold it, and the addresses the program then builds.
TEST(MakerHostValues, EveryAddressStartsWithTheSchemeAndACheckedHost) {
    const std::string longHost(300, 'a');
    const struct {
        std::string value;
        std::string host;  // the host every address is built with
    } cases[] = {
        {"mirror.example.org", "mirror.example.org"},
        {"127.0.0.1:8443", "127.0.0.1:8443"},
        {"[::1]:8443", "[::1]:8443"},
        {"[2001:db8::7]", "[2001:db8::7]"},
        {"C:\\x.exe", kMakerWebHost},
        {"\\\\h\\s\\x.exe", kMakerWebHost},
        {"file:///x", kMakerWebHost},
        {"h/x?y", kMakerWebHost},
        {"javascript:x", kMakerWebHost},
        {"", kMakerWebHost},
        {longHost, kMakerWebHost},
        {"host:0", kMakerWebHost},
        {"host:65536", kMakerWebHost},
        {"host:", kMakerWebHost},
        {"-host.example", kMakerWebHost},
        {"a..b", kMakerWebHost},
        {"www.quenwick.example evil", kMakerWebHost},
        {"user@host", kMakerWebHost},
        {"[::1", kMakerWebHost},
        {"[::1]x", kMakerWebHost},
        {"[C:\\x]", kMakerWebHost},
    };
    for (const auto& c : cases) {
        std::map<std::string, std::string> policy;
        policy[kMakerWebHostValue] = c.value;
        policy[kMakerUpdateHostValue] = c.value;
        const MakerHosts hosts = ReadMakerHosts(PolicyReader(policy));
        const bool builtIn = c.host == kMakerWebHost;
        const std::string update = builtIn ? kMakerUpdateHost : c.host;
        EXPECT_EQ(HomePageAddress(hosts), "https://" + c.host + "/") << c.value;
        EXPECT_EQ(HelpFileUrl(hosts), "https://" + c.host + "/benchmarks/prey/help.chm") << c.value;
        EXPECT_EQ(UpdateInfoFileUrl(hosts), "https://" + update + "/benchmarks/prey/qwk_lurkmark.inf") << c.value;
        // One line for each value ignored; an empty value is simply not set.
        const std::size_t lines = builtIn && !c.value.empty() ? 2 : 0;
        ASSERT_EQ(hosts.ignoredValues.size(), lines) << c.value;
        if (lines) {
            EXPECT_NE(hosts.ignoredValues[0].find("MakerWebHost"), std::string::npos);
            EXPECT_NE(hosts.ignoredValues[1].find("MakerUpdateHost"), std::string::npos);
        }
        EXPECT_EQ(ClassifyShellTarget(HomePageAddress(hosts)), ShellTarget::WebAddress) << c.value;
    }
}

TEST(ShellTargets, OnlyWebAddressesAndThePathsOfDocumentsAndFoldersPass) {
    const struct {
        const char* target;
        ShellTarget kind;
    } cases[] = {
        {"https://www.quenwick.example/", ShellTarget::WebAddress},
        {"http://127.0.0.1:8080/benchmarks/prey/new.htm?x=1#top", ShellTarget::WebAddress},
        {"HTTPS://www.quenwick.example/", ShellTarget::Refused},
        {"https://", ShellTarget::Refused},
        {"https://host/a b", ShellTarget::Refused},
        {"https://host/\"x", ShellTarget::Refused},
        {"https://C:\\x.exe", ShellTarget::Refused},
        {"file:///C:/x.exe", ShellTarget::Refused},
        {"javascript:x", ShellTarget::Refused},
        {"www.quenwick.example", ShellTarget::Refused},
        {"C:\\Results\\result_20240101.htm", ShellTarget::Document},
        {"C:\\Program Files\\Lurkmark\\Help\\help.CHM", ShellTarget::Document},
        {"C:\\Lurkmark\\batchview.txt", ShellTarget::Document},
        {"\\\\server\\share\\Results\\", ShellTarget::Folder},
        {"C:\\Results", ShellTarget::Folder},
        {"C:\\users\\Public\\planted\\evil.exe", ShellTarget::Folder},  // only if it is a folder
        {"evil.exe", ShellTarget::Refused},
        {"..\\evil.exe", ShellTarget::Refused},
        {"C:x.exe", ShellTarget::Refused},
        {"C:\\x.htm:evil.exe", ShellTarget::Refused},
        {"C:\\x\\*.htm", ShellTarget::Refused},
        {"C:/x/report.htm", ShellTarget::Refused},
        {"\\\\.\\C:\\x.htm", ShellTarget::Refused},
        {"\\\\?\\C:\\x.htm", ShellTarget::Refused},
        {"", ShellTarget::Refused},
    };
    for (const auto& c : cases) EXPECT_EQ(ClassifyShellTarget(c.target), c.kind) << c.target;
}

}  // namespace
