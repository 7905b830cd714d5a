#include "publish/ftp_publisher.h"

#include "base/text_bytes.h"
#include "publish/star_ftp.h"

namespace quillon {

std::string ftpErrorMessage(int code, const std::string& addinfo) {
  switch (code) {
    case 1:
      return "The winsock interface could not be initialized. Make sure that winsock is installed on your system.";
    case 2:
    case 10:
    case 11:
    case 18:
      return "The network is down. Make sure that you have established a connection to the network.";
    case ftp_error::AddressLookup:
      // A name refused before any lookup says why; a failed lookup gets the message below.
      if (!addinfo.empty() && addinfo != ftpErrorText(ftp_error::AddressLookup)) return addinfo + ".";
      [[fallthrough]];
    case 3:
      return "Could not find your FTP server. Check that you are connected to your service provider and that your "
             "setup "
             "information is correct.";
    case 4:
    case 5:
    case 15:
      return "An unexpected error occured";
    case 6:
    case 7:
      return "The connection was unexpectedly closed by the remote server";
    case 8:
      return "The connection attempt to the server timed out.";
    case 9:
      return "The winsock is out of sockets. Close a winsock application before trying again.";
    case 12:
      return "The server refused the connection. Make sure that you have entered the correct value in setup for your "
             "FTP server.";
    case 13:
      return "An unexpected response was received from the server. Make sure that you have entered the correct value "
             "in "
             "setup for your FTP port.";
    case 19:
      return "No server specified";
    case 21:
    case 24:
      return "Error opening " + addinfo;
    case 23:
      return "Error reading from " + addinfo;
    case ftp_error::UnsafeText:
      return addinfo;
    case 26:
      return "The FTP server is down.";
    case 27:
      return "Access denied. Check your user ID and password.";
    case ftp_error::Tls:
      return addinfo.empty() || addinfo.back() == '.' ? addinfo : addinfo + ".";
    case 28:
      // The client's own reason, when it knows one (a listing too long, an upload the server cut short).
      if (!addinfo.empty() && addinfo != "Error") return addinfo + ".";
      return "An error occured while transferring data.";
    default:
      return {};
  }
}

std::string loggedFtpText(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  if (text.size() >= 4 && upperAscii(text.substr(0, 4)) == "PASS") return "PASS ********";
  return text;
}

FtpPublisher::FtpPublisher(EventLoop& loop) : loop_(loop), ftp_(std::make_unique<TStarFtp>(loop)) {
  ftp_->TransferMode = BinaryTransfer;
  wire();
}

FtpPublisher::~FtpPublisher() { *alive_ = false; }

void FtpPublisher::preferExactListings(bool on) {
  exactListings_ = on;
  ftp_->PreferMlsd = on;
}

void FtpPublisher::wire() {
  TStarFtp& f = *ftp_;
  f.PreferMlsd = exactListings_;
  f.OnFtpInfo = [this](TStarFtp& ftp, int code, const std::string& text) {
    if ((code == ftp_info::Received || code == ftp_info::Sent) && events.traffic) events.traffic(loggedFtpText(text));
    if (code == ftp_info::Progress && running_ == Op::Store && events.progress) events.progress(ftp.bytesTransferred());
  };
  f.OnFtpError = [this](TStarFtp& ftp, int code, const std::string& detail) {
    const std::string message = ftpErrorMessage(code, detail);
    error_ = message.empty() ? "error " + std::to_string(code) : message;
    // A certificate never trusted is for the caller to offer the user.
    const bool offer = code == ftp_error::Tls && ftp.refusedCertificate() && trust_.empty();
    if (!message.empty() && !offer && events.failed) events.failed(message);
  };
  f.OnLoggedIn = [this](TStarFtp&) {
    connectEnded_ = true;
    finish(Op::Connect);
  };
  const std::pair<std::function<void(TStarFtp&)>*, Op> completions[] = {{&f.OnDirectoryChanged, Op::ChangeFolder},
                                                                        {&f.OnDirectoryCreated, Op::MakeFolder},
                                                                        {&f.OnDirectoryDeleted, Op::RemoveFolder},
                                                                        {&f.OnFileDeleted, Op::Delete},
                                                                        {&f.OnFileRenamed, Op::Rename},
                                                                        {&f.OnFileSizeKnown, Op::Size},
                                                                        {&f.OnFileStored, Op::Store},
                                                                        {&f.OnListingDone, Op::List}};
  for (const auto& [event, op] : completions) *event = [this, op = op](TStarFtp&) { finish(op); };
  f.OnFtpQuit = [this](TStarFtp&) {
    // A login that never finished, or a QUIT, ends here.
    if (!connectEnded_) {
      connectEnded_ = true;
      finish(Op::Connect);
    } else if (running_ == Op::Quit) {
      finish(Op::Quit);
    }
    if (events.closed) events.closed();
  };
}

bool FtpPublisher::begin(Op op) {
  if (const char* why = refusalOf(op, ftp_->FtpConnected(), ftp_->Busy())) {
    Outcome o{op, false, why};
    loop_.post([this, alive = alive_, o] {
      if (*alive && events.done) events.done(o);
    });
    return false;
  }
  running_ = op;
  error_.clear();
  return true;
}

void FtpPublisher::finish(Op op) {
  Outcome o;
  o.op = op;
  o.ok = op == Op::Quit || (ftp_->Success && error_.empty());
  if (!o.ok) {
    if (!error_.empty())
      o.why = error_;
    else if (op == Op::Connect && ftp_->FtpConnected())
      o.why = "The server refused the folder \"" + ftp_->InitialDirectory + "\".";
    else if (!ftp_->lastReply().empty())
      o.why = "the server said \"" + ftp_->lastReply() + "\"";
  }
  if (op == Op::List) {
    entries_.clear();
    for (const bool folders : {true, false})
      for (const ListingName& e : ftp_->ListedEntries())
        if (e.directory == folders) entries_.push_back({e.name, e.directory, e.link, e.size, e.stamp});
  }
  if (events.done) events.done(o);
}

void FtpPublisher::connect(const PublishLogin& login) {
  if (!begin(Op::Connect)) return;
  // Each connection gets a client of its own: one that said goodbye is not used again.
  if (used_) {
    ftp_ = std::make_unique<TStarFtp>(loop_);
    wire();
  }
  used_ = true;
  connectEnded_ = false;
  ftp_->setFtpServer(login.host);
  ftp_->FtpPort = login.port ? login.port : login.protocol == PublishProtocol::FtpsImplicit ? 990 : 21;
  ftp_->UserName = login.user;
  ftp_->UserPassword = login.password;
  ftp_->UserAccount = login.account;
  ftp_->InitialDirectory = login.folder;
  ftp_->DataMode = login.mode;
  ftp_->TimeOut = login.timeoutSeconds;
  ftp_->TransferMode = login.ascii ? AsciiTransfer : BinaryTransfer;
  ftp_->Secure = login.protocol == PublishProtocol::Ftps           ? TStarFtp::Security::Explicit
                 : login.protocol == PublishProtocol::FtpsImplicit ? TStarFtp::Security::Implicit
                                                                   : TStarFtp::Security::None;
  ftp_->TrustedCertificate = trust_ = login.trust;
  ftp_->Connect();
}

void FtpPublisher::list() {
  if (!begin(Op::List)) return;
  ftp_->ListDirectory();
}

void FtpPublisher::changeFolder(const std::string& name) {
  if (!begin(Op::ChangeFolder)) return;
  ftp_->ChangeDirectory(name);
}

void FtpPublisher::makeFolder(const std::string& name) {
  if (!begin(Op::MakeFolder)) return;
  ftp_->MakeDirectory(name);
}

void FtpPublisher::removeFolder(const std::string& name) {
  if (!begin(Op::RemoveFolder)) return;
  ftp_->RemoveDirectory(name);
}

void FtpPublisher::deleteFile(const std::string& name) {
  if (!begin(Op::Delete)) return;
  ftp_->DeleteFile(name);
}

void FtpPublisher::rename(const std::string& from, const std::string& to) {
  if (!begin(Op::Rename)) return;
  ftp_->RenameFile(from, to);
}

void FtpPublisher::size(const std::string& name) {
  if (!begin(Op::Size)) return;
  ftp_->SizeOfFile(name);
}

void FtpPublisher::store(const std::string& local, const std::string& remote) {
  if (!begin(Op::Store)) return;
  ftp_->LocalFile = local;
  ftp_->RemoteFile = remote;
  ftp_->StoreFile();
}

void FtpPublisher::quit() {
  if (!begin(Op::Quit)) return;
  ftp_->Quit();
}

void FtpPublisher::abort() { ftp_->AbortTransfer(); }

std::optional<Certificate> FtpPublisher::refusedCertificate() const { return ftp_->refusedCertificate(); }
bool FtpPublisher::connected() const { return ftp_->FtpConnected(); }
bool FtpPublisher::busy() const { return ftp_->Busy(); }
std::string FtpPublisher::folder() const { return ftp_->InitialDirectory; }
const std::vector<std::string>& FtpPublisher::listingLines() const { return ftp_->Listing(); }
std::optional<int64_t> FtpPublisher::sizeFound() const { return ftp_->RemoteSize; }
uint64_t FtpPublisher::bytesSent() const { return ftp_->bytesTransferred(); }
long FtpPublisher::elapsedMs() const { return ftp_->ElapsedTime(); }

}  // namespace quillon
