#pragma once
#include <functional>
#include <string>

// How long a download waits on a silent server before it gives up.
constexpr unsigned long kDownloadTimeoutMs = 30000;

// Fetches the address into the file in blocks of up to 1024 bytes, through the system's
// proxy configuration, on a worker thread, while this thread's messages keep flowing. True
// when the server answered with a success status and the whole body was written; otherwise
// false and no file is left at targetPath (an error page is never stored as the file).
// onStart receives a function that cancels the download: it then ends at once, with false
// and no file. The download also ends when this thread's message loop is told to quit.
bool DownloadToFile(const std::string& url, const std::string& targetPath, const std::string& agentName,
                    const std::function<void(std::function<void()> cancel)>& onStart = nullptr);
