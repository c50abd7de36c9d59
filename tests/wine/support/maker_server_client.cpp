#include "support/maker_server_client.h"

#include <windows.h>
#include <wincrypt.h>
#include <wininet.h>

#include "platform/wininet_win.h"
#include "support/wine_test_support.h"

namespace wt {

namespace {

// One direct request to the server; the answer's body, or nothing when there was none.
bool Request(const char* verb, const std::string& pathAndQuery, const std::string& body, int expectedStatus,
             std::string* answer = nullptr) {
    ScopedInternet root(InternetOpenA("Lurkmark tests", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!root) return false;
    ScopedInternet connection(InternetConnectA(root.Get(), "127.0.0.1",
                                               static_cast<INTERNET_PORT>(std::stoi(Env("LURK_HTTP_PORT"))), nullptr,
                                               nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return false;
    ScopedInternet request(HttpOpenRequestA(connection.Get(), verb, pathAndQuery.c_str(), nullptr, nullptr, nullptr,
                                            INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    if (!request) return false;
    if (!HttpSendRequestA(request.Get(), nullptr, 0, const_cast<char*>(body.data()), static_cast<DWORD>(body.size()))) {
        return false;
    }
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoA(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) {
        return false;
    }
    char buffer[4096];
    DWORD read = 0;
    while (InternetReadFile(request.Get(), buffer, sizeof buffer, &read) && read > 0) {
        if (answer) answer->append(buffer, read);
    }
    return static_cast<int>(status) == expectedStatus;
}

}  // namespace

std::string MakerServerUrl(const std::string& pathAndQuery, const std::string& host) {
    return "http://" + MakerServerHost(host) + pathAndQuery;
}

std::string MakerServerHost(const std::string& host) {
    return host + ":" + Env("LURK_HTTP_PORT");
}

std::string MakerServerSecureUrl(const std::string& pathAndQuery, const std::string& host) {
    return "https://" + MakerServerSecureHost(host) + pathAndQuery;
}

std::string MakerServerSecureHost(const std::string& host) {
    return host + ":" + Env("LURK_HTTPS_PORT");
}

bool TrustTestAuthority(bool trusted) {
    const std::string der = ReadFileBytes(Env("LURK_TEST_PKI_WIN") + "\\ca.der");
    HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_SYSTEM_A, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, "ROOT");
    if (!store) return false;
    PCCERT_CONTEXT added = nullptr;
    bool done = CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING,
                                                 reinterpret_cast<const BYTE*>(der.data()),
                                                 static_cast<DWORD>(der.size()), CERT_STORE_ADD_USE_EXISTING,
                                                 &added) != FALSE;
    if (done && !trusted) {
        done = CertDeleteCertificateFromStore(added) != FALSE;  // frees the context too
    } else if (added) {
        CertFreeCertificateContext(added);
    }
    CertCloseStore(store, 0);
    return done;
}

bool PublishOnMakerServer(const std::string& pathAndQuery, const std::string& body) {
    return Request("PUT", pathAndQuery, body, 201);
}

std::string FetchFromMakerServer(const std::string& pathAndQuery) {
    std::string answer;
    return Request("GET", pathAndQuery, "", 200, &answer) ? answer : "";
}

bool ReleaseStalledAnswers(const std::string& path) {
    return Request("POST", "/release?path=" + path, "", 200);
}

int RequestsServed(const std::string& path) {
    std::string answer;
    if (!Request("GET", "/served?path=" + path, "", 200, &answer)) return -1;
    try {
        return std::stoi(answer);
    } catch (...) {
        return -1;
    }
}

}  // namespace wt
