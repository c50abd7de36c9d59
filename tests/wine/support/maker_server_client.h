#pragma once
// The maker's server script that tests named http_* run against (port in LURK_HTTP_PORT):
// addresses on it, and answers a test publishes there for later requests.
#include <string>

namespace wt {

// "http://HOST:PORT" followed by the path and query.
std::string MakerServerUrl(const std::string& pathAndQuery, const std::string& host = "127.0.0.1");
// "HOST:PORT", as the host settings take it.
std::string MakerServerHost(const std::string& host = "127.0.0.1");
// The same server over https (port in LURK_HTTPS_PORT; same files and published answers).
std::string MakerServerSecureUrl(const std::string& pathAndQuery, const std::string& host = "127.0.0.1");
std::string MakerServerSecureHost(const std::string& host = "127.0.0.1");

// Makes this Wine prefix (and only it) trust the test certificate authority that signed the
// https server's certificate (LURK_TEST_PKI_WIN\ca.der), or stop trusting it. True on success.
bool TrustTestAuthority(bool trusted = true);

// Keeps the body and the query's answer modes for the path (see server/maker_server.py);
// true when the server took it.
bool PublishOnMakerServer(const std::string& pathAndQuery, const std::string& body);
// The body the server answers (over http) for the path; empty when it did not answer 200.
std::string FetchFromMakerServer(const std::string& pathAndQuery);
// Ends the waits of answers published with "stall=N" for the path.
bool ReleaseStalledAnswers(const std::string& path);
// How many requests for the path the server has received so far; -1 when it cannot tell.
int RequestsServed(const std::string& path);

}  // namespace wt
