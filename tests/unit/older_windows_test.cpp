#include "online/older_windows.h"

#include <gtest/gtest.h>

#include <string>

#include "online/update_texts.h"

namespace {

// What each Windows gets, with the run-time lookup of CNG faked as that Windows answers it.
struct WindowsCase {
    const char* name;
    WindowsVersion version;
    bool cngFound;
    UpdateCheckStart expectedStart;
    const char* expectedSecureFailure;
};

const WindowsCase kWindows[] = {
    {"XP SP3", {5, 1}, false, UpdateCheckStart::OfferHomePage, kNoTls12Text},
    {"Vista", {6, 0}, true, UpdateCheckStart::Check, kNoTls12Text},
    {"7", {6, 1}, true, UpdateCheckStart::Check, kCertificateErrorText},
    {"10", {10, 0}, true, UpdateCheckStart::Check, kCertificateErrorText},
    // A version that could not be read keeps today's message.
    {"unknown", {0, 0}, true, UpdateCheckStart::Check, kCertificateErrorText},
};

TEST(OlderWindows, EachWindowsGetsItsUpdateCheckAndSecureConnectionText) {
    for (const WindowsCase& c : kWindows) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ChooseUpdateCheck(c.cngFound), c.expectedStart);
        EXPECT_EQ(std::string(SecureConnectionFailedText(c.version)), c.expectedSecureFailure);
    }
}

TEST(OlderWindows, TheSentencesNameWhatIsMissing) {
    EXPECT_NE(std::string(kUpdatesNeedVistaText).find("needs Windows Vista or later"), std::string::npos);
    EXPECT_NE(std::string(kUpdatesNeedVistaText).find("home page"), std::string::npos);
    EXPECT_NE(std::string(kNoTls12Text).find("(TLS 1.2)"), std::string::npos);
}

}  // namespace
