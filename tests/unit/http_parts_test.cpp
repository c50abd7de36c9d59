// The portable pieces of the HTTP worker: addresses, progress figures, dates, outcomes.
#include <gtest/gtest.h>

#include "online/http_date.h"
#include "online/http_response.h"
#include "online/transfer_progress.h"
#include "online/url_parts.h"

namespace {

TEST(SplitUrl, TakesAddressesApart) {
    struct Case {
        const char* address;
        const char* scheme;
        const char* host;
        int port;
        const char* user;
        const char* password;
        const char* path;
        const char* extra;
    } cases[] = {
        {"http://www.quenwick.example/benchmarks/prey/help.chm", "http", "www.quenwick.example", 80, "", "",
         "/benchmarks/prey/help.chm", ""},
        {"www.quenwick.example/a.inf", "http", "www.quenwick.example", 80, "", "", "/a.inf", ""},
        {"HTTPS://secure.example", "https", "secure.example", 443, "", "", "/", ""},
        {"http://127.0.0.1:8080", "http", "127.0.0.1", 8080, "", "", "/", ""},
        {"http://u:p@w@host.example:81/x/y?q=1&r=2#frag", "http", "host.example", 81, "u", "p@w", "/x/y",
         "?q=1&r=2#frag"},
        {"http://anna@host.example/", "http", "host.example", 80, "anna", "", "/", ""},
        {"http://host.example?only=query", "http", "host.example", 80, "", "", "/", "?only=query"},
    };
    for (const Case& c : cases) {
        UrlParts p;
        ASSERT_TRUE(SplitUrl(c.address, p)) << c.address;
        EXPECT_EQ(p.scheme, c.scheme) << c.address;
        EXPECT_EQ(p.host, c.host) << c.address;
        EXPECT_EQ(p.port, c.port) << c.address;
        EXPECT_EQ(p.userName, c.user) << c.address;
        EXPECT_EQ(p.password, c.password) << c.address;
        EXPECT_EQ(p.path, c.path) << c.address;
        EXPECT_EQ(p.extra, c.extra) << c.address;
    }
}

TEST(RedirectTarget, ResolvesLocationsAgainstTheCurrentAddress) {
    UrlParts current;
    ASSERT_TRUE(SplitUrl("http://user:pw@up.example:8080/prey/files/info.inf?x=1", current));
    struct Case {
        const char* location;
        const char* host;
        int port;
        const char* path;
        const char* extra;
        const char* userName;
    } cases[] = {
        {"https://mirror.example/a.inf", "mirror.example", 443, "/a.inf", "", ""},
        {"//mirror.example:81/a", "mirror.example", 81, "/a", "", ""},
        {"/other/b.inf?y=2", "up.example", 8080, "/other/b.inf", "?y=2", "user"},
        {"c.inf", "up.example", 8080, "/prey/files/c.inf", "", "user"},
        {"../d.inf#top", "up.example", 8080, "/prey/files/../d.inf", "#top", "user"},
        {"?z=3", "up.example", 8080, "/prey/files/info.inf", "?z=3", "user"},
    };
    for (const Case& c : cases) {
        UrlParts next;
        ASSERT_TRUE(RedirectTarget(current, c.location, next)) << c.location;
        EXPECT_EQ(next.host, c.host) << c.location;
        EXPECT_EQ(next.port, c.port) << c.location;
        EXPECT_EQ(next.path, c.path) << c.location;
        EXPECT_EQ(next.extra, c.extra) << c.location;
        EXPECT_EQ(next.userName, c.userName) << c.location;
    }
    UrlParts next;
    EXPECT_FALSE(RedirectTarget(current, "", next));
    EXPECT_FALSE(RedirectTarget(current, "http://:80/x", next));
    EXPECT_TRUE(IsRedirectStatus(302));
    EXPECT_TRUE(IsRedirectStatus(308));
    EXPECT_FALSE(IsRedirectStatus(304));
    EXPECT_FALSE(IsRedirectStatus(200));
}

// A secure transfer stays secure, and no redirect leaves the web's schemes.
TEST(RedirectTarget, NeverFromHttpsToHttpNorToAnotherScheme) {
    UrlParts secure;
    ASSERT_TRUE(SplitUrl("https://up.example/prey/info.inf", secure));
    UrlParts plain;
    ASSERT_TRUE(SplitUrl("http://up.example/prey/info.inf", plain));
    UrlParts next;
    for (const char* location : {"http://evil.example/x.exe", "HTTP://up.example/x", "file:///C:/payload.exe",
                                 "ftp://up.example/x"}) {
        EXPECT_FALSE(RedirectTarget(secure, location, next)) << location;
    }
    EXPECT_FALSE(RedirectTarget(plain, "file:///C:/payload.exe", next));
    EXPECT_TRUE(RedirectTarget(secure, "https://mirror.example/x", next));
    EXPECT_TRUE(RedirectTarget(secure, "//mirror.example/x", next));  // keeps https
    EXPECT_EQ(next.scheme, "https");
    EXPECT_TRUE(RedirectTarget(plain, "https://mirror.example/x", next));
    EXPECT_TRUE(RedirectTarget(plain, "http://mirror.example/x", next));
}

TEST(SplitUrl, RefusesAddressesWithoutHostOrWithBadPort) {
    for (const char* address : {"http://", "http:///path", "http://host:0/", "http://host:65536/", "http://host:8o/",
                                "http://host:/", ""}) {
        UrlParts p;
        EXPECT_FALSE(SplitUrl(address, p)) << address;
    }
}

TEST(ComputeProgress, Figures) {
    struct Case {
        std::int64_t bytes, length;
        std::uint32_t elapsedMs;
        int percent, elapsed, left;
        double kbps;
    } cases[] = {
        {0, 1000, 0, 0, 0, 0, 0.0},
        {512, 1024, 500, 50, 0, 0, 0.5},          // under a second: the kilobytes received
        {2048, 8192, 2000, 25, 2, 6, 1.0},        // 8192 / 2048 * 2 = 8 seconds in all
        {1000, 3000, 1999, 33, 1, 2, 1000 / 1024.0},
        {2000, 3000, 3000, 67, 3, 2, 2000 / 1024.0 / 3},  // 66.67 rounds up; 4.5 rounds to 5
        {3000, 3000, 4000, 100, 4, 0, 3000 / 1024.0 / 4},
        {4096, 0, 2000, 0, 2, 0, 2.0},            // no length announced: no percentage, no estimate
    };
    for (const Case& c : cases) {
        const TransferProgress p = ComputeProgress(c.bytes, c.length, c.elapsedMs);
        EXPECT_EQ(p.bytesReceived, c.bytes);
        EXPECT_EQ(p.contentLength, c.length);
        EXPECT_EQ(p.percent, c.percent) << c.bytes << "/" << c.length;
        EXPECT_EQ(p.elapsedSeconds, c.elapsed) << c.bytes << "/" << c.length;
        EXPECT_EQ(p.secondsLeft, c.left) << c.bytes << "/" << c.length;
        EXPECT_DOUBLE_EQ(p.kilobytesPerSecond, c.kbps) << c.bytes << "/" << c.length;
    }
}

TEST(ParseHttpDate, ReadsTheCommonFormsAsGmt) {
    struct Case {
        const char* text;
        DateTime gmt;
    } cases[] = {
        {"Sun, 06 Nov 1994 08:49:37 GMT", {1994, 11, 6, 8, 49, 37}},
        {"Sunday, 06-Nov-94 08:49:37 GMT", {1994, 11, 6, 8, 49, 37}},
        {"Thu, 01-Jan-79 00:00:00 GMT", {2079, 1, 1, 0, 0, 0}},  // below 80: 20xx
        {"Thu, 01-Jan-80 00:00:00 GMT", {1980, 1, 1, 0, 0, 0}},
        {"6 november 2026 23:05:00", {2026, 11, 6, 23, 5, 0}},   // no day name, month name in full
        {"Tue, 15 Nov 1994 08:12:31 +0200", {1994, 11, 15, 6, 12, 31}},
        {"Tue, 15 Nov 1994 22:30:00 -0245", {1994, 11, 16, 1, 15, 0}},  // into the next day
        {"Sat, 01 Jan 2000 01:00:00 +0130", {1999, 12, 31, 23, 30, 0}},  // back into last year
        {"Thu, 29 Feb 2024 12:00:00 GMT", {2024, 2, 29, 12, 0, 0}},
    };
    for (const Case& c : cases) {
        DateTime t;
        ASSERT_TRUE(ParseHttpDate(c.text, t)) << c.text;
        EXPECT_TRUE(t == c.gmt) << c.text << " -> " << t.year << "-" << t.month << "-" << t.day << " " << t.hour << ":"
                                << t.minute << ":" << t.second;
    }
}

TEST(ParseHttpDate, UnreadableDatesCountAsNone) {
    for (const char* text : {"", "yesterday", "Sun Nov  6 08:49:37 1994", "Sun, 06 Xyz 1994 08:49:37 GMT",
                             "Sun, 31 Nov 1994 08:49:37 GMT", "Thu, 29 Feb 2023 12:00:00 GMT",
                             "Sun, 06 Nov 1994 24:00:00 GMT", "Sun, 06 Nov 1994 08:49 GMT",
                             "Sun, 06 Nov 994 08:49:37 GMT", "Sun, 06 Nov 1994 08:49:37 +02"}) {
        DateTime t;
        EXPECT_FALSE(ParseHttpDate(text, t)) << text;
    }
}

TEST(GmtToLocal, AppliesTheZoneBias) {
    const DateTime gmt{2026, 12, 31, 23, 30, 0};
    EXPECT_TRUE(GmtToLocal(gmt, 0) == gmt);
    EXPECT_TRUE((GmtToLocal(gmt, -60) == DateTime{2027, 1, 1, 0, 30, 0}));  // Central Europe, winter
    EXPECT_TRUE((GmtToLocal(gmt, 300) == DateTime{2026, 12, 31, 18, 30, 0}));  // New York, winter
    EXPECT_TRUE((GmtToLocal(DateTime{2026, 3, 1, 2, 0, 0}, 420) == DateTime{2026, 2, 28, 19, 0, 0}));
}

TEST(ClassifyTransfer, Outcomes) {
    struct Case {
        TransferCounts counts;
        TransferResult expected;
    } cases[] = {
        {{200, true, 10, 10, false}, TransferResult::Success},
        {{206, true, 10, 10, false}, TransferResult::Success},
        {{200, false, 0, 7, false}, TransferResult::Success},  // no length announced: whatever arrives
        {{200, true, 0, 0, false}, TransferResult::Success},   // an announced empty body
        {{200, true, 10, 4, false}, TransferResult::Incomplete},
        {{206, true, 10, 0, false}, TransferResult::Incomplete},
        {{-1, false, 0, 0, false}, TransferResult::NoResponse},
        {{404, true, 10, 10, false}, TransferResult::OtherStatus},
        {{407, false, 0, 0, false}, TransferResult::OtherStatus},
        {{200, true, 10, 0, true}, TransferResult::FileError},
        {{200, false, 0, 4096, false, true}, TransferResult::TooLarge},
        {{404, false, 0, 4096, false, true}, TransferResult::OtherStatus},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClassifyTransfer(c.counts), c.expected) << c.counts.status << " " << c.counts.bytesReceived;
    }
}

TEST(RealmFromAuthenticateHeader, TakesTheQuotedRealm) {
    EXPECT_EQ(RealmFromAuthenticateHeader("Basic realm=\"Lurkmark updates\""), "Lurkmark updates");
    EXPECT_EQ(RealmFromAuthenticateHeader("Basic realm=\"\""), "");
    EXPECT_EQ(RealmFromAuthenticateHeader("Basic realm=\"a\", charset=\"UTF-8\""), "a\", charset=\"UTF-8");
    EXPECT_EQ(RealmFromAuthenticateHeader("Negotiate"), "");
}

}  // namespace
