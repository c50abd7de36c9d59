#include "online/http_response.h"

bool IsSuccessStatus(int status) {
    return status == 200 || status == 206;
}

bool IsCertificateError(unsigned long error) {
    switch (error) {
    case 12037:  // ERROR_INTERNET_SEC_CERT_DATE_INVALID
    case 12038:  // ERROR_INTERNET_SEC_CERT_CN_INVALID
    case 12044:  // ERROR_INTERNET_CLIENT_AUTH_CERT_NEEDED
    case 12045:  // ERROR_INTERNET_INVALID_CA
    case 12055:  // ERROR_INTERNET_SEC_CERT_ERRORS
    case 12056:  // ERROR_INTERNET_SEC_CERT_NO_REV
    case 12057:  // ERROR_INTERNET_SEC_CERT_REV_FAILED
    case 12157:  // ERROR_INTERNET_SECURITY_CHANNEL_ERROR
    case 12169:  // ERROR_INTERNET_SEC_INVALID_CERT
    case 12170:  // ERROR_INTERNET_SEC_CERT_REVOKED
    case 12179:  // ERROR_INTERNET_SEC_CERT_WEAK_SIGNATURE
        return true;
    default:
        return false;
    }
}

TransferResult ClassifyTransfer(const TransferCounts& counts) {
    if (counts.status == -1) {
        return counts.certificateFailed ? TransferResult::CertificateError : TransferResult::NoResponse;
    }
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
