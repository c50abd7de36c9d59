#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "online/update_flow.h"

// File effects of the update flow.

// Deletes every "*.uTMP" file in the folder (with trailing backslash), hidden ones included.
// Returns how many could not be deleted.
int DeleteTemporaryDownloads(const std::string& folder);

// The program's folder when this user may create files in it; otherwise "Lurkmark update\" in
// the user's temporary folder (made when missing), which no other standard user may write.
// The upgrader, elevated then, checks each file's hash again as it copies it into place.
std::string UpdateDownloadFolder(const std::string& programFolder);

// Sets a downloaded file's creation and last-write times (a file time in UTC).
bool StampFileTimes(const std::string& path, std::uint64_t fileTimeUtc);

// The events the main window handles: "Update aborted." when the user declines, cancels or
// gives up, "No internet connection." when the update server cannot be reached, and its own
// message when the secure connection failed (SecureConnectionFailedText).
UpdateEvents MainWindowUpdateEvents(HWND owner, const std::string& caption);
