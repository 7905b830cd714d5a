#include "publish/tls_client.h"

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <csignal>

#include "publish/ssh_host_keys.h"

namespace quillon {

namespace {

std::string nameText(X509_NAME* name) {
  if (!name) return {};
  char buffer[512];
  X509_NAME_oneline(name, buffer, sizeof buffer);
  return buffer;
}

std::string timeText(const ASN1_TIME* t) {
  BIO* bio = BIO_new(BIO_s_mem());
  ASN1_TIME_print(bio, t);
  char* data = nullptr;
  const long n = BIO_get_mem_data(bio, &data);
  std::string out(data, static_cast<size_t>(n));
  BIO_free(bio);
  return out;
}

Certificate describe(X509* cert) {
  Certificate c;
  c.subject = nameText(X509_get_subject_name(cert));
  c.issuer = nameText(X509_get_issuer_name(cert));
  c.validFrom = timeText(X509_get0_notBefore(cert));
  c.validUntil = timeText(X509_get0_notAfter(cert));
  unsigned char hash[EVP_MAX_MD_SIZE];
  unsigned length = 0;
  X509_digest(cert, EVP_sha256(), hash, &length);
  c.fingerprint = "SHA256:" + base64({reinterpret_cast<const char*>(hash), length}, false);
  return c;
}

}  // namespace

TlsClient::TlsClient(std::string host, std::string trusted) : host_(std::move(host)), trusted_(std::move(trusted)) {
  // TLS writes go through write(2), without MSG_NOSIGNAL: a peer that is gone must be an error, not a signal.
  std::signal(SIGPIPE, SIG_IGN);
  ctx_ = SSL_CTX_new(TLS_client_method());
  if (!ctx_) return;
  SSL_CTX_set_min_proto_version(ctx_, TLS1_2_VERSION);
  SSL_CTX_set_default_verify_paths(ctx_);
  SSL_CTX_set_verify(ctx_, SSL_VERIFY_NONE, nullptr);  // the result is judged in check()
  SSL_CTX_set_mode(ctx_, SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
  SSL_CTX_set_session_cache_mode(ctx_, SSL_SESS_CACHE_CLIENT);
}

TlsClient::~TlsClient() {
  if (session_) SSL_SESSION_free(session_);
  if (ctx_) SSL_CTX_free(ctx_);
}

ssl_st* TlsClient::start(int fd, bool dataChannel) {
  SSL* ssl = ctx_ ? SSL_new(ctx_) : nullptr;
  if (!ssl) return nullptr;
  SSL_set_fd(ssl, fd);
  SSL_set_tlsext_host_name(ssl, host_.c_str());
  SSL_set1_host(ssl, host_.c_str());
  if (dataChannel && session_) SSL_set_session(ssl, session_);
  return ssl;
}

std::string TlsClient::check(ssl_st* ssl, bool dataChannel) {
  X509* cert = SSL_get1_peer_certificate(ssl);
  if (!cert) return "The server showed no certificate";
  const Certificate c = describe(cert);
  const long verified = SSL_get_verify_result(ssl);
  X509_free(cert);
  if (dataChannel) {
    if (c.fingerprint == fingerprint_) return {};
    return "The data connection showed another certificate than the server (" + c.fingerprint + ")";
  }
  if (verified == X509_V_OK || c.fingerprint == trusted_) {
    fingerprint_ = c.fingerprint;
    refused_.reset();
    return {};
  }
  refused_ = c;
  const std::string why = X509_verify_cert_error_string(verified);
  if (!trusted_.empty())
    return "WARNING: the server's certificate is not the one you trusted. You trusted " + trusted_ +
           ", the server now shows " + c.fingerprint + " (" + why + "). Nothing was sent.";
  return "The server's certificate cannot be checked (" + why + "). It is " + c.subject + ", issued by " + c.issuer +
         ", valid from " + c.validFrom + " until " + c.validUntil + ", fingerprint " + c.fingerprint + ".";
}

void TlsClient::keepSession(ssl_st* ssl) {
  SSL_SESSION* s = ssl ? SSL_get1_session(ssl) : nullptr;
  if (!s) return;
  if (!SSL_SESSION_is_resumable(s)) {
    SSL_SESSION_free(s);
    return;
  }
  if (session_) SSL_SESSION_free(session_);
  session_ = s;
}

std::string tlsErrorText(ssl_st* ssl, int code) {
  const unsigned long e = ERR_get_error();
  ERR_clear_error();
  if (e != 0) {
    char buffer[256];
    ERR_error_string_n(e, buffer, sizeof buffer);
    return buffer;
  }
  if (code == SSL_ERROR_SYSCALL || code == SSL_ERROR_ZERO_RETURN) return "the server closed the connection";
  (void)ssl;
  return "TLS error " + std::to_string(code);
}

}  // namespace quillon
