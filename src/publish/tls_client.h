#pragma once

#include <memory>
#include <optional>
#include <string>

struct ssl_st;
struct ssl_ctx_st;
struct ssl_session_st;

namespace quillon {

// A server's certificate as a user is shown it.
struct Certificate {
  std::string subject, issuer, validFrom, validUntil;
  std::string fingerprint;  // "SHA256:" and the hash in unpadded base64
};

// The TLS side of the FTP client: one context for a connection's control and data channels, the checks of
// the server's certificate, and the session the data channels resume (servers demand that by default).
class TlsClient {
 public:
  // `host` is the name the certificate must be for; `trusted` the fingerprint of a certificate the user
  // accepted though no authority vouches for it (empty for none).
  TlsClient(std::string host, std::string trusted);
  ~TlsClient();
  TlsClient(const TlsClient&) = delete;
  TlsClient& operator=(const TlsClient&) = delete;

  bool ready() const { return ctx_ != nullptr; }
  // A new TLS connection over `fd`, resuming the control channel's session for a data channel.
  ssl_st* start(int fd, bool dataChannel);
  // After a handshake: empty when the certificate is to be trusted, else why not (the certificate is then
  // in refused()). A data channel must show the control channel's certificate.
  std::string check(ssl_st* ssl, bool dataChannel);
  // The session the next data channel resumes: the control channel's at first, then that of the last data
  // channel (TLS 1.3 gives each session for one resumption only). Kept only when it can be resumed.
  void keepSession(ssl_st* ssl);
  bool hasSession() const { return session_ != nullptr; }
  const std::optional<Certificate>& refused() const { return refused_; }
  // The fingerprint a check found trusted on the control channel.
  const std::string& fingerprint() const { return fingerprint_; }

 private:
  std::string host_, trusted_;
  ssl_ctx_st* ctx_ = nullptr;
  ssl_session_st* session_ = nullptr;
  std::optional<Certificate> refused_;
  std::string fingerprint_;
};

// OpenSSL's last error for `ssl` (from SSL_get_error's `code`) in words.
std::string tlsErrorText(ssl_st* ssl, int code);

}  // namespace quillon
