#pragma once
#include <cstdint>
#include <optional>
#include <string>

// What the update component needs from the HTTP transfer worker: one GET at a time, into
// memory or into a named file, with headers, progress and one outcome reported back on the
// main thread. The Win32 side adapts the real worker to this.

enum class ProxyAccess { Preconfig, Direct, UseProxy };

struct ProxyConfig {
    ProxyAccess AccessType = ProxyAccess::Preconfig;
    std::string ProxyServer;
    int ProxyPort = 8080;
    std::string ProxyUsername;
    std::string ProxyPassword;
};

struct TransferRequest {
    std::string address;
    // Empty: the body is kept in memory. Otherwise the file is created anew (replacing an
    // older one) and marked hidden and temporary.
    std::string targetFile;
    bool noCachePragma = false;  // added to the default cache options
    ProxyConfig proxy;
};

struct TransferHeaders {
    int status = -1;
    long long contentLength = 0;  // 0 when the response announced none
    // Last-Modified as a Windows file time (100 ns since 1601, UTC), when sent and readable.
    std::optional<std::uint64_t> lastModifiedUtc;
};

enum class UpdateTransferOutcome {
    Success,           // status 200 or 206, and every announced byte arrived
    Incomplete,        // status 200 or 206 but fewer bytes than announced
    NoResponse,        // no status line at all: name not resolved, no connection, refused
    CertificateError,  // https: the server's certificate was not trusted; nothing was sent
    HttpStatus,        // any other status; a partly written target file is deleted
    TargetNotCreated,  // the target file could not be created; nothing was read
    TooLarge,          // a body kept in memory grew past any sensible size; not read on
};

struct UpdateTransferResult {
    UpdateTransferOutcome outcome = UpdateTransferOutcome::NoResponse;
    int status = -1;
    std::string body;  // memory transfers
    // A redirect to an address that is not followed (plain http after https, another scheme).
    std::string refusedRedirect;
};

// Reports of the running transfer, each on the main thread.
class TransferListener {
public:
    virtual ~TransferListener() = default;
    virtual void OnTransferHeaders(const TransferHeaders& headers) = 0;
    virtual void OnTransferProgress(long long received, long long contentLength, long long elapsedSeconds) = 0;
    // After the worker has ended; a new transfer may be started from here. Never after Stop.
    virtual void OnTransferDone(const UpdateTransferResult& result) = 0;
};

class UpdateTransfer {
public:
    virtual ~UpdateTransfer() = default;
    // Returns at once; the listener must outlive the transfer.
    virtual void Start(const TransferRequest& request, TransferListener& listener) = 0;
    // Asks the running transfer to end; it then reports nothing more. Harmless when idle.
    virtual void Stop() = 0;
};
