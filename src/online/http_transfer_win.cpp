#include "online/http_transfer_win.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <stdexcept>

#include "online/url_parts.h"
#include "platform/handler_call.h"
#include "platform/wininet_win.h"
#include "ui/window_win.h"

namespace {

// wParam unused, lParam: the std::function<void()> to run on the window thread.
constexpr UINT kRunReportMessage = WM_APP + 1;
// Posted by the worker as its last act.
constexpr UINT kWorkerEndedMessage = WM_APP + 2;
// A memory target is sized to the announced length, but a wild length must not
// allocate gigabytes before a byte arrived.
constexpr std::int64_t kMaxReserve = 16 * 1024 * 1024;
// As many as browsers follow before they give up on a loop.
constexpr int kMaxRedirects = 20;

struct FlagOf {
    unsigned option;
    DWORD flag;
};
const FlagOf kCacheFlags[] = {
    {coAlwaysReload, INTERNET_FLAG_RELOAD},
    {coReloadIfNoExpireInformation, INTERNET_FLAG_HYPERLINK},
    {coReloadUpdatedObjects, INTERNET_FLAG_RESYNCHRONIZE},
    {coPragmaNoCache, INTERNET_FLAG_PRAGMA_NOCACHE},
    {coNoCacheWrite, INTERNET_FLAG_NO_CACHE_WRITE},
    {coCreateTempFilesIfCantCache, INTERNET_FLAG_NEED_FILE},
    {coUseCacheIfNetFail, INTERNET_FLAG_CACHE_IF_NET_FAIL},
};
const FlagOf kInternetFlags[] = {
    {ioIgnoreCertificateInvalid, INTERNET_FLAG_IGNORE_CERT_CN_INVALID},
    {ioIgnoreCertificateDateInvalid, INTERNET_FLAG_IGNORE_CERT_DATE_INVALID},
    {ioIgnoreRedirectToHTTP, INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTP},
    {ioIgnoreRedirectToHTTPS, INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS},
    {ioKeepConnection, INTERNET_FLAG_KEEP_CONNECTION},
    {ioNoAuthentication, INTERNET_FLAG_NO_AUTH},
    {ioNoAutoRedirect, INTERNET_FLAG_NO_AUTO_REDIRECT},
    {ioNoCookies, INTERNET_FLAG_NO_COOKIES},
};

const char* NullIfEmpty(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

// The zone bias in effect now, daylight saving included.
int CurrentBiasMinutes() {
    TIME_ZONE_INFORMATION zone;
    const DWORD which = GetTimeZoneInformation(&zone);
    if (which == TIME_ZONE_ID_DAYLIGHT) return zone.Bias + zone.DaylightBias;
    if (which == TIME_ZONE_ID_STANDARD) return zone.Bias + zone.StandardBias;
    return zone.Bias;
}

bool QueryText(HINTERNET request, DWORD info, std::string& text) {
    DWORD size = 0;
    WinInet()->HttpQueryInfoA(request, info, nullptr, &size, nullptr);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) return false;
    std::string buffer(size + 1, '\0');
    if (!WinInet()->HttpQueryInfoA(request, info, &buffer[0], &size, nullptr)) return false;
    buffer.resize(size);
    text = buffer;
    return true;
}

bool QueryNumber(HINTERNET request, DWORD info, DWORD& number) {
    DWORD size = sizeof number;
    return WinInet()->HttpQueryInfoA(request, info | HTTP_QUERY_FLAG_NUMBER, &number, &size, nullptr) != 0;
}

void SetTextOption(HINTERNET handle, DWORD option, const std::string& value) {
    WinInet()->InternetSetOptionA(handle, option, const_cast<char*>(value.c_str()), static_cast<DWORD>(value.size()));
}

std::optional<DateTime> HeaderDate(HINTERNET request, DWORD info, int bias, std::optional<DateTime>* gmtOut = nullptr) {
    std::string text;
    DateTime gmt;
    if (!QueryText(request, info, text) || !ParseHttpDate(text, gmt)) return std::nullopt;
    if (gmtOut) *gmtOut = gmt;
    return GmtToLocal(gmt, bias);
}

// Whatever is left of a response that is about to be sent again.
void DrainBody(HINTERNET request) {
    char buffer[4096];
    DWORD read = 0;
    while (WinInet()->InternetReadFile(request, buffer, sizeof buffer, &read) && read > 0) {
    }
}

}  // namespace

DWORD RequestFlags(unsigned cacheOptions, unsigned internetOptions, bool secure) {
    DWORD flags = secure ? INTERNET_FLAG_SECURE : 0;
    for (const FlagOf& f : kCacheFlags) {
        if (cacheOptions & f.option) flags |= f.flag;
    }
    for (const FlagOf& f : kInternetFlags) {
        if (internetOptions & f.option) flags |= f.flag;
    }
    return flags;
}

// Everything one transfer needs; the worker thread owns it until it posts its end, then
// the window thread takes it back. The handlers are copies made at the start.
struct HttpTransfer::Job {
    HWND reportWindow = nullptr;
    // The state the worker shares: the stop request, and who frees the job once the owner
    // has gone (whoever sets `released` second).
    std::atomic<bool> stopRequested{false};
    std::atomic<bool> released{false};
    // A stop closes the Internet handles, which ends a call waiting on a quiet server, and
    // deletes the partly written file at once, so that a retry can start right away. The
    // worker takes this lock to set a handle and to create or write the file, and does
    // neither once a stop has come; it never holds the lock while it waits on the network.
    std::mutex guard;
    bool handlesClosed = false;
    std::string address;
    std::string targetFile;
    HttpProxy proxy;
    HttpTransferSettings settings;
    decltype(HttpTransfer::OnHeaders) onHeaders;
    decltype(HttpTransfer::OnProgress) onProgress;
    decltype(HttpTransfer::OnPasswordRequest) onPasswordRequest;
    decltype(HttpTransfer::OnProxyAuthRequest) onProxyAuthRequest;

    // Declared in opening order, so they close request first.
    ScopedInternet root;
    ScopedInternet connection;
    ScopedInternet request;
    ScopedFile file;
    bool fileCreated = false;
    DWORD fileError = 0;
    std::string body;
    TransferCounts counts;
    // A Location this transfer would not follow (another scheme, or https to http).
    std::string refusedRedirect;
    std::string contentType;
    bool skipped = false;
    DWORD startTick = 0;

    ~Job() {
        if (handlesClosed) {
            request.Detach();
            connection.Detach();
            root.Detach();
        }
    }

    bool Stopping() const { return stopRequested.load(); }

    // From the window thread (or the worker's own end once nobody waits for it).
    void StopNow() {
        std::lock_guard<std::mutex> hold(guard);
        stopRequested = true;
        if (!handlesClosed) {
            handlesClosed = true;
            for (ScopedInternet* handle : {&request, &connection, &root}) {
                if (*handle) WinInet()->InternetCloseHandle(handle->Get());
            }
        }
        DiscardTargetLocked();
    }

    // A stopped transfer leaves no partly written file behind.
    void DiscardTargetLocked() {
        file.Reset();
        if (fileCreated) DeleteFileA(targetFile.c_str());
        fileCreated = false;
    }

    // Keeps a handle the worker opened; false (the handle closed) when it is null or a stop came.
    bool Keep(ScopedInternet& slot, HINTERNET handle) {
        std::lock_guard<std::mutex> hold(guard);
        if (handlesClosed) {
            if (handle) WinInet()->InternetCloseHandle(handle);
            return false;
        }
        slot.Reset(handle);
        return handle != nullptr;
    }

    void CloseHandles() {
        std::lock_guard<std::mutex> hold(guard);
        if (handlesClosed) return;
        request.Reset();
        connection.Reset();
        root.Reset();
    }

    // Runs the handler on the window thread and waits for it; nothing once a stop is asked.
    void Report(const std::function<void()>& handler) {
        if (Stopping()) return;
        SendMessageA(reportWindow, kRunReportMessage, 0, reinterpret_cast<LPARAM>(&handler));
    }

    void Run() {
        startTick = GetTickCount();
        UrlParts url;
        // Without the system's wininet.dll nothing connects: the transfer ends as one that could not.
        if (!WinInet() || !SplitUrl(address, url) || Stopping()) return;
        // Redirects are followed here rather than by WinINet, so that a loop ends: the
        // answer after the last one allowed stands as the transfer's status.
        const bool followRedirects = !(settings.InternetOptions & ioNoAutoRedirect);
        for (int redirects = 0;; ++redirects) {
            if (url.userName.empty()) {
                url.userName = settings.HttpUserName;
                url.password = settings.HttpPassword;
            }
            if (!Open(url) || Stopping()) return;
            if (!SendWithCredentials() || Stopping()) return;
            if (!followRedirects || !IsRedirectStatus(counts.status) || redirects == kMaxRedirects) break;
            std::string location;
            UrlParts next;
            if (!QueryText(request.Get(), HTTP_QUERY_LOCATION, location)) break;
            if (!RedirectTarget(url, location, next)) {
                refusedRedirect = location;
                break;
            }
            url = next;
            CloseHandles();
        }
        ReadHeaders();
        if (skipped || Stopping()) return;
        if (!OpenTarget()) return;
        ReadBody();
    }

    bool Open(const UrlParts& url) {
        if (proxy.AccessType == ProxyAccessType::atUseProxy) {
            const std::string proxyText = proxy.ProxyServer + ":" + std::to_string(proxy.ProxyPort);
            if (!Keep(root, WinInet()->InternetOpenA(settings.AgentName.c_str(), INTERNET_OPEN_TYPE_PROXY, proxyText.c_str(),
                                          NullIfEmpty(proxy.ProxyBypass), 0))) {
                return false;
            }
        } else {
            const DWORD access = proxy.AccessType == ProxyAccessType::atDirect ? INTERNET_OPEN_TYPE_DIRECT
                                                                              : INTERNET_OPEN_TYPE_PRECONFIG;
            if (!Keep(root, WinInet()->InternetOpenA(settings.AgentName.c_str(), access, nullptr, nullptr, 0))) return false;
        }
        if (!Keep(connection, WinInet()->InternetConnectA(root.Get(), url.host.c_str(), static_cast<INTERNET_PORT>(url.port),
                                               NullIfEmpty(url.userName), NullIfEmpty(url.password),
                                               INTERNET_SERVICE_HTTP, 0, 0))) {
            return false;
        }
        const std::string object = url.path + url.extra;
        const char* acceptTypes[] = {settings.AcceptTypes.c_str(), nullptr};
        if (!Keep(request, WinInet()->HttpOpenRequestA(connection.Get(), "GET", object.c_str(), nullptr, nullptr, acceptTypes,
                                            RequestFlags(settings.CacheOptions, settings.InternetOptions,
                                                         url.scheme == "https") |
                                                INTERNET_FLAG_NO_AUTO_REDIRECT,
                                            0))) {
            return false;
        }
        const std::pair<DWORD, DWORD> timeouts[] = {{INTERNET_OPTION_CONNECT_TIMEOUT, settings.ConnectTimeout},
                                                    {INTERNET_OPTION_RECEIVE_TIMEOUT, settings.ReceiveTimeout},
                                                    {INTERNET_OPTION_SEND_TIMEOUT, settings.SendTimeout}};
        for (auto [option, value] : timeouts) {
            if (value != 0) WinInet()->InternetSetOptionA(request.Get(), option, &value, sizeof value);
        }
        for (const std::string& line : settings.ExtraHeaders) {
            WinInet()->HttpAddRequestHeadersA(request.Get(), line.c_str(), static_cast<DWORD>(line.size()),
                                   HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_REPLACE);
        }
        return true;
    }

    // Sends the request, answering 401 through the password handler and 407 first with the
    // proxy settings' credentials, then through the proxy handler. False when no status
    // line was read.
    bool SendWithCredentials() {
        bool proxyCredentialsSent = false;
        for (;;) {
            if (Stopping()) return false;
            if (!WinInet()->HttpSendRequestA(request.Get(), nullptr, 0, nullptr, 0)) {
                counts.certificateFailed = IsCertificateError(GetLastError());
                return false;
            }
            DWORD status = 0;
            if (!QueryNumber(request.Get(), HTTP_QUERY_STATUS_CODE, status)) return false;
            counts.status = static_cast<int>(status);
            bool again = false;
            if (status == HTTP_STATUS_DENIED && onPasswordRequest) {
                std::string header;
                QueryText(request.Get(), HTTP_QUERY_WWW_AUTHENTICATE, header);
                const std::string realm = RealmFromAuthenticateHeader(header);
                std::string user;
                std::string password;
                Report([&] { again = onPasswordRequest(realm, user, password); });
                SetTextOption(request.Get(), INTERNET_OPTION_USERNAME, user);
                SetTextOption(request.Get(), INTERNET_OPTION_PASSWORD, password);
            } else if (status == HTTP_STATUS_PROXY_AUTH_REQ && !proxyCredentialsSent) {
                proxyCredentialsSent = true;
                SetTextOption(request.Get(), INTERNET_OPTION_PROXY_USERNAME, proxy.ProxyUsername);
                SetTextOption(request.Get(), INTERNET_OPTION_PROXY_PASSWORD, proxy.ProxyPassword);
                again = true;
            } else if (status == HTTP_STATUS_PROXY_AUTH_REQ && onProxyAuthRequest) {
                std::string user = proxy.ProxyUsername;
                std::string password = proxy.ProxyPassword;
                Report([&] { again = onProxyAuthRequest(user, password); });
                SetTextOption(request.Get(), INTERNET_OPTION_PROXY_USERNAME, user);
                SetTextOption(request.Get(), INTERNET_OPTION_PROXY_PASSWORD, password);
            }
            if (!again) return true;
            DrainBody(request.Get());
        }
    }

    void ReadHeaders() {
        DWORD length = 0;
        counts.hasContentLength = QueryNumber(request.Get(), HTTP_QUERY_CONTENT_LENGTH, length);
        counts.contentLength = counts.hasContentLength ? length : 0;
        QueryText(request.Get(), HTTP_QUERY_CONTENT_TYPE, contentType);
        if (!onHeaders) return;
        ResponseHeaders headers;
        headers.Status = counts.status;
        headers.ContentLength = counts.contentLength;
        headers.ContentType = contentType;
        QueryText(request.Get(), HTTP_QUERY_RAW_HEADERS_CRLF, headers.RawHeaders);
        const int bias = CurrentBiasMinutes();
        headers.Date = HeaderDate(request.Get(), HTTP_QUERY_DATE, bias);
        headers.LastModified = HeaderDate(request.Get(), HTTP_QUERY_LAST_MODIFIED, bias, &headers.LastModifiedGmt);
        headers.Expires = HeaderDate(request.Get(), HTTP_QUERY_EXPIRES, bias);
        bool cancel = false;
        Report([&] { onHeaders(headers, cancel); });
        skipped = cancel;
    }

    bool OverMemoryLimit(std::int64_t bytes) const {
        return settings.MaxMemoryBytes > 0 && bytes > settings.MaxMemoryBytes;
    }

    // A file only for a good status; any other body goes to memory for the owner to read.
    bool OpenTarget() {
        if (targetFile.empty() || !IsSuccessStatus(counts.status)) {
            if (OverMemoryLimit(counts.contentLength)) {
                counts.tooLarge = true;
                return false;
            }
            body.reserve(static_cast<std::size_t>(std::min(counts.contentLength, kMaxReserve)));
            return true;
        }
        const DWORD attributes =
            settings.MarkTargetTemporary ? FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY : FILE_ATTRIBUTE_NORMAL;
        // A hidden file can only be replaced by a request that asks for hidden.
        std::lock_guard<std::mutex> hold(guard);
        if (Stopping()) return false;
        const DWORD existing = GetFileAttributesA(targetFile.c_str());
        if (existing != INVALID_FILE_ATTRIBUTES && !(existing & FILE_ATTRIBUTE_DIRECTORY)) {
            SetFileAttributesA(targetFile.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        file.Reset(CreateFileA(targetFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr));
        if (!file) {
            fileError = GetLastError();
            counts.fileFailed = true;
            return false;
        }
        fileCreated = true;
        // Windows applies the attributes when it replaces a file too; Wine does not, and an
        // explicit call is right on both.
        if (settings.MarkTargetTemporary) SetFileAttributesA(targetFile.c_str(), attributes);
        return true;
    }

    // Reads what has arrived, at most a block at a time: a read of a whole block would wait
    // until the block is full, however slowly a server sends, and a stop only ends a read
    // where the system can abort it.
    void ReadBody() {
        std::vector<char> buffer(std::max<DWORD>(settings.TransferBufferSize, 1));
        while (!Stopping()) {
            DWORD available = 0;
            if (!WinInet()->InternetQueryDataAvailable(request.Get(), &available, 0, 0) || available == 0) return;
            DWORD read = 0;
            if (!WinInet()->InternetReadFile(request.Get(), buffer.data(),
                                  std::min(available, static_cast<DWORD>(buffer.size())), &read) ||
                read == 0) {
                return;
            }
            if (!targetFile.empty() && IsSuccessStatus(counts.status)) {
                std::lock_guard<std::mutex> hold(guard);
                if (Stopping()) return;
                DWORD written = 0;
                if (!WriteFile(file.Get(), buffer.data(), read, &written, nullptr) || written != read) {
                    fileError = GetLastError();
                    counts.fileFailed = true;
                    return;
                }
            } else {
                if (OverMemoryLimit(static_cast<std::int64_t>(body.size()) + read)) {
                    counts.tooLarge = true;
                    return;
                }
                body.append(buffer.data(), read);
            }
            counts.bytesReceived += read;
            if (onProgress) {
                const TransferProgress progress =
                    ComputeProgress(counts.bytesReceived, counts.contentLength, GetTickCount() - startTick);
                Report([&] { onProgress(progress); });
            }
        }
    }

    static DWORD WINAPI ThreadMain(LPVOID param) {
        Job* job = static_cast<Job*>(param);
        job->Run();
        if (job->released.exchange(true)) {
            // The owner went while this worker was still busy: nobody waits for the end.
            job->StopNow();
            delete job;
            return 0;
        }
        PostMessageA(job->reportWindow, kWorkerEndedMessage, 0, 0);
        return 0;
    }
};

// A message-only window of the thread that made the transfer: the worker's reports and its
// end notice arrive there. An exception from a handler is reported by the Window base.
class HttpTransfer::ReportWindow : public Window {
public:
    explicit ReportWindow(HttpTransfer& transfer) : transfer_(transfer) {
        if (!CreateCentred("LurkHttpTransferReports", "", 0, 0, 0, 0, HWND_MESSAGE)) {
            throw std::runtime_error("Cannot create the HTTP transfer's report window");
        }
    }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == kRunReportMessage) {
            (*reinterpret_cast<const std::function<void()>*>(lParam))();
            return 0;
        }
        if (msg == kWorkerEndedMessage) {
            if (transfer_.job_) transfer_.Finish();
            return 0;
        }
        return Window::HandleMessage(msg, wParam, lParam);
    }

private:
    HttpTransfer& transfer_;
};

HttpTransfer::HttpTransfer() : reportWindow_(std::make_unique<ReportWindow>(*this)) {}

// A worker still running may be blocked in a read for as long as the server keeps quiet:
// it is left to end by itself and free its job, so that closing the program never waits.
// The report window goes first, so no report of it can run any more.
HttpTransfer::~HttpTransfer() {
    if (!thread_) return;
    job_->StopNow();
    reportWindow_.reset();
    if (job_->released.exchange(true)) {
        WaitForSingleObject(thread_.Get(), INFINITE);  // ended, or about to
        job_.reset();
    } else {
        job_.release();
    }
}

bool HttpTransfer::Start(const std::string& address, const std::string& targetFile) {
    if (job_) return false;
    auto job = std::make_unique<Job>();
    job->reportWindow = reportWindow_->Handle();
    job->address = address;
    job->targetFile = targetFile;
    job->proxy = Proxy;
    job->settings = Settings;
    job->onHeaders = OnHeaders;
    job->onProgress = OnProgress;
    job->onPasswordRequest = OnPasswordRequest;
    job->onProxyAuthRequest = OnProxyAuthRequest;
    HANDLE thread = CreateThread(nullptr, 0, Job::ThreadMain, job.get(), 0, nullptr);
    if (!thread) return false;
    thread_.Reset(thread);
    job_ = std::move(job);
    return true;
}

void HttpTransfer::Stop() {
    if (job_) job_->StopNow();
}

void HttpTransfer::Finish() {
    WaitForSingleObject(thread_.Get(), INFINITE);
    thread_.Reset();
    std::unique_ptr<Job> job = std::move(job_);
    const bool stopped = job->stopRequested.load();

    TransferOutcome outcome;
    outcome.Status = job->counts.status;
    outcome.ContentType = job->contentType;
    outcome.BytesReceived = job->counts.bytesReceived;
    outcome.ContentLength = job->counts.contentLength;
    outcome.FileErrorCode = job->fileError;
    outcome.RefusedRedirect = job->refusedRedirect;
    outcome.Result = job->skipped ? TransferResult::Skipped : ClassifyTransfer(job->counts);
    outcome.Body = std::move(job->body);

    // Handles close here, the file first, so the owner finds it complete.
    job->file.Reset();
    const bool keepFile = !stopped && outcome.Result != TransferResult::FileError &&
                          outcome.Result != TransferResult::OtherStatus;
    if (job->fileCreated && !keepFile) DeleteFileA(job->targetFile.c_str());
    job.reset();

    // OnDone may lead to a new start on this transfer, which assigns a new OnDone.
    if (!stopped) CallHandler(OnDone, outcome);
}
