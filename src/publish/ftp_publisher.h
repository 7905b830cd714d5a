#pragma once

#include <memory>
#include <string>

#include "publish/event_loop.h"
#include "publish/publisher.h"
#include "publish/tls_client.h"

namespace quillon {

class TStarFtp;

// The user's words for a client error code and its detail; empty for codes that need no message.
std::string ftpErrorMessage(int code, const std::string& detail);
// A line of the control connection as a log shows it: no line end, and never the password.
std::string loggedFtpText(std::string text);

// Publishing over FTP, through the program's FTP client.
class FtpPublisher : public Publisher {
 public:
  explicit FtpPublisher(EventLoop& loop);
  ~FtpPublisher() override;
  FtpPublisher(const FtpPublisher&) = delete;
  FtpPublisher& operator=(const FtpPublisher&) = delete;

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
  void preferExactListings(bool on) override;
  void abort() override;

  // After a connection refused for its certificate: the certificate.
  std::optional<Certificate> refusedCertificate() const;

  bool connected() const override;
  bool busy() const override;
  std::string folder() const override;
  const std::vector<RemoteEntry>& entries() const override { return entries_; }
  const std::vector<std::string>& listingLines() const override;
  std::optional<int64_t> sizeFound() const override;
  uint64_t bytesSent() const override;
  long elapsedMs() const override;

 private:
  void wire();
  // Starts `op`; false, with its failed `done` posted, when the client cannot take it now.
  bool begin(Op op);
  void finish(Op op);

  EventLoop& loop_;
  bool exactListings_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  std::unique_ptr<TStarFtp> ftp_;
  Op running_ = Op::Connect;
  bool connectEnded_ = true;
  bool used_ = false;
  std::string trust_;
  std::string error_;  // the client's reason for the running operation's failure
  std::vector<RemoteEntry> entries_;
};

}  // namespace quillon
