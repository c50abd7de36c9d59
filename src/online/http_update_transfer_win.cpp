#include "online/http_update_transfer_win.h"

#include <algorithm>

namespace {

ProxyAccessType AccessTypeOf(ProxyAccess access) {
    switch (access) {
    case ProxyAccess::Direct: return ProxyAccessType::atDirect;
    case ProxyAccess::UseProxy: return ProxyAccessType::atUseProxy;
    case ProxyAccess::Preconfig: break;
    }
    return ProxyAccessType::atPreconfig;
}

std::optional<std::uint64_t> FileTimeOf(const std::optional<DateTime>& gmt) {
    if (!gmt) return std::nullopt;
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(gmt->year);
    time.wMonth = static_cast<WORD>(gmt->month);
    time.wDay = static_cast<WORD>(gmt->day);
    time.wHour = static_cast<WORD>(gmt->hour);
    time.wMinute = static_cast<WORD>(gmt->minute);
    time.wSecond = static_cast<WORD>(gmt->second);
    FILETIME file;
    if (!SystemTimeToFileTime(&time, &file)) return std::nullopt;
    return (static_cast<std::uint64_t>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
}

UpdateTransferResult ResultOf(const TransferOutcome& outcome) {
    UpdateTransferResult result;
    result.status = outcome.Status;
    result.refusedRedirect = outcome.RefusedRedirect;
    switch (outcome.Result) {
    case TransferResult::Success:
        result.outcome = UpdateTransferOutcome::Success;
        result.body = outcome.Body;
        break;
    case TransferResult::Incomplete: result.outcome = UpdateTransferOutcome::Incomplete; break;
    case TransferResult::NoResponse: result.outcome = UpdateTransferOutcome::NoResponse; break;
    case TransferResult::CertificateError: result.outcome = UpdateTransferOutcome::CertificateError; break;
    case TransferResult::FileError: result.outcome = UpdateTransferOutcome::TargetNotCreated; break;
    case TransferResult::TooLarge: result.outcome = UpdateTransferOutcome::TooLarge; break;
    // The update component never cancels at the headers.
    case TransferResult::OtherStatus:
    case TransferResult::Skipped: result.outcome = UpdateTransferOutcome::HttpStatus; break;
    }
    return result;
}

}  // namespace

void HttpUpdateTransfer::Start(const TransferRequest& request, TransferListener& listener) {
    ForgetEndedWorkers();
    if (!current_) current_ = std::make_unique<HttpTransfer>();
    HttpTransfer& transfer = *current_;
    transfer.Proxy.AccessType = AccessTypeOf(request.proxy.AccessType);
    transfer.Proxy.ProxyServer = request.proxy.ProxyServer;
    transfer.Proxy.ProxyPort = request.proxy.ProxyPort;
    transfer.Proxy.ProxyUsername = request.proxy.ProxyUsername;
    transfer.Proxy.ProxyPassword = request.proxy.ProxyPassword;
    transfer.Settings = HttpTransferSettings{};
    if (request.noCachePragma) transfer.Settings.CacheOptions |= coPragmaNoCache;
    transfer.Settings.MarkTargetTemporary = true;
    transfer.Settings.MaxMemoryBytes = kMaxMemoryBytes;
    // A server that stops sending ends the transfer instead of holding it for ever.
    transfer.Settings.ConnectTimeout = kTimeoutMs;
    transfer.Settings.ReceiveTimeout = kTimeoutMs;
    transfer.Settings.SendTimeout = kTimeoutMs;
    transfer.OnHeaders = [&listener](const ResponseHeaders& headers, bool&) {
        listener.OnTransferHeaders({headers.Status, headers.ContentLength, FileTimeOf(headers.LastModifiedGmt)});
    };
    transfer.OnProgress = [&listener](const TransferProgress& progress) {
        listener.OnTransferProgress(progress.bytesReceived, progress.contentLength, progress.elapsedSeconds);
    };
    transfer.OnDone = [&listener](const TransferOutcome& outcome) { listener.OnTransferDone(ResultOf(outcome)); };
    // Only a failure to create the worker thread refuses a start: nothing was sent.
    if (!transfer.Start(request.address, request.targetFile)) listener.OnTransferDone(UpdateTransferResult{});
}

void HttpUpdateTransfer::Stop() {
    if (!current_ || !current_->Busy()) return;
    current_->Stop();
    stopping_.push_back(std::move(current_));
}

void HttpUpdateTransfer::ForgetEndedWorkers() {
    stopping_.erase(std::remove_if(stopping_.begin(), stopping_.end(),
                                   [](const std::unique_ptr<HttpTransfer>& t) { return !t->Busy(); }),
                    stopping_.end());
}
