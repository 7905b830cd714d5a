#include "publish/star_socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <openssl/ssl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>

#include "publish/socket_errors.h"
#include "publish/tls_client.h"

namespace quillon {

namespace {

// An address written as text, IPv4 or IPv6 (brackets allowed); the port is set apart.
bool parseAddress(std::string text, sockaddr_storage& out, socklen_t& length) {
  if (text.size() > 2 && text.front() == '[' && text.back() == ']') text = text.substr(1, text.size() - 2);
  out = {};
  auto* v4 = reinterpret_cast<sockaddr_in*>(&out);
  if (::inet_pton(AF_INET, text.c_str(), &v4->sin_addr) == 1) {
    v4->sin_family = AF_INET;
    length = sizeof(sockaddr_in);
    return true;
  }
  auto* v6 = reinterpret_cast<sockaddr_in6*>(&out);
  if (::inet_pton(AF_INET6, text.c_str(), &v6->sin6_addr) == 1) {
    v6->sin6_family = AF_INET6;
    length = sizeof(sockaddr_in6);
    return true;
  }
  return false;
}

std::string addressText(const sockaddr_storage& a) {
  char text[INET6_ADDRSTRLEN] = "";
  if (a.ss_family == AF_INET6)
    ::inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6&>(a).sin6_addr, text, sizeof text);
  else
    ::inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in&>(a).sin_addr, text, sizeof text);
  return text;
}

void setPort(sockaddr_storage& a, uint16_t networkPort) {
  if (a.ss_family == AF_INET6)
    reinterpret_cast<sockaddr_in6&>(a).sin6_port = networkPort;
  else
    reinterpret_cast<sockaddr_in&>(a).sin_port = networkPort;
}

}  // namespace

TStarSocket::TStarSocket(EventLoop& loop) : loop_(loop), channel_(std::make_shared<Channel>()) {
  channel_->loop = &loop;
}

TStarSocket::~TStarSocket() {
  {
    std::lock_guard<std::mutex> lock(channel_->mutex);
    channel_->loop = nullptr;
  }
  if (lookupToken_) *lookupToken_ = false;
  if (acceptWrite_) *acceptWrite_ = false;
  stopTimer();
  endTls();
  if (watch_) loop_.unwatch(watch_);
  if (handle_ >= 0) ::close(handle_);
}

void TStarSocket::endTls() {
  if (ssl_) SSL_free(ssl_);
  ssl_ = nullptr;
  handshaking_ = false;
}

void TStarSocket::StartTls(ssl_st* ssl) {
  endTls();
  ssl_ = ssl;
  tlsError_.clear();
  if (!ssl_) {
    tlsError_ = "TLS could not be started";
    LastError = wsa::kConnectionAborted;
    raise(OnTlsReady);
    return;
  }
  handshaking_ = true;
  continueHandshake();
}

void TStarSocket::continueHandshake() {
  const int rc = SSL_connect(ssl_);
  if (rc == 1) {
    handshaking_ = false;
    LastError = 0;
    watchSocket(wanted_);
    raise(OnTlsReady);
    return;
  }
  const int e = SSL_get_error(ssl_, rc);
  if (e == SSL_ERROR_WANT_READ || e == SSL_ERROR_WANT_WRITE) {
    loop_.setEvents(watch_, e == SSL_ERROR_WANT_READ ? EventLoop::Readable : EventLoop::Writable);
    return;
  }
  handshaking_ = false;
  tlsError_ = tlsErrorText(ssl_, e);
  LastError = wsa::kConnectionAborted;
  raise(OnTlsReady);
}

bool TStarSocket::StartWinsock() {
  if (!WinsockStarted) WinsockStarted = LoadWinsock();
  return WinsockStarted;
}

void TStarSocket::OpenSocket() {
  if (handle_ != -1) return;
  family_ = AF_INET;
  handle_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  LastError = handle_ < 0 ? wsaFromErrno(errno) : 0;
  if (handle_ < 0) handle_ = -1;
}

// A socket opened before its address was known is opened again in the address's family.
void TStarSocket::matchFamily() {
  const int family = address_.ss_family == AF_INET6 ? AF_INET6 : AF_INET;
  if (handle_ < 0 || family == family_) return;
  if (watch_) loop_.unwatch(watch_);
  watch_ = 0;
  ::close(handle_);
  family_ = family;
  handle_ = ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  LastError = handle_ < 0 ? wsaFromErrno(errno) : 0;
  if (handle_ < 0) handle_ = -1;
}

// Text that is no address leaves one that reaches nothing, as 255.255.255.255 does.
void TStarSocket::SetAddress(const std::string& text) {
  if (!parseAddress(text, address_, addressLength_)) parseAddress("255.255.255.255", address_, addressLength_);
}
void TStarSocket::SetPort(uint16_t port) { port_ = htons(port); }

std::string TStarSocket::AddressText() const { return addressText(address_); }

void TStarSocket::setFtpServer(const std::string& server) {
  if (server.empty()) return;
  ftpServer_ = server;
  // Only a real address is used as one: "1and1.com" or "123-reg.co.uk" begin with a digit and are names to
  // look up. An IPv6 address may stand in brackets.
  sockaddr_storage parsed{};
  socklen_t length = 0;
  if (parseAddress(server, parsed, length)) {
    Address = addressText(parsed);
    HostName.clear();
  } else {
    HostName = server;
    Address.clear();
  }
}

void TStarSocket::LookupHost(const std::string& name) {
  if (lookupToken_) return;
  if (name.size() > kMaxHostName) {
    LastError = wsa::kInvalidArgument;
    return;
  }
  auto token = std::make_shared<bool>(true);
  lookupToken_ = token;
  std::thread([channel = channel_, token, name, this] {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* result = nullptr;
    const int rc = ::getaddrinfo(name.c_str(), nullptr, &hints, &result);
    // An IPv4 address when there is one: a name that has both is most often served on both.
    sockaddr_storage address{};
    for (int family : {AF_INET, AF_INET6})
      for (addrinfo* a = rc == 0 ? result : nullptr; a && address.ss_family == 0; a = a->ai_next)
        if (a->ai_family == family) std::memcpy(&address, a->ai_addr, a->ai_addrlen);
    if (result) ::freeaddrinfo(result);
    const int error = wsaFromLookup(rc);
    std::lock_guard<std::mutex> lock(channel->mutex);
    if (!channel->loop) return;  // the socket is gone
    channel->loop->post([token, error, address, this] {
      if (*token) lookupFinished(error, address);  // ignored when the lookup was cancelled
    });
  }).detach();
  LastError = 0;
  StartTimeOut(TimeOutArp);
}

void TStarSocket::lookupFinished(int error, const sockaddr_storage& address) {
  stopTimer();
  LastError = error;
  if (error == 0) resolved_ = address;
  lookupToken_.reset();
  hostResolved();
}

void TStarSocket::hostResolved() { raise(OnHostResolved); }

void TStarSocket::watchSocket(unsigned events) {
  wanted_ = events;
  readArmed_ = true;
  writeArmed_ = false;
  if (!watch_) watch_ = loop_.watch(handle_, 0, [this](unsigned ready) { onReady(ready); });
  unsigned poll = 0;
  if (connecting_) poll |= EventLoop::Writable;
  if ((wanted_ & (FdRead | FdClose | FdAccept)) && readArmed_) poll |= EventLoop::Readable;
  loop_.setEvents(watch_, poll);
}

void TStarSocket::Connect() {
  if (handle_ < 0) {
    LastError = wsa::kNotSocket;
    return;
  }
  matchFamily();
  if (handle_ < 0) return;
  sockaddr_storage to = address_;
  setPort(to, port_);
  connecting_ = true;
  watchSocket(FdRead | FdWrite | FdConnect | FdClose);
  const int rc = ::connect(handle_, reinterpret_cast<sockaddr*>(&to),
                           to.ss_family == AF_INET6 ? sizeof(sockaddr_in6) : sizeof(sockaddr_in));
  LastError = (rc == 0 || errno == EINPROGRESS || errno == EWOULDBLOCK) ? 0 : wsaFromErrno(errno);
  if (LastError) {
    // Refused on the spot (no address, no route): no notification follows, LastError says why.
    connecting_ = false;
    watchSocket(wanted_);
    return;
  }
  StartTimeOut(TimeOutConnect);
}

void TStarSocket::Listen() {
  matchFamily();
  if (handle_ < 0) return;
  sockaddr_storage own = address_;
  setPort(own, port_);
  const int one = 1;
  ::setsockopt(handle_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  if (::bind(handle_, reinterpret_cast<sockaddr*>(&own),
             own.ss_family == AF_INET6 ? sizeof(sockaddr_in6) : sizeof(sockaddr_in)) != 0) {
    LastError = wsaFromErrno(errno);
    return;
  }
  watchSocket(FdAccept);
  LastError = ::listen(handle_, 2) == 0 ? 0 : wsaFromErrno(errno);
}

void TStarSocket::AcceptFrom(TStarSocket& listener) {
  sockaddr_storage peer{};
  socklen_t length = sizeof peer;
  const int fd = ::accept4(listener.handle_, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_NONBLOCK | SOCK_CLOEXEC);
  listener.readArmed_ = true;  // the next connection is reported again
  if (listener.watch_) listener.watchSocket(listener.wanted_);
  if (fd < 0) {
    // A report of a connection that is gone again (or taken already) is no failure: nothing to accept.
    LastError = (errno == EWOULDBLOCK || errno == EAGAIN || errno == ECONNABORTED) ? 0 : wsaFromErrno(errno);
    return;
  }
  handle_ = fd;
  family_ = peer.ss_family;
  address_ = peer;
  port_ = peer.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6&>(peer).sin6_port
                                     : reinterpret_cast<sockaddr_in&>(peer).sin_port;
  Connected = true;
  LastError = 0;
  watchSocket(FdRead | FdWrite | FdClose);
  // Windows Sockets reports that a new connection may send at once.
  auto token = std::make_shared<bool>(true);
  acceptWrite_ = token;
  loop_.post([this, token] {
    if (*token && handle_ >= 0) notify(FdWrite, 0);
  });
}

size_t TStarSocket::transfer(const void* bytes, size_t count, int flags) {
  if (handle_ < 0) {
    LastError = wsa::kNotSocket;
    return 0;
  }
  if (ssl_) {
    if (count == 0 || handshaking_) return 0;
    const int n = SSL_write(ssl_, bytes, static_cast<int>(std::min<size_t>(count, 1 << 20)));
    if (n > 0) {
      LastError = 0;
      return static_cast<size_t>(n);
    }
    const int e = SSL_get_error(ssl_, n);
    if (e == SSL_ERROR_WANT_WRITE || e == SSL_ERROR_WANT_READ) {
      LastError = 0;
      writeArmed_ = true;
      loop_.setEvents(watch_, EventLoop::Writable | (readArmed_ ? EventLoop::Readable : 0u));
    } else {
      tlsError_ = tlsErrorText(ssl_, e);
      LastError = wsa::kConnectionReset;
    }
    return 0;
  }
  const ssize_t n = ::send(handle_, bytes, count, flags | MSG_NOSIGNAL);
  if (n > 0) {
    LastError = 0;
    return static_cast<size_t>(n);
  }
  if (n < 0) {
    if (errno == EWOULDBLOCK || errno == EAGAIN) {
      LastError = 0;
      writeArmed_ = true;  // report when the socket can take more
      loop_.setEvents(watch_, EventLoop::Writable | (readArmed_ ? EventLoop::Readable : 0u));
    } else {
      LastError = wsaFromErrno(errno);
    }
  }
  return 0;
}

void TStarSocket::ShutdownWrite() {
  if (handle_ < 0) return;
  if (ssl_ && !handshaking_) SSL_shutdown(ssl_);  // close_notify: the peer knows the data ended here
  LastError = ::shutdown(handle_, SHUT_WR) == 0 ? 0 : wsaFromErrno(errno);
}

size_t TStarSocket::SendData(const void* bytes, size_t count) { return transfer(bytes, count, 0); }
size_t TStarSocket::SendUrgent(const void* bytes, size_t count) { return transfer(bytes, count, ssl_ ? 0 : MSG_OOB); }

size_t TStarSocket::ReceiveData(void* buffer, size_t count) {
  if (handle_ < 0) {
    LastError = wsa::kNotSocket;
    return 0;
  }
  if (ssl_) {
    if (handshaking_) return 0;
    const int n = SSL_read(ssl_, buffer, static_cast<int>(std::min<size_t>(count, 1 << 30)));
    readArmed_ = true;
    if (watch_) loop_.setEvents(watch_, EventLoop::Readable | (writeArmed_ ? EventLoop::Writable : 0u));
    if (n > 0) {
      LastError = 0;
      return static_cast<size_t>(n);
    }
    const int e = SSL_get_error(ssl_, n);
    // Waiting for the rest of a record; or the peer's close_notify, answered with ours (some servers wait
    // for it before they close the connection).
    if (e == SSL_ERROR_ZERO_RETURN) {
      SSL_shutdown(ssl_);
      LastError = 0;
    } else if (e == SSL_ERROR_WANT_READ || e == SSL_ERROR_WANT_WRITE) {
      LastError = 0;
    } else {
      tlsError_ = tlsErrorText(ssl_, e);
      LastError = wsa::kConnectionReset;
    }
    return 0;
  }
  const ssize_t n = ::recv(handle_, buffer, count, 0);
  // Reading answers the read notification: the next one comes when more data (or the close) arrives.
  readArmed_ = true;
  if (watch_) loop_.setEvents(watch_, EventLoop::Readable | (writeArmed_ ? EventLoop::Writable : 0u));
  if (n > 0) {
    LastError = 0;
    return static_cast<size_t>(n);
  }
  if (n < 0) LastError = (errno == EWOULDBLOCK || errno == EAGAIN) ? 0 : wsaFromErrno(errno);
  return 0;
}

std::string TStarSocket::LocalAddressText() {
  if (handle_ < 0) return {};
  sockaddr_storage own{};
  socklen_t length = sizeof own;
  if (::getsockname(handle_, reinterpret_cast<sockaddr*>(&own), &length) != 0) {
    LastError = wsaFromErrno(errno);
    return {};
  }
  LastError = 0;
  return addressText(own);
}

uint16_t TStarSocket::LocalPort() {
  if (handle_ < 0) return 0;
  sockaddr_storage own{};
  socklen_t length = sizeof own;
  if (::getsockname(handle_, reinterpret_cast<sockaddr*>(&own), &length) != 0) {
    LastError = wsaFromErrno(errno);
    return 0;
  }
  LastError = 0;
  return ntohs(own.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6&>(own).sin6_port
                                         : reinterpret_cast<sockaddr_in&>(own).sin_port);
}

void TStarSocket::CloseSocket() {
  if (lookupToken_) {
    *lookupToken_ = false;
    lookupToken_.reset();
  }
  stopTimer();
  endTls();
  if (handle_ < 0) return;
  if (watch_) loop_.unwatch(watch_);
  watch_ = 0;
  LastError = ::close(handle_) == 0 ? 0 : wsaFromErrno(errno);
  handle_ = -1;
  Connected = false;
  connecting_ = false;
}

void TStarSocket::StartTimeOut(int seconds) {
  stopTimer();
  if (seconds == 0) return;
  countdown_ = seconds;
  timer_ = loop_.startTimer(1000, [this] { timerTick(); });
}

void TStarSocket::stopTimer() {
  if (timer_) loop_.stopTimer(timer_);
  timer_ = 0;
}

void TStarSocket::timerTick() {
  if (--countdown_ > 0) return;
  CloseSocket();
  raise(OnTimeOut);
}

void TStarSocket::onReady(unsigned ready) {
  if (handle_ < 0) return;
  if (handshaking_ && !connecting_) return continueHandshake();
  // An event loop that reports reading and writing apart may tell of a refused connection as readable
  // first: either ends the connecting, and the socket's error says how.
  if (connecting_ && (ready & (EventLoop::Writable | EventLoop::Readable))) {
    connecting_ = false;
    int error = 0;
    socklen_t length = sizeof error;
    ::getsockopt(handle_, SOL_SOCKET, SO_ERROR, &error, &length);
    watchSocket(wanted_);
    notify(FdConnect, wsaFromErrno(error));
    if (error == 0 && handle_ >= 0) notify(FdWrite, 0);
    return;
  }
  if ((ready & EventLoop::Writable) && writeArmed_) {
    writeArmed_ = false;
    loop_.setEvents(watch_, readArmed_ ? EventLoop::Readable : 0u);
    notify(FdWrite, 0);
    if (handle_ < 0) return;
  }
  if (!(ready & EventLoop::Readable) || !readArmed_) return;
  if (wanted_ & FdAccept) {
    readArmed_ = false;
    loop_.setEvents(watch_, 0);
    notify(FdAccept, 0);
    return;
  }
  char probe;
  const ssize_t n = ::recv(handle_, &probe, 1, MSG_PEEK);
  readArmed_ = false;
  loop_.setEvents(watch_, writeArmed_ ? EventLoop::Writable : 0u);
  if (n > 0)
    notify(FdRead, 0);
  else if (n == 0)
    notify(FdClose, 0);
  else if (errno != EWOULDBLOCK && errno != EAGAIN)
    notify(FdClose, wsaFromErrno(errno));
  else {
    readArmed_ = true;
    loop_.setEvents(watch_, EventLoop::Readable | (writeArmed_ ? EventLoop::Writable : 0u));
  }
}

void TStarSocket::notify(unsigned event, int error) {
  stopTimer();
  LastError = error;
  switch (event) {
    case FdRead:
      raise(OnDataAvailable);
      break;
    case FdWrite:
      raise(OnReadyToWrite);
      break;
    case FdAccept:
      raise(OnAccept);
      break;
    case FdConnect:
      Connected = true;
      raise(OnConnected);
      break;
    case FdClose:
      raise(OnDisconnected);
      if (Connected && handle_ >= 0) {
        if (watch_) loop_.unwatch(watch_);
        watch_ = 0;
        ::close(handle_);
        handle_ = -1;
        Connected = false;
      }
      break;
    default:
      break;
  }
}

}  // namespace quillon
