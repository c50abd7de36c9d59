#include "online/older_windows.h"

#include "online/update_texts.h"

UpdateCheckStart ChooseUpdateCheck(bool cngFound) {
    return cngFound ? UpdateCheckStart::Check : UpdateCheckStart::OfferHomePage;
}

const char* SecureConnectionFailedText(WindowsVersion running) {
    const bool unknown = running.major == 0;
    const bool beforeWindows7 = running.major < 6 || (running.major == 6 && running.minor < 1);
    return !unknown && beforeWindows7 ? kNoTls12Text : kCertificateErrorText;
}
