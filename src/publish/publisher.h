#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillon {

// How data connections are made on FTP; SFTP has none to choose.
enum class DataConnection { Auto, Passive, Active };

enum class PublishProtocol { Ftp, Ftps, FtpsImplicit, Sftp };

// Where to publish and as whom.
struct PublishLogin {
  std::string host;
  uint16_t port = 0;  // 0: the protocol's own
  std::string user, password, account;
  std::string folder;  // the folder to start in, empty for the login folder
  DataConnection mode = DataConnection::Auto;
  int timeoutSeconds = 60;  // without progress; 0 waits for ever
  bool ascii = false;       // text transfers in the server's line ends (FTP only)
  PublishProtocol protocol = PublishProtocol::Ftp;
  std::string trust;  // FTPS: the fingerprint of a certificate the user trusts without an authority's word
};

struct RemoteEntry {
  std::string name;
  bool folder = false;
  bool link = false;            // a symbolic link (to a folder, when `folder`)
  std::optional<int64_t> size;  // when the listing gives it
  // When the file last changed, as the server lists it: "Dec 9 20:15" or "Jan 3 2025" (FTP), the seconds
  // since 1970 (SFTP); empty when the listing does not say.
  std::string stamp;
};

// A connection to a publishing host, whatever its protocol. Every operation returns at once and ends in
// exactly one `done` event; an operation refused at once (not connected, busy, an unsafe name) ends the same
// way, never silently. A failure the user should hear of is told through `failed` as it happens, in the
// program's words; `done` then carries the same reason.
class Publisher {
 public:
  enum class Op { Connect, List, ChangeFolder, MakeFolder, RemoveFolder, Delete, Rename, Size, Store, Quit };
  struct Outcome {
    Op op = Op::Connect;
    bool ok = false;
    std::string why;  // a failure's reason; empty when the protocol gave none
  };
  struct Events {
    std::function<void(const Outcome&)> done;
    std::function<void(const std::string&)> traffic;  // a line sent or received, as a log shows it
    std::function<void(uint64_t sent)> progress;      // the running upload's bytes so far
    std::function<void(const std::string& message)> failed;
    std::function<void()> closed;  // the session is over, however it ended
  };
  Events events;

  virtual ~Publisher() = default;
  virtual void connect(const PublishLogin& login) = 0;
  virtual void list() = 0;
  virtual void changeFolder(const std::string& name) = 0;
  virtual void makeFolder(const std::string& name) = 0;
  virtual void removeFolder(const std::string& name) = 0;
  virtual void deleteFile(const std::string& name) = 0;
  virtual void rename(const std::string& from, const std::string& to) = 0;
  // The size of one remote file, in sizeFound() once done.
  virtual void size(const std::string& name) = 0;
  // Sends a local file under `remote` in the current folder: ok only when every byte arrived.
  virtual void store(const std::string& local, const std::string& remote) = 0;
  virtual void quit() = 0;
  // Ends the running transfer; its own `done` follows, failed.
  virtual void abort() = 0;
  // Asks for listings whose sizes and times are exact, where the protocol has a second kind (FTP's MLSD);
  // a protocol whose only listing is exact already has nothing to change.
  virtual void preferExactListings(bool on) { (void)on; }

  virtual bool connected() const = 0;
  virtual bool busy() const = 0;
  // The current remote folder, as the last listing or login found it.
  virtual std::string folder() const = 0;
  virtual const std::vector<RemoteEntry>& entries() const = 0;
  // The listing as the server sent it, line by line.
  virtual const std::vector<std::string>& listingLines() const = 0;
  virtual std::optional<int64_t> sizeFound() const = 0;
  virtual uint64_t bytesSent() const = 0;
  virtual long elapsedMs() const = 0;  // of the last transfer
};

// Why a publisher cannot start `op` now (a connect while connected, anything else while not, anything
// while busy), or null when it can. The refused operation still ends in its `done`.
const char* refusalOf(Publisher::Op op, bool connected, bool busy);

}  // namespace quillon
