#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "publish/event_loop.h"
#include "publish/publisher.h"
#include "publish/sftp_session.h"

namespace quillon {

// Publishing over SFTP. The session's calls block, so they run one after another on a thread of the
// publisher's own; each one's outcome, and what it found, reach the loop's thread as the events say.
class SftpPublisher : public Publisher {
 public:
  SftpPublisher(EventLoop& loop, HostTrust trust);
  ~SftpPublisher() override;
  SftpPublisher(const SftpPublisher&) = delete;
  SftpPublisher& operator=(const SftpPublisher&) = delete;

  // The key accepted for the next connection (a fingerprint the user was shown and trusted).
  void acceptHostKey(const std::string& fingerprint) { trust_.acceptFingerprint = fingerprint; }
  // After a connection refused for its host key: the key, and whether it replaced a known one.
  const std::optional<HostKey>& refusedKey() const { return refusedKey_; }
  bool refusedKeyChanged() const { return refusedKeyChanged_; }

  void connect(const PublishLogin& login) override;
  void list() override;
  void changeFolder(const std::string& name) override;
  void makeFolder(const std::string& name) override;
  void removeFolder(const std::string& name) override;
  void deleteFile(const std::string& name) override;
  void rename(const std::string& from, const std::string& to) override;
  void size(const std::string& name) override;
  void store(const std::string& local, const std::string& remote) override;
  void quit() override;
  void abort() override { cancel_ = true; }

  bool connected() const override { return connected_; }
  bool busy() const override { return busy_; }
  std::string folder() const override { return folder_; }
  const std::vector<RemoteEntry>& entries() const override { return entries_; }
  const std::vector<std::string>& listingLines() const override { return lines_; }
  std::optional<int64_t> sizeFound() const override { return size_; }
  uint64_t bytesSent() const override { return sent_; }
  long elapsedMs() const override { return elapsed_; }

 private:
  // What a job found, handed from the worker to the loop's thread.
  struct Found {
    SftpSession::Result result;
    std::string folder;
    std::vector<RemoteEntry> entries;
    std::vector<std::string> lines;
    std::optional<int64_t> size;
    uint64_t sent = 0;
    long elapsed = 0;
    bool listing = false;
    std::optional<HostKey> refusedKey;
    bool refusedKeyChanged = false;
  };
  void run(Op op, std::function<void(Found&)> job);
  void finished(Op op, Found found);
  void work();
  void say(std::string line);

  EventLoop& loop_;
  HostTrust trust_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  SftpSession session_;  // used on the worker only
  std::atomic<bool> cancel_{false};
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> jobs_;
  bool stopping_ = false;
  std::thread worker_;
  // The loop thread's view.
  bool connected_ = false, busy_ = false;
  std::string folder_;
  std::vector<RemoteEntry> entries_;
  std::vector<std::string> lines_;
  std::optional<int64_t> size_;
  uint64_t sent_ = 0;
  long elapsed_ = 0;
  std::optional<HostKey> refusedKey_;
  bool refusedKeyChanged_ = false;
};

}  // namespace quillon
