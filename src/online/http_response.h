#pragma once
#include <cstdint>
#include <string>

// How a transfer ended, as its owner is told.
enum class TransferResult {
    Success,     // status 200 or 206 and, when a length was announced, exactly that many bytes
    Incomplete,  // status 200 or 206 but not the announced number of bytes
    NoResponse,  // no status line was read: name not resolved, no connection, refused
    CertificateError,  // https: the server's certificate was not trusted, or the secure channel failed
    OtherStatus, // any other HTTP status (401, 404, a repeated 407, ...)
    FileError,   // status 200 or 206 but the target file could not be created or written
    Skipped,     // the header handler cancelled before the body was read
    TooLarge,    // status 200 or 206 but the body would not fit the memory limit; not read on
};

struct TransferCounts {
    int status = -1;                  // -1 until a status line has been read
    bool hasContentLength = false;
    std::int64_t contentLength = 0;
    std::int64_t bytesReceived = 0;
    bool fileFailed = false;
    bool tooLarge = false;            // a memory body passed its limit
    bool certificateFailed = false;   // the request was not sent for the server's certificate
};

bool IsSuccessStatus(int status);

// WinINet's errors of a request refused for the server's certificate or secure channel
// (12037, 12038, 12044, 12045, 12055-12057, 12157, 12169, 12170, 12179).
bool IsCertificateError(unsigned long error);

TransferResult ClassifyTransfer(const TransferCounts& counts);

// The realm of a WWW-Authenticate header such as `Basic realm="Updates"`: the text after
// the first `="`, without its last character (the closing quote). Empty when there is none.
std::string RealmFromAuthenticateHeader(const std::string& header);
