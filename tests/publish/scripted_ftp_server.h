#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "loopback.h"

namespace quillon::testing {

// An FTP server on 127.0.0.1 that follows a script: wait for a command starting with `expect` (none for the
// greeting), run `action`, send `reply` (any bytes, several lines or none). Runs on its own thread.
class ScriptedFtpServer {
 public:
  struct Step {
    std::string expect;
    std::string reply;
    std::function<void(ScriptedFtpServer&)> action;
  };

  explicit ScriptedFtpServer(std::vector<Step> steps) : steps_(std::move(steps)) {
    thread_ = std::thread([this] { run(); });
  }
  ~ScriptedFtpServer() {
    ::shutdown(listener_.fd, SHUT_RDWR);
    if (control_ >= 0) ::shutdown(control_, SHUT_RDWR);
    thread_.join();
    if (control_ >= 0) ::close(control_);
    if (data_ >= 0) ::close(data_);
  }

  uint16_t port() const { return listener_.port; }
  std::vector<std::string> commands;  // every command line received, in order; read it once the client is done
  // A copy of the commands so far, safe to take while the server still runs.
  std::vector<std::string> commandsSoFar() {
    std::lock_guard<std::mutex> lock(commandsMutex_);
    return commands;
  }
  // Whether a command starting with `prefix` came in at or after position `from`.
  bool receivedSince(size_t from, const std::string& prefix) {
    const std::vector<std::string> seen = commandsSoFar();
    for (size_t i = from; i < seen.size(); ++i)
      if (seen[i].rfind(prefix, 0) == 0) return true;
    return false;
  }
  std::string uploaded;
  std::atomic<bool> finished{false};

  // Actions for the script.
  void openData() {  // connects to the address of the last PORT command
    data_ = ::socket(AF_INET, SOCK_STREAM, 0);
    ::connect(data_, reinterpret_cast<sockaddr*>(&dataAddress_), sizeof dataAddress_);
  }
  void sendData(const std::string& bytes) { ::send(data_, bytes.data(), bytes.size(), MSG_NOSIGNAL); }
  void closeData() {
    ::close(data_);
    data_ = -1;
  }
  void receiveAllData() {
    char buf[65536];
    for (ssize_t n; (n = ::recv(data_, buf, sizeof buf, 0)) > 0;) uploaded.append(buf, static_cast<size_t>(n));
    closeData();
  }
  // Reads `count` bytes of the upload, then resets the data connection with the rest unread.
  void receiveThenReset(size_t count) {
    char buf[65536];
    while (uploaded.size() < count) {
      const ssize_t n = ::recv(data_, buf, std::min(sizeof buf, count - uploaded.size()), 0);
      if (n <= 0) break;
      uploaded.append(buf, static_cast<size_t>(n));
    }
    const linger reset{1, 0};
    ::setsockopt(data_, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    closeData();
  }
  void closeControl() { ::shutdown(control_, SHUT_RDWR); }
  // Listens for a passive data connection and answers with its port: "229 ... (|||port|)", or a 227 naming
  // `address` ("h1,h2,h3,h4"), which need not be this machine's.
  void offerPassive(bool extended, const std::string& address = "127,0,0,1") {
    passive_ = std::make_unique<LoopbackListener>(1);
    const uint16_t p = passive_->port;
    nextReply = extended ? "229 Entering Extended Passive Mode (|||" + std::to_string(p) + "|)\r\n"
                         : "227 Entering Passive Mode (" + address + "," + std::to_string(p / 256) + "," +
                               std::to_string(p % 256) + ")\r\n";
  }
  void acceptData() { data_ = passive_->accept(); }
  // Replaces the step's reply once (an action that knows the reply only when it runs).
  std::string nextReply;

 private:
  bool readLine(std::string& line) {
    line.clear();
    for (;;) {
      const size_t end = pending_.find("\r\n");
      if (end != std::string::npos) {
        line = pending_.substr(0, end);
        pending_.erase(0, end + 2);
        return true;
      }
      char buf[4096];
      const ssize_t n = ::recv(control_, buf, sizeof buf, 0);
      if (n <= 0) return false;
      pending_.append(buf, static_cast<size_t>(n));
    }
  }

  void run() {
    control_ = listener_.accept();
    if (control_ < 0) return;
    for (Step& step : steps_) {
      if (!step.expect.empty()) {
        std::string line;
        while (true) {
          if (!readLine(line)) return;
          // Telnet bytes before ABOR are not commands: IAC with its command, a lone IAC whose urgent
          // partner was taken out of the stream, a Data Mark. Only the ABOR line may carry them, so bytes
          // left over from an abort show on the command after it.
          std::string stripped = line;
          while (!stripped.empty() &&
                 (static_cast<unsigned char>(stripped[0]) == 0xFF || static_cast<unsigned char>(stripped[0]) == 0xF2))
            stripped.erase(0, static_cast<unsigned char>(stripped[0]) == 0xFF && stripped.size() > 1 &&
                                      static_cast<unsigned char>(stripped[1]) >= 0xF0
                                  ? 2
                                  : 1);
          if (stripped == "ABOR") line = stripped;
          record(line);
          if (line.rfind(step.expect, 0) == 0) break;
        }
        if (line.rfind("PORT ", 0) == 0) {
          unsigned h1, h2, h3, h4, p1, p2;
          std::sscanf(line.c_str() + 5, "%u,%u,%u,%u,%u,%u", &h1, &h2, &h3, &h4, &p1, &p2);
          dataAddress_ = {};
          dataAddress_.sin_family = AF_INET;
          dataAddress_.sin_addr.s_addr = htonl((h1 << 24) | (h2 << 16) | (h3 << 8) | h4);
          dataAddress_.sin_port = htons(static_cast<uint16_t>(p1 * 256 + p2));
        }
      }
      if (step.action) step.action(*this);
      const std::string reply = nextReply.empty() ? step.reply : std::exchange(nextReply, {});
      if (!reply.empty()) ::send(control_, reply.data(), reply.size(), MSG_NOSIGNAL);
    }
    finished = true;
    // Stay until the client closes the connection.
    std::string line;
    while (readLine(line)) record(line);
  }

  void record(const std::string& line) {
    std::lock_guard<std::mutex> lock(commandsMutex_);
    commands.push_back(line);
  }

  std::vector<Step> steps_;
  std::mutex commandsMutex_;
  LoopbackListener listener_{1};
  int control_ = -1, data_ = -1;
  sockaddr_in dataAddress_{};
  std::unique_ptr<LoopbackListener> passive_;
  std::string pending_;
  std::thread thread_;
};

}  // namespace quillon::testing
