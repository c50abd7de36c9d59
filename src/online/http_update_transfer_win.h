#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "online/http_transfer_win.h"
#include "online/update_transfer.h"

// The update component's transfers, run by the HTTP worker on the window thread that
// creates this object. A stopped transfer may need a moment to wind down (a read under
// way); the next one starts at once on a fresh worker meanwhile.
class HttpUpdateTransfer : public UpdateTransfer {
public:
    // An information file is a few lines; anything near this size is not one.
    static constexpr std::int64_t kMaxMemoryBytes = 1024 * 1024;
    // Connect, send and receive time-outs: the longest silence a transfer waits through.
    static constexpr DWORD kTimeoutMs = 30000;

    HttpUpdateTransfer() = default;
    // A worker still winding down is left to end by itself.
    ~HttpUpdateTransfer() override = default;

    void Start(const TransferRequest& request, TransferListener& listener) override;
    void Stop() override;

private:
    void ForgetEndedWorkers();

    std::unique_ptr<HttpTransfer> current_;
    std::vector<std::unique_ptr<HttpTransfer>> stopping_;
};
