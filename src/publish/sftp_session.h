#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "publish/publisher.h"
#include "publish/ssh_host_keys.h"

struct _LIBSSH2_SESSION;
struct _LIBSSH2_SFTP;

namespace quillon {

// Which host keys are trusted: those of the known_hosts file, and the one key (by fingerprint) the user
// accepted for this connection, which is then added to the file.
struct HostTrust {
  std::string knownHostsFile;
  std::string acceptFingerprint;
};

// One SFTP connection, each call blocking until it is done; SftpPublisher runs it on a thread of its own.
// Names are taken relative to the current folder, which the session keeps (SFTP has none of its own).
class SftpSession {
 public:
  struct Result {
    bool ok = false;
    std::string why;
    bool lost = false;  // the connection is gone
  };
  SftpSession() = default;
  ~SftpSession();
  SftpSession(const SftpSession&) = delete;
  SftpSession& operator=(const SftpSession&) = delete;

  // Connects, checks the host key, logs in, starts SFTP and goes to the starting folder. A key that is not
  // trusted leaves its description in `refusedKey`; a changed one is refused whatever was accepted.
  Result connect(const PublishLogin& login, const HostTrust& trust, const std::function<void(std::string)>& log);
  Result list(std::vector<RemoteEntry>& entries, std::vector<std::string>& lines);
  Result changeFolder(const std::string& name);
  Result makeFolder(const std::string& name);
  Result removeFolder(const std::string& name);
  Result deleteFile(const std::string& name);
  Result rename(const std::string& from, const std::string& to);
  Result size(const std::string& name, int64_t& size);
  // Sends the file, telling `progress` the bytes sent now and then; stops when `cancel` is set.
  Result store(const std::string& local, const std::string& remote, const std::atomic<bool>& cancel,
               const std::function<void(uint64_t)>& progress, uint64_t& sent);
  void close();
  // Breaks off a blocking call from another thread: the socket is shut down.
  void interrupt();

  bool open() const { return sftp_ != nullptr; }
  const std::string& folder() const { return cwd_; }
  std::optional<HostKey> refusedKey;
  bool refusedKeyChanged = false;

 private:
  std::string path(const std::string& name) const;
  int posixRename(const std::string& from, const std::string& to);
  Result failure(const std::string& what);
  Result connectSocket(const std::string& host, uint16_t port, int timeoutSeconds);
  Result checkHostKey(const std::string& host, uint16_t port, const HostTrust& trust,
                      const std::function<void(std::string)>& log);
  Result authenticate(const PublishLogin& login, const std::function<void(std::string)>& log);

  std::atomic<int> fd_{-1};
  _LIBSSH2_SESSION* ssh_ = nullptr;
  _LIBSSH2_SFTP* sftp_ = nullptr;
  std::string cwd_;
};

}  // namespace quillon
