// Redirect loops, oversized memory bodies and quiet servers in the HTTP transfer worker,
// against the maker's server script on 127.0.0.1.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "online/http_transfer_win.h"
#include "support/maker_server_client.h"
#include "support/message_pump.h"
#include "support/window_automation.h"
#include "support/wine_test_support.h"

namespace {

struct Fetched {
    bool done = false;
    TransferOutcome outcome;
};

Fetched Fetch(HttpTransfer& transfer, const std::string& url) {
    Fetched fetched;
    transfer.OnDone = [&](const TransferOutcome& o) {
        fetched.outcome = o;
        fetched.done = true;
    };
    EXPECT_TRUE(transfer.Start(url));
    EXPECT_TRUE(wt::PumpMessagesUntil([&] { return !transfer.Busy(); }, 30000)) << url;
    return fetched;
}

TEST(HttpTransferLimits, ChainsAreFollowedToTheirEnd) {
    ASSERT_TRUE(wt::PublishOnMakerServer("/r/start?redirect=next", ""));
    ASSERT_TRUE(wt::PublishOnMakerServer("/r/next?redirect=" + wt::MakerServerUrl("/r/end", "localhost"), ""));
    ASSERT_TRUE(wt::PublishOnMakerServer("/r/end", "arrived"));
    HttpTransfer transfer;
    const Fetched f = Fetch(transfer, wt::MakerServerUrl("/r/start"));
    ASSERT_TRUE(f.done);
    EXPECT_EQ(f.outcome.Result, TransferResult::Success);
    EXPECT_EQ(f.outcome.Body, "arrived");
}

TEST(HttpTransferLimits, LoopEndsWithTheRedirectStatus) {
    ASSERT_TRUE(wt::PublishOnMakerServer("/r/loop?redirect=/r/loop", ""));
    HttpTransfer transfer;
    const Fetched looped = Fetch(transfer, wt::MakerServerUrl("/r/loop"));
    ASSERT_TRUE(looped.done);
    EXPECT_EQ(looped.outcome.Result, TransferResult::OtherStatus);
    EXPECT_EQ(looped.outcome.Status, 302);
    EXPECT_EQ(wt::RequestsServed("/r/loop"), 21);

    // Asked not to follow, the first answer stands.
    transfer.Settings.InternetOptions |= ioNoAutoRedirect;
    ASSERT_TRUE(wt::PublishOnMakerServer("/r/once?redirect=/r/elsewhere", ""));
    const Fetched once = Fetch(transfer, wt::MakerServerUrl("/r/once"));
    EXPECT_EQ(once.outcome.Status, 302);
    EXPECT_EQ(wt::RequestsServed("/r/elsewhere"), 0);
}

TEST(HttpTransferLimits, MemoryBodyBeyondItsLimitIsNotReadOn) {
    HttpTransfer transfer;
    transfer.Settings.MaxMemoryBytes = 100000;
    for (const char* query : {"?size=100000", "?size=100001", "?size=5000000&nolength=1"}) {
        const Fetched f = Fetch(transfer, wt::MakerServerUrl(std::string("/big") + query));
        ASSERT_TRUE(f.done) << query;
        if (std::string(query) == "?size=100000") {
            EXPECT_EQ(f.outcome.Result, TransferResult::Success);
            EXPECT_EQ(f.outcome.Body.size(), 100000u);
        } else {
            EXPECT_EQ(f.outcome.Result, TransferResult::TooLarge) << query;
            EXPECT_LE(f.outcome.Body.size(), 100000u) << query;
        }
    }
}

// Closing the program after a cancelled download must not wait for a server that has gone
// quiet; the partly written file goes with the stop, while the worker may still be in its read.
TEST(HttpTransferLimits, DestroyingAStoppedTransferDoesNotWaitForAQuietServer) {
    wt::TempFolder folder{"http_quiet"};
    const std::string target = folder.Path() + "quiet.dat.uTMP";
    // The headers come, the body never does: once the file exists the worker waits in its read.
    ASSERT_TRUE(wt::PublishOnMakerServer("/quiet.dat?size=200000&stall=0", ""));
    auto transfer = std::make_unique<HttpTransfer>();
    ASSERT_TRUE(transfer->Start(wt::MakerServerUrl("/quiet.dat"), target));
    // No handler is assigned, so the worker sends no report that would need the message loop.
    ASSERT_TRUE(wt::WaitUntil([&] { return wt::FileExists(target); }, 20000));
    const DWORD start = GetTickCount();
    transfer->Stop();
    EXPECT_FALSE(wt::FileExists(target)) << "the stop takes the partly written file at once";
    transfer.reset();
    EXPECT_LT(GetTickCount() - start, 2000u);
    // A new transfer into the same file works right away.
    HttpTransfer retry;
    bool done = false;
    TransferOutcome outcome;
    retry.OnDone = [&](const TransferOutcome& o) {
        outcome = o;
        done = true;
    };
    ASSERT_TRUE(retry.Start(wt::MakerServerUrl("/benchmarks/prey/help.chm"), target));
    ASSERT_TRUE(wt::PumpMessagesUntil([&] { return done; }, 20000));
    EXPECT_EQ(outcome.Result, TransferResult::Success);
    ASSERT_TRUE(wt::ReleaseStalledAnswers("/quiet.dat"));
}

}  // namespace
