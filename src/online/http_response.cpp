#include "online/http_response.h"

bool IsSuccessStatus(int status) {
    return status == 200 || status == 206;
}

TransferResult ClassifyTransfer(const TransferCounts& counts) {
    if (counts.status == -1) return TransferResult::NoResponse;
    if (!IsSuccessStatus(counts.status)) return TransferResult::OtherStatus;
    if (counts.fileFailed) return TransferResult::FileError;
    if (counts.tooLarge) return TransferResult::TooLarge;
    if (counts.hasContentLength && counts.bytesReceived != counts.contentLength) return TransferResult::Incomplete;
    return TransferResult::Success;
}

std::string RealmFromAuthenticateHeader(const std::string& header) {
    const std::size_t start = header.find("=\"");
    if (start == std::string::npos) return "";
    const std::string rest = header.substr(start + 2);
    return rest.empty() ? rest : rest.substr(0, rest.size() - 1);
}
