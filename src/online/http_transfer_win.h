#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "online/http_date.h"
#include "online/http_response.h"
#include "online/transfer_progress.h"
#include "platform/scoped_win.h"

enum class ProxyAccessType { atPreconfig, atDirect, atUseProxy };

struct HttpProxy {
    ProxyAccessType AccessType = ProxyAccessType::atPreconfig;
    std::string ProxyServer;
    int ProxyPort = 8080;
    std::string ProxyBypass = "127.0.0.1;";  // passed on only when not empty
    std::string ProxyUsername;
    std::string ProxyPassword;
};

// Cache options, a set of bits.
enum CacheOption : unsigned {
    coAlwaysReload = 1u << 0,
    coReloadIfNoExpireInformation = 1u << 1,
    coReloadUpdatedObjects = 1u << 2,
    coPragmaNoCache = 1u << 3,
    coNoCacheWrite = 1u << 4,
    coCreateTempFilesIfCantCache = 1u << 5,
    coUseCacheIfNetFail = 1u << 6,
};

// Internet options, a set of bits.
enum InternetOption : unsigned {
    ioIgnoreCertificateInvalid = 1u << 0,
    ioIgnoreCertificateDateInvalid = 1u << 1,
    ioIgnoreRedirectToHTTP = 1u << 2,
    ioIgnoreRedirectToHTTPS = 1u << 3,
    ioKeepConnection = 1u << 4,
    ioNoAuthentication = 1u << 5,
    ioNoAutoRedirect = 1u << 6,
    ioNoCookies = 1u << 7,
};

constexpr const char* kHttpTransferAgent = "Lurkmark HTTP transfer";

struct HttpTransferSettings {
    std::string AgentName = kHttpTransferAgent;
    std::string AcceptTypes = "text/html, */*";
    DWORD TransferBufferSize = 4096;
    unsigned CacheOptions = coReloadIfNoExpireInformation | coReloadUpdatedObjects | coCreateTempFilesIfCantCache;
    unsigned InternetOptions = ioKeepConnection;
    // Used when the address names no user of its own.
    std::string HttpUserName;
    std::string HttpPassword;
    std::vector<std::string> ExtraHeaders;  // whole header lines such as "X-Mirror: 1"
    // Milliseconds; 0 keeps the system's own.
    DWORD ConnectTimeout = 0;
    DWORD ReceiveTimeout = 0;
    DWORD SendTimeout = 0;
    // A target file is marked hidden and temporary while it exists (the updater wants this).
    bool MarkTargetTemporary = false;
    // The most bytes a memory target takes (0: no limit). A body announced or grown beyond it
    // is not read on, so that an endless answer cannot exhaust the address space.
    std::int64_t MaxMemoryBytes = 0;
};

// Request flags of the cache and internet options (and INTERNET_FLAG_SECURE for https).
DWORD RequestFlags(unsigned cacheOptions, unsigned internetOptions, bool secure);

struct ResponseHeaders {
    int Status = -1;
    std::int64_t ContentLength = 0;  // 0 when absent
    std::string ContentType;
    std::string RawHeaders;          // status line and headers, CR LF separated
    // Local time; absent when the header is missing or cannot be read.
    std::optional<DateTime> Date;
    std::optional<DateTime> LastModified;
    std::optional<DateTime> Expires;
    std::optional<DateTime> LastModifiedGmt;  // for file times, which Windows keeps in UTC
};

struct TransferOutcome {
    TransferResult Result = TransferResult::NoResponse;
    int Status = -1;
    std::string ContentType;
    std::string Body;  // the memory target; empty for a file
    std::int64_t BytesReceived = 0;
    std::int64_t ContentLength = 0;
    DWORD FileErrorCode = 0;  // the system error of a FileError
    std::string RefusedRedirect;  // a redirect's Location not followed; its answer stands
};

// One HTTP GET at a time on a worker thread of its own. Create, use and destroy it on the
// window thread: every report runs there while the worker waits for it to return, so the
// thread must keep its message loop running during a transfer. Stop() may be called from a
// report handler; destroying the transfer may not (the worker is waiting for that handler).
class HttpTransfer {
public:
    HttpTransfer();
    // Stops a running transfer as Stop does; no report follows. A worker that the system
    // cannot interrupt ends by itself later (at the latest at its receive time-out).
    ~HttpTransfer();
    HttpTransfer(const HttpTransfer&) = delete;
    HttpTransfer& operator=(const HttpTransfer&) = delete;

    HttpProxy Proxy;
    HttpTransferSettings Settings;

    // Reports. Each one is optional; the handlers a transfer uses are those assigned when
    // it starts. OnHeaders may set cancel: the body is then not read and OnDone receives
    // Skipped.
    std::function<void(const ResponseHeaders& headers, bool& cancel)> OnHeaders;
    std::function<void(const TransferProgress& progress)> OnProgress;
    // Status 401: fill in the credentials and return true to send them.
    std::function<bool(const std::string& realm, std::string& userName, std::string& password)> OnPasswordRequest;
    // A 407 after the proxy credentials were sent: the same for the proxy.
    std::function<bool(std::string& proxyUserName, std::string& proxyPassword)> OnProxyAuthRequest;
    // After the worker has ended (never for a stopped transfer). May start the next one.
    std::function<void(const TransferOutcome& outcome)> OnDone;

    // Starts a GET of the address into the file (replaced when it exists), or into memory
    // when targetFile is empty, and returns at once. Does nothing and returns false while a
    // transfer runs.
    bool Start(const std::string& address, const std::string& targetFile = "");
    // Ends the transfer at once: closes its Internet handles, which aborts a call waiting on
    // the server, and deletes the partly written target file. The worker checks the request
    // before every step and after every read, and writes nothing more.
    void Stop();
    bool Busy() const { return job_ != nullptr; }

    struct Job;
    class ReportWindow;

private:
    void Finish();

    std::unique_ptr<ReportWindow> reportWindow_;
    std::unique_ptr<Job> job_;
    ScopedKernelHandle thread_;
};
