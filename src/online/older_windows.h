#pragma once
#include "platform/windows_version.h"

// What the online commands do on a Windows older than they need. Updates and the help file are
// accepted only with the maker's signature, which needs CNG (Windows Vista on); an https
// connection to the maker's servers needs TLS 1.2, which WinINet offers from Windows 7 on.

constexpr const char* kUpdatesNeedVistaText =
    "Checking for updates needs Windows Vista or later. Do you want to open the maker's home page "
    "to look for a newer version there?";
constexpr const char* kNoTls12Text =
    "This Windows cannot make the secure connection (TLS 1.2) that the update server needs: "
    "Windows 7 and later can. Update aborted.";

enum class UpdateCheckStart { Check, OfferHomePage };
// cngFound: CNG's functions were found at run time.
UpdateCheckStart ChooseUpdateCheck(bool cngFound);

// What the main window says when the secure connection to the update server failed: on a
// Windows without TLS 1.2 that it cannot make one at all, otherwise that the server's
// certificate was not trusted. A version that could not be read counts as a new one.
const char* SecureConnectionFailedText(WindowsVersion running);
