#include "online/download_to_file_win.h"

#include <windows.h>

#include "online/http_transfer_win.h"
#include "platform/modal_loop_win.h"

namespace {

constexpr DWORD kBlockSize = 1024;

}  // namespace

bool DownloadToFile(const std::string& url, const std::string& targetPath, const std::string& agentName,
                    const std::function<void(std::function<void()> cancel)>& onStart) {
    HttpTransfer transfer;
    transfer.Settings.AgentName = agentName;
    transfer.Settings.TransferBufferSize = kBlockSize;
    // No request flags beyond what any plain URL open sends: the system's cache rules apply.
    transfer.Settings.CacheOptions = 0;
    transfer.Settings.InternetOptions = 0;
    transfer.Settings.ConnectTimeout = kDownloadTimeoutMs;
    transfer.Settings.ReceiveTimeout = kDownloadTimeoutMs;
    transfer.Settings.SendTimeout = kDownloadTimeoutMs;
    bool ended = false;
    TransferResult result = TransferResult::NoResponse;
    transfer.OnDone = [&](const TransferOutcome& outcome) {
        ended = true;
        result = outcome.Result;
    };
    if (!transfer.Start(url, targetPath)) return false;
    if (onStart) {
        onStart([&] {
            transfer.Stop();  // the partly written file goes at once
            ended = true;
        });
    }
    // A quit (the main window closed) is passed on and ends the download like a cancel.
    if (!RunModalLoop(nullptr, [&] { return ended; })) transfer.Stop();
    // A body cut short is kept by the transfer for its owner to judge: here it is no help file.
    if (result == TransferResult::Incomplete) DeleteFileA(targetPath.c_str());
    return result == TransferResult::Success;
}
