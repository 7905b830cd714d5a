#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include <sys/socket.h>

#include "publish/event_loop.h"

struct ssl_st;

namespace quillon {

// One TCP socket (IPv4 or IPv6) driven without blocking: every operation returns at once and its outcome arrives later
// as a notification on the event loop, raising one of the On... events. Failures are left in LastError as
// Windows Sockets numbers; nothing throws.
class TStarSocket {
 public:
  // Notification event bits.
  enum Event : unsigned { FdRead = 1, FdWrite = 2, FdOob = 4, FdAccept = 8, FdConnect = 16, FdClose = 32 };
  static constexpr size_t kMaxHostName = 67;

  explicit TStarSocket(EventLoop& loop);
  virtual ~TStarSocket();
  TStarSocket(const TStarSocket&) = delete;
  TStarSocket& operator=(const TStarSocket&) = delete;

  using Handler = std::function<void(TStarSocket&)>;
  Handler OnHostResolved, OnConnected, OnDisconnected, OnTimeOut, OnDataAvailable, OnReadyToWrite, OnAccept;
  // The TLS handshake started by StartTls is over: LastError 0, or the failure (its words in tlsError()).
  Handler OnTlsReady;

  // The socket library needs no loading here; these keep the states other code looks at.
  bool LoadWinsock(const std::string& = {}) { return libraryLoaded_ = true; }
  bool StartWinsock();
  void StopWinsock() { WinsockStarted = false; }
  void UnloadWinsock() {
    StopWinsock();
    libraryLoaded_ = false;
  }
  bool libraryLoaded() const { return libraryLoaded_; }

  void OpenSocket();
  // An IPv4 or IPv6 address as text ("[::1]" too).
  void SetAddress(const std::string& text);
  void SetPort(uint16_t port);
  std::string AddressText() const;
  // Looks the name up on a worker thread; the result arrives as a notification. A name longer than 67
  // characters is refused with 10022 (invalid argument) and nothing is looked up.
  void LookupHost(const std::string& name);
  void TakeResolvedAddress() { address_ = resolved_; }
  void Connect();
  void Listen();
  void AcceptFrom(TStarSocket& listener);
  size_t SendData(const void* bytes, size_t count);
  size_t SendUrgent(const void* bytes, size_t count);
  size_t ReceiveData(void* buffer, size_t count);
  std::string LocalAddressText();
  uint16_t LocalPort();
  // Ends this side's sending (the peer reads the end of the data) while the socket stays open to learn how
  // the peer closes: a clean close, or a reset that says data was lost.
  void ShutdownWrite();
  // Cancels a pending lookup (a later LookupHost works again), stops the timer, closes the handle.
  void CloseSocket();
  void StartTimeOut(int seconds);
  // TLS over this connected socket from now on, through `ssl` (owned from here): the handshake runs as the
  // socket becomes ready, then sending and receiving are encrypted. Urgent data goes in the stream.
  void StartTls(ssl_st* ssl);
  ssl_st* tls() const { return ssl_; }
  const std::string& tlsError() const { return tlsError_; }

  // The server as typed: an IPv4 or IPv6 address is used as it stands, anything else is a host name to look up.
  void setFtpServer(const std::string& server);
  const std::string& FtpServer() const { return ftpServer_; }

  int handle() const { return handle_; }
  bool lookupPending() const { return static_cast<bool>(lookupToken_); }
  bool timerRunning() const { return timer_ != 0; }

  bool Connected = false;
  bool WinsockStarted = false;
  std::string Address;
  std::string HostName;
  uint16_t FtpPort = 0;
  int LastError = 0;
  int TimeOutConnect = 0;
  int TimeOutArp = 0;

 protected:
  // The host-resolved step; raises OnHostResolved unless a subclass does otherwise.
  virtual void hostResolved();
  EventLoop& loop() { return loop_; }

 private:
  void notify(unsigned event, int error);
  void lookupFinished(int error, const sockaddr_storage& address);
  void matchFamily();
  void continueHandshake();
  void endTls();
  void timerTick();
  void stopTimer();
  void watchSocket(unsigned events);
  void onReady(unsigned ready);
  void raise(const Handler& handler) {
    if (handler) handler(*this);
  }
  size_t transfer(const void* bytes, size_t count, int flags);

  EventLoop& loop_;
  int handle_ = -1;
  sockaddr_storage address_{};
  socklen_t addressLength_ = 0;
  int family_ = AF_INET;  // of the socket handle_
  uint16_t port_ = 0;     // network order
  sockaddr_storage resolved_{};
  bool libraryLoaded_ = false;
  std::string ftpServer_;
  int watch_ = 0;
  unsigned wanted_ = 0;      // the events this socket reports (the select mask)
  bool connecting_ = false;  // waiting for the connect to complete
  bool readArmed_ = true;    // a read was reported and not yet answered by ReceiveData
  bool writeArmed_ = false;  // a send would have blocked: report when sending can go on
  int timer_ = 0;
  int countdown_ = 0;
  std::shared_ptr<bool> lookupToken_;  // set while a lookup is pending; cleared to ignore its result
  // Shared with lookup threads: they post their result through it only while this socket lives.
  struct Channel {
    std::mutex mutex;
    EventLoop* loop;
  };
  std::shared_ptr<Channel> channel_;
  std::shared_ptr<bool> acceptWrite_;
  ssl_st* ssl_ = nullptr;
  bool handshaking_ = false;
  std::string tlsError_;  // the posted first write notice of an accepted connection
};

}  // namespace quillon
