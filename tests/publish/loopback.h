#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cstdint>

namespace quillon::testing {

// A blocking listening socket on 127.0.0.1 at a free port; fd is -1 when it could not be made.
struct LoopbackListener {
  int fd = -1;
  uint16_t port = 0;
  sockaddr_in address{};

  explicit LoopbackListener(int backlog = 4) {
    fd = ::socket(AF_INET, SOCK_STREAM, 0);
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(fd, backlog);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
  }
  ~LoopbackListener() {
    if (fd >= 0) ::close(fd);
  }
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;
  int accept() const { return ::accept(fd, nullptr, nullptr); }
};

}  // namespace quillon::testing
