#pragma once

#include <memory>
#include <string>

#include "publish/publisher.h"

namespace quillon {

// The hidden name a file is stored under before it takes its real name: ".NAME.quillon-upload", in the
// same folder. Always the same for one name, so the next upload of a file replaces what a killed one left.
std::string temporaryUploadName(const std::string& remote);
// The second hidden name, ".NAME.quillon-ready", a whole new file takes while its old one is made room for.
std::string readyUploadName(const std::string& remote);

// A publisher whose uploads never leave a half-written file under its real name: each file is stored under
// its temporary name, its size on the server is checked against the bytes sent, then it is renamed over the
// target. Where the server refuses to rename over a file but renames otherwise, the target is deleted and
// the rename tried again; a server that renames nothing keeps its old file. A failed or cancelled upload
// removes its temporary file. Every other operation, and every upload
// when `tempNames` is off, goes straight to the wrapped publisher.
class TempNamePublisher : public Publisher {
 public:
  TempNamePublisher(std::unique_ptr<Publisher> inner, bool tempNames);

  void setTempNames(bool on) { tempNames_ = on; }
  void connect(const PublishLogin& login) override { inner_->connect(login); }
  void list() override { inner_->list(); }
  void changeFolder(const std::string& name) override { inner_->changeFolder(name); }
  void makeFolder(const std::string& name) override { inner_->makeFolder(name); }
  void removeFolder(const std::string& name) override { inner_->removeFolder(name); }
  void deleteFile(const std::string& name) override { inner_->deleteFile(name); }
  void rename(const std::string& from, const std::string& to) override { inner_->rename(from, to); }
  void size(const std::string& name) override { inner_->size(name); }
  void store(const std::string& local, const std::string& remote) override;
  void quit() override { inner_->quit(); }
  void preferExactListings(bool on) override { inner_->preferExactListings(on); }
  void abort() override;

  bool connected() const override { return inner_->connected(); }
  bool busy() const override { return step_ != Step::None || inner_->busy(); }
  std::string folder() const override { return inner_->folder(); }
  const std::vector<RemoteEntry>& entries() const override { return inner_->entries(); }
  const std::vector<std::string>& listingLines() const override { return inner_->listingLines(); }
  std::optional<int64_t> sizeFound() const override { return inner_->sizeFound(); }
  uint64_t bytesSent() const override { return sent_; }
  long elapsedMs() const override { return elapsed_; }

 private:
  enum class Step {
    None,
    Store,
    CheckSize,
    Rename,
    ClearReady,
    ProbeRename,
    DeleteTarget,
    RenameAgain,
    RemoveTemporary
  };
  void innerDone(const Outcome& o);
  void afterStore(const Outcome& o);
  void afterSize(const Outcome& o);
  void afterRename(const Outcome& o);
  void fail(Outcome why);
  void finish(Outcome o);

  std::unique_ptr<Publisher> inner_;
  bool tempNames_;
  Step step_ = Step::None;
  bool cancelled_ = false;
  std::string remote_, temporary_;
  std::string current_;  // the name the new file has on the server now
  Outcome failure_;
  uint64_t sent_ = 0;
  long elapsed_ = 0;
};

}  // namespace quillon
