// https in the HTTP transfer worker, against the maker's server script whose certificate comes
// from the tests' throw-away authority: trusted once this prefix trusts that authority, a
// certificate error of its own otherwise, and never a redirect from https to http.
#include <gtest/gtest.h>

#include <string>

#include "online/http_transfer_win.h"
#include "support/maker_server_client.h"
#include "support/message_pump.h"
#include "support/wine_test_support.h"

namespace {

TransferOutcome Fetch(const std::string& url) {
    HttpTransfer transfer;
    TransferOutcome outcome;
    bool done = false;
    transfer.OnDone = [&](const TransferOutcome& o) {
        outcome = o;
        done = true;
    };
    EXPECT_TRUE(transfer.Start(url));
    EXPECT_TRUE(wt::PumpMessagesUntil([&] { return !transfer.Busy(); }, 30000)) << url;
    EXPECT_TRUE(done) << url;
    return outcome;
}

class SecureTransfer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(wt::TrustTestAuthority()); }
};

TEST_F(SecureTransfer, TrustedServerAnswersByAddressAndByName) {
    ASSERT_TRUE(wt::PublishOnMakerServer("/s/hello.txt", "over tls"));
    for (const char* host : {"127.0.0.1", "localhost"}) {
        const TransferOutcome o = Fetch(wt::MakerServerSecureUrl("/s/hello.txt", host));
        EXPECT_EQ(o.Result, TransferResult::Success) << host << " status " << o.Status;
        EXPECT_EQ(o.Body, "over tls") << host;
    }
}

TEST_F(SecureTransfer, CertificateOfAnUnknownAuthorityIsACertificateError) {
    const TransferOutcome o = Fetch("https://127.0.0.1:" + wt::Env("LURK_STRANGER_PORT") + "/help.chm");
    EXPECT_EQ(o.Result, TransferResult::CertificateError) << "status " << o.Status;
    EXPECT_EQ(o.Body, "");
}

// "127.1" is 127.0.0.1 too, but the certificate does not name it.
TEST_F(SecureTransfer, CertificateForAnotherNameIsACertificateErrorNotANoResponse) {
    ASSERT_TRUE(wt::PublishOnMakerServer("/s/misnamed.txt", "secret"));
    const TransferOutcome o = Fetch(wt::MakerServerSecureUrl("/s/misnamed.txt", "127.1"));
    EXPECT_EQ(o.Result, TransferResult::CertificateError) << "status " << o.Status;
    EXPECT_EQ(o.Body, "");
    EXPECT_EQ(wt::RequestsServed("/s/misnamed.txt"), 0) << "no request may go to a server not proven";
    // A closed port is still no response at all.
    EXPECT_EQ(Fetch("https://127.0.0.1:1/s/misnamed.txt").Result, TransferResult::NoResponse);
}

TEST_F(SecureTransfer, RedirectFromHttpsToHttpIsNeverFollowed) {
    ASSERT_TRUE(wt::PublishOnMakerServer("/s/down?redirect=" + wt::MakerServerUrl("/s/plain.txt"), ""));
    ASSERT_TRUE(wt::PublishOnMakerServer("/s/plain.txt", "plain"));
    const TransferOutcome o = Fetch(wt::MakerServerSecureUrl("/s/down"));
    EXPECT_EQ(o.Result, TransferResult::OtherStatus);
    EXPECT_EQ(o.Status, 302);
    EXPECT_EQ(wt::RequestsServed("/s/plain.txt"), 0);
    // Upwards is fine.
    ASSERT_TRUE(wt::PublishOnMakerServer("/s/up?redirect=" + wt::MakerServerSecureUrl("/s/plain.txt"), ""));
    EXPECT_EQ(Fetch(wt::MakerServerUrl("/s/up")).Body, "plain");
}

}  // namespace
