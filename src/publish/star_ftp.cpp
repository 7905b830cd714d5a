#include "publish/star_ftp.h"

#include <openssl/ssl.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "base/file_io.h"
#include "base/text_bytes.h"

namespace quillon {

namespace {
constexpr size_t kBlock = 2048;
constexpr size_t kMaxListingLine = 64 * 1024;
constexpr unsigned long kMaxListing = 64ul << 20;

bool holdsLineBreak(const std::string& text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos;
}
}  // namespace

TStarFtp::TStarFtp(EventLoop& loop) : TStarSocket(loop), listen_(loop), data_(loop) {
  FtpPort = 21;
  listen_.StartWinsock();
  data_.StartWinsock();
}

TStarFtp::~TStarFtp() {
  *alive_ = false;
  if (watchTimer_) loop().stopTimer(watchTimer_);
  closeFile();
}

// A value that would end the command line early and start another one is never sent.
bool TStarFtp::refuseUnsafe(const std::string& what, const std::string& value) {
  if (!holdsLineBreak(value)) return false;
  nonFatal(kUnsafeText, what + " holds a line break or NUL character and cannot be sent");
  return true;
}

// Ends whatever waits (the login, an operation, a transfer) once nothing has moved for TimeOut seconds.
void TStarFtp::watchTick() {
  if (TimeOut <= 0 || closedDown_ || !(busy_ || loggingIn_)) {
    progress();
    return;
  }
  const auto quiet = now() - lastProgress_;
  // A data connection that carries nothing for half the time-out (a server can leave its side of a TLS
  // handshake waiting for an event that already passed) is made again once, before the time-out ends all.
  if (quiet >= std::chrono::milliseconds(TimeOut * 500) &&
      retryTransferOnce("The data connection carried nothing for " + std::to_string(TimeOut / 2) + " s"))
    return;
  if (quiet < std::chrono::seconds(TimeOut)) return;
  fatal(ftp_error::TimedOut, ftpErrorText(ftp_error::TimedOut));
}

// The server closed the control connection. Expected after QUIT; anywhere else it ends the login or the
// running operation as failed.
void TStarFtp::connectionLost() {
  const bool expected = state_ == ftp_state::Quit || (state_ == ftp_state::Idle && !busy_ && !loggingIn_);
  if (expected || closedDown_) {
    if (closedDown_) return;
    closedDown_ = true;  // the connection is over: nothing more is read from it
    closeData();
    CloseSocket();
    info(ftp_info::NotConnected, "Disconnected");
    if (busy_) postReady();
    postQuit();
    connected_ = false;
    loggingIn_ = false;
    return;
  }
  info(ftp_info::NotConnected, "Disconnected");
  fatal(ftp_error::Aborted, ftpErrorText(ftp_error::Aborted));
}

void TStarFtp::info(int code, const std::string& text) {
  if (OnFtpInfo) OnFtpInfo(*this, code, text);
}

std::string TStarFtp::ask(TFtpInfoNeeded need, const std::string& current) {
  std::string value = current;
  if (value.empty() && OnFtpNeedInfo) OnFtpNeedInfo(*this, need, value);
  return value;
}

void TStarFtp::postReady() {
  if (readyPosted_) return;  // one completion per operation, whichever path ends it first
  readyPosted_ = true;
  auto alive = alive_;
  loop().post([this, alive] {
    if (!*alive) return;
    readyPosted_ = false;
    busy_ = false;
    if (OnFtpReady) OnFtpReady(*this);
    if (aborting_) {
      closeData();
      aborting_ = false;
    }
    const Completion done = pending_;
    pending_ = Completion::None;
    if (const auto* handler = handlerFor(done); handler && *handler) (*handler)(*this);
  });
}

const std::function<void(TStarFtp&)>* TStarFtp::handlerFor(Completion completion) const {
  switch (completion) {
    case Completion::None:
      return nullptr;
    case Completion::LoggedIn:
      return &OnLoggedIn;
    case Completion::DirectoryChanged:
      return &OnDirectoryChanged;
    case Completion::DirectoryCreated:
      return &OnDirectoryCreated;
    case Completion::DirectoryDeleted:
      return &OnDirectoryDeleted;
    case Completion::FileDeleted:
      return &OnFileDeleted;
    case Completion::FileStored:
      return &OnFileStored;
    case Completion::ListingDone:
      return &OnListingDone;
    case Completion::FileRenamed:
      return &OnFileRenamed;
    case Completion::FileSizeKnown:
      return &OnFileSizeKnown;
  }
  return nullptr;
}

void TStarFtp::postQuit() {
  if (quitPosted_) return;  // once per connection, however many failures lead to it
  quitPosted_ = true;
  auto alive = alive_;
  loop().post([this, alive] {
    if (!*alive) return;
    busy_ = false;
    if (OnFtpQuit) OnFtpQuit(*this);
  });
}

void TStarFtp::closeData() {
  if (tls_ && data_.tls()) tls_->keepSession(data_.tls());
  data_.CloseSocket();
  listen_.CloseSocket();
}

void TStarFtp::closeFile() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

void TStarFtp::fatal(int code, const std::string& text) {
  if (closedDown_) return;
  // Closed down from here: no reader or sender of this connection reports anything more, so each
  // failure is raised once.
  closedDown_ = true;
  closeData();
  closeFile();
  CloseSocket();
  connected_ = false;
  loggingIn_ = false;
  Success = false;
  error_ = code;
  if (OnFtpError) OnFtpError(*this, code, text);
  // The running operation ends now, failed: its completion event comes, then the quit event.
  if (busy_) postReady();
  postQuit();
}

void TStarFtp::nonFatal(int code, const std::string& text) {
  Success = false;
  error_ = code;
  if (OnFtpError) OnFtpError(*this, code, text);
}

bool TStarFtp::errorCheck() {
  if (closedDown_) return true;
  if (LastError == 0) {
    error_ = 0;
    return true;
  }
  const int code = ftpErrorFromWsa(LastError);
  fatal(code, ftpErrorText(code));
  return false;
}

bool TStarFtp::sendAll(TStarSocket& socket, const char* bytes, size_t count, bool urgent, bool dataSocket) {
  bool blocked = false;
  while (count > 0) {
    // Other events get their turn every few milliseconds, and whenever the socket cannot take more, until it can.
    if (blocked || now() - lastPump_ >= std::chrono::milliseconds(5)) {
      loop().pumpOnce(blocked ? 50 : 0);
      lastPump_ = now();
    }
    if (closedDown_ || (dataSocket && aborting_)) return false;
    const size_t taken = urgent ? socket.SendUrgent(bytes, count) : socket.SendData(bytes, count);
    blocked = taken == 0;
    if (taken > 0) progress();
    bytes += taken;
    count -= taken;
    if (dataSocket) {
      if (socket.LastError) {
        // The server broke off the data connection: the file failed, the session goes on (the server's
        // final reply ends the operation), so that what arrived can still be removed.
        if (!aborting_) {
          uploadCutShort_ = true;
          finishData();
        }
        return false;
      }
      if (socket.handle() < 0) return false;  // closed while the loop ran
    } else if (!errorCheck()) {
      return false;
    }
  }
  return true;
}

void TStarFtp::sendCommand(const std::string& command, int newState) {
  // The last guard: a command holding a line break would be two commands.
  if (holdsLineBreak(command)) {
    fatal(kUnsafeText, "A command holds a line break or NUL character and was not sent");
    return;
  }
  if (!closedDown_) info(ftp_info::Sent, command + "\r\n");
  // Byte 255 is Telnet's IAC on the control connection: a name holding it is sent with it doubled, or the
  // server would read it and the byte after it as a Telnet command and act on another name. A server known
  // to read the connection without Telnet gets the byte as it is.
  std::string text;
  text.reserve(command.size() + 2);
  for (const char c : command) {
    text += c;
    if (c == '\xFF' && telnetControl_) text += c;
  }
  text += "\r\n";
  if (!sendAll(*this, text.data(), text.size(), false, false)) return;
  state_ = newState;
}

void TStarFtp::Connect() {
  if (busy_) {
    info(ftp_info::Busy);
    return;
  }
  OnTimeOut = [this](TStarSocket&) { fatal(ftp_error::TimedOut, ftpErrorText(ftp_error::TimedOut)); };
  error_ = 0;
  Success = true;
  closedDown_ = false;  // a new connection starts afresh
  way_ = DataWay::Unknown;
  featuresKnown_ = mlsdOffered_ = false;
  type_ = 0;
  quitPosted_ = false;
  for (const auto& [what, value] : {std::pair<const char*, const std::string*>{"The user name", &UserName},
                                    {"The password", &UserPassword},
                                    {"The account", &UserAccount},
                                    {"The initial folder", &InitialDirectory}})
    if (holdsLineBreak(*value)) {
      fatal(kUnsafeText, std::string(what) + " holds a line break or NUL character and cannot be sent");
      return;
    }
  if (!StartWinsock()) {
    fatal(ftp_error::SocketLibrary, ftpErrorText(ftp_error::SocketLibrary));
    return;
  }
  const std::string server = ask(niHost, FtpServer());
  if (server.empty()) {
    fatal(ftp_error::NoServer);
    return;
  }
  setFtpServer(server);
  if (Address.empty() && HostName.size() > kMaxHostName) {
    fatal(ftp_error::AddressLookup, "The host name is longer than " + std::to_string(kMaxHostName) + " characters");
    return;
  }
  if (FtpPort == 0) FtpPort = Secure == Security::Implicit ? 990 : 21;
  tls_.reset();
  protected_ = false;
  if (Secure != Security::None) {
    tls_ = std::make_unique<TlsClient>(HostName.empty() ? Address : HostName, TrustedCertificate);
    if (!tls_->ready()) {
      fatal(ftp_error::Tls, "TLS could not be started on this machine");
      return;
    }
  }
  replies_.reset();
  state_ = ftp_state::Greeting;
  loggingIn_ = true;
  progress();
  if (!watchTimer_) watchTimer_ = loop().startTimer(200, [this] { watchTick(); });
  OnConnected = [this](TStarSocket&) {
    state_ = ftp_state::Greeting;
    info(ftp_info::Connected, Address);
    connected_ = true;
    controlTail_.clear();
    guard_ = false;
    progress();
    if (LastError) {
      errorCheck();  // a refused connect
      return;
    }
    if (Secure == Security::Implicit) startControlTls();
  };
  OnDisconnected = [this](TStarSocket&) { connectionLost(); };
  OnDataAvailable = [this](TStarSocket&) { readControl(); };
  OpenSocket();
  if (!errorCheck()) return;
  if (!Address.empty()) {
    SetAddress(Address);
    SetPort(FtpPort);
    TStarSocket::Connect();
    errorCheck();
  } else {
    info(ftp_info::LookingUp, HostName);
    LookupHost(HostName);
    errorCheck();
  }
}

void TStarFtp::hostResolved() {
  if (!errorCheck()) return;
  TakeResolvedAddress();
  SetPort(FtpPort);
  Address = AddressText();
  info(ftp_info::Resolved, Address);
  TStarSocket::Connect();
  errorCheck();
}

bool TStarFtp::beginOperation(std::optional<Completion> completion) {
  if (!connected_) {
    info(ftp_info::NotConnected);
    return false;
  }
  if (busy_) {
    info(ftp_info::Busy);
    return false;
  }
  busy_ = true;
  error_ = 0;
  Success = true;
  if (completion) pending_ = *completion;
  return true;
}

void TStarFtp::ListDirectory() {
  if (!beginOperation(Completion::ListingDone)) return;
  if (PreferMlsd && !featuresKnown_)
    sendCommand("FEAT", ftp_state::Features);
  else
    sendCommand("PWD", ftp_state::ListFolder);
}

void TStarFtp::ChangeDirectory(const std::string& name) {
  if (!beginOperation(Completion::DirectoryChanged)) return;
  if (refuseUnsafe("The folder name", name)) return postReady();
  InitialDirectory = name;
  sendCommand("CWD " + name, ftp_state::SingleCommand);
}

void TStarFtp::MakeDirectory(const std::string& name) {
  if (!beginOperation(Completion::DirectoryCreated)) return;
  if (refuseUnsafe("The folder name", name)) return postReady();
  sendCommand("MKD " + name, ftp_state::SingleCommand);
}

void TStarFtp::RemoveDirectory(const std::string& name) {
  if (!beginOperation(Completion::DirectoryDeleted)) return;
  if (refuseUnsafe("The folder name", name)) return postReady();
  sendCommand("RMD " + name, ftp_state::SingleCommand);
}

void TStarFtp::DeleteFile(const std::string& name) {
  if (!beginOperation(Completion::FileDeleted)) return;
  if (refuseUnsafe("The file name", name)) return postReady();
  sendCommand("DELE " + name, ftp_state::SingleCommand);
}

void TStarFtp::RenameFile(const std::string& oldName, const std::string& newName) {
  if (!beginOperation(Completion::FileRenamed)) return;
  if (refuseUnsafe("The file name", oldName) || refuseUnsafe("The new name", newName)) return postReady();
  renameTo_ = newName;
  sendCommand("RNFR " + oldName, ftp_state::RenameFrom);
}

void TStarFtp::SizeOfFile(const std::string& name) {
  RemoteSize.reset();
  if (!beginOperation(Completion::FileSizeKnown)) return;
  if (refuseUnsafe("The file name", name)) return postReady();
  sendCommand("SIZE " + name, ftp_state::SingleCommand);
}

void TStarFtp::Quit() {
  if (beginOperation(std::nullopt)) sendCommand("QUIT", ftp_state::Quit);
}

void TStarFtp::StoreFile() {
  if (!connected_) {
    info(ftp_info::NotConnected);
    postReady();
    return;
  }
  if (busy_) {
    info(ftp_info::Busy);
    return;
  }
  busy_ = true;
  error_ = 0;
  Success = true;
  pending_ = Completion::FileStored;
  if (RemoteFile.empty()) {
    nonFatal(ftp_error::NoRemoteName, RemoteFile);
    postReady();
    return;
  }
  if (refuseUnsafe("The remote file name", RemoteFile)) return postReady();
  closeFile();
  // Only a readable regular file is sent: a folder, FIFO or unreadable file fails here, before STOR could
  // leave an empty file on the server.
  if (!LocalFile.empty() && checkOpenable(LocalFile) == OpenCheck::Ok) {
    const int fd = ::open(LocalFile.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat st {};
    if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
      file_ = ::fdopen(fd, "rb");
    else if (fd >= 0)
      ::close(fd);
  }
  if (!file_) {
    nonFatal(ftp_error::LocalFile, LocalFile);
    postReady();
    return;
  }
  struct stat st {};
  fileSize_ = ::fstat(fileno(file_), &st) == 0 ? st.st_size : 0;
  sendType(TransferMode == AsciiTransfer ? 'A' : 'I', ftp_state::StoreType, &TStarFtp::setUpUpload,
           ftp_state::StorePort);
}

// TYPE goes out only when the session is not in that type already: a run of many small files saves a
// round trip per file.
void TStarFtp::sendType(char type, int state, void (TStarFtp::*setUpData)(), int portState) {
  if (type_ == type) return portAfterType('2', setUpData, portState);
  askedType_ = type;
  sendCommand(std::string("TYPE ") + type, state);
}

void TStarFtp::AbortTransfer() {
  if (aborting_ || !busy_ || closedDown_ || state_ == ftp_state::Idle) return;
  aborting_ = true;
  abortRepliesDue_ = 2;  // the interrupted command's final reply, then ABOR's
  abortFirstReply_ = 0;
  abortCutShort_ = !dataFinished_;
  // Interrupt Process, then the Synch: IAC IP IAC sent as urgent data (the urgent mark falls on the last
  // IAC), then the Data Mark that ends the Synch and ABOR in the ordinary stream. Nothing follows ABOR's
  // line, so the next command starts clean.
  // Over TLS there is no urgent data: ABOR goes alone, in the stream.
  if (tls()) {
    info(ftp_info::Sent, "ABOR\r\n");
    sendAll(*this, "ABOR\r\n", 6, false, false);
    return;
  }
  static const char interrupt[] = {'\xFF', '\xF4', '\xFF'};
  if (!sendAll(*this, interrupt, sizeof interrupt, true, false)) return;
  info(ftp_info::Sent, "ABOR\r\n");
  static const char abort[] =
      "\xF2"
      "ABOR\r\n";
  sendAll(*this, abort, sizeof abort - 1, false, false);
}

// The replies after an abort: a preliminary reply says the interrupted STOR had opened the remote file;
// once both final replies are in, the operation ends (an upload that had begun and was cut short has its
// partial file deleted first).
void TStarFtp::abortReply(char cls) {
  if (cls == '1') {
    if (state_ == ftp_state::Store) storeBegan_ = true;
    return;
  }
  if (!abortFirstReply_) abortFirstReply_ = cls;
  // 225 answers the ABOR and says no transfer was open to abort: a server that had not yet connected the
  // data channel (or not yet begun the transfer) then sends no reply for the STOR at all.
  if (lastReply_.rfind("225", 0) == 0) abortRepliesDue_ = 1;
  if (--abortRepliesDue_ > 0) return;
  closeData();
  closeFile();
  aborting_ = false;
  const bool storing = state_ == ftp_state::Store;
  const bool whole = storing && !abortCutShort_ && !uploadCutShort_ && abortFirstReply_ == '2';
  Success = whole && Success;
  if (storing && storeBegan_ && !whole) {
    removingPartial_ = true;
    sendCommand("DELE " + RemoteFile, ftp_state::SingleCommand);
    return;
  }
  state_ = ftp_state::Idle;
  postReady();
}

void TStarFtp::readControl() {
  if (guard_ || closedDown_) return;
  char buffer[kBlock];
  for (;;) {
    const size_t n = ReceiveData(buffer, sizeof buffer);
    if (!errorCheck()) return;
    const std::string text(buffer, n);
    info(ftp_info::Received, text);
    if (n == 0) return;
    controlTail_ += text;
    // A server that never ends a line cannot make the client hold more than a bounded tail.
    size_t start = 0;
    // Lines end in CR LF; a bare LF, which some servers send, ends one too.
    for (size_t end = controlTail_.find('\n'); end != std::string::npos; end = controlTail_.find('\n', start)) {
      const size_t length = end > start && controlTail_[end - 1] == '\r' ? end - 1 - start : end - start;
      const std::string line = controlTail_.substr(start, length);
      start = end + 1;
      guard_ = true;
      reply(line);
      guard_ = false;
      if (closedDown_) return;
    }
    controlTail_.erase(0, start);
    if (controlTail_.size() > 64 * 1024) controlTail_.erase(0, controlTail_.size() - 64 * 1024);
  }
}

void TStarFtp::sendUser() { sendCommand("USER " + (UserName = ask(niUser, UserName)), ftp_state::User); }

// AUTH TLS, then PBSZ 0 and PROT P: a server that refuses any of them gets nothing more, least of all the
// password in clear.
void TStarFtp::secureReply(char cls) {
  using namespace ftp_state;
  if (cls != '2' && cls != '3') {
    const char* why = state_ == AuthTls ? "The server does not offer FTP over TLS. Nothing was sent in clear"
                      : state_ == Pbsz  ? "The server refused to set up TLS (PBSZ)"
                                        : "The server refused to encrypt the data connections (PROT P)";
    fatal(ftp_error::Tls, why);
    return;
  }
  if (state_ == AuthTls) return startControlTls();
  if (state_ == Pbsz) return sendCommand("PROT P", Prot);
  protected_ = true;
  sendUser();
}

void TStarFtp::startControlTls() {
  OnTlsReady = [this](TStarSocket&) { controlTlsReady(); };
  progress();
  StartTls(tls_->start(handle(), false));
}

void TStarFtp::controlTlsReady() {
  if (LastError) {
    fatal(ftp_error::Tls, "The secure connection could not be made: " + tlsError());
    return;
  }
  if (const std::string refused = tls_->check(tls(), false); !refused.empty()) {
    fatal(ftp_error::Tls, refused);
    return;
  }
  progress();
  info(ftp_info::Connected, "TLS: " + std::string(SSL_get_version(tls())) + ", certificate " + tls_->fingerprint());
  // Implicit TLS: the greeting comes next, over TLS. Explicit: it came before AUTH TLS.
  if (Secure == Security::Explicit) sendCommand("PBSZ 0", ftp_state::Pbsz);
}

std::optional<Certificate> TStarFtp::refusedCertificate() const { return tls_ ? tls_->refused() : std::nullopt; }

void TStarFtp::dataReady(void (TStarFtp::*opened)()) {
  if (!tls_ || data_.LastError) return (this->*opened)();
  if (!tls_->hasSession()) tls_->keepSession(tls());
  data_.OnTlsReady = [this, opened](TStarSocket& d) {
    if (d.LastError) {
      if (aborting_) return;
      // Nothing went over the connection yet: the listing or upload is asked for once more.
      if (retryTransferOnce("The data connection's TLS failed: " + d.tlsError())) return;
      fatal(ftp_error::Tls, "The data connection's TLS failed: " + d.tlsError());
      return;
    }
    if (const std::string refused = tls_->check(d.tls(), true); !refused.empty()) {
      fatal(ftp_error::Tls, refused);
      return;
    }
    (this->*opened)();
  };
  data_.StartTls(tls_->start(data_.handle(), true));
}

// USER, PASS or ACCT refused: say so and leave.
void TStarFtp::loginRefused() {
  nonFatal(ftp_error::LoginRefused, "Error");
  sendCommand("QUIT", ftp_state::Quit);
}

void TStarFtp::detectServerType(const std::string& line) { ServerType = serverTypeFromSyst(line); }

void TStarFtp::reply(const std::string& raw) {
  // Only a whole reply counts as progress: an endless run of continuation lines still times out.
  // FEAT names one feature per line inside its multi-line reply.
  if (state_ == ftp_state::Features && raw.size() > 1 && raw[0] == ' ' &&
      upperAscii(std::string_view(raw).substr(1, 4)) == "MLST")
    mlsdOffered_ = true;
  const auto line = replies_.take(raw);
  if (!line) return;
  progress();
  lastReply_ = *line;
  const char cls = line->empty() ? ' ' : (*line)[0];
  if (aborting_) return abortReply(cls);
  using namespace ftp_state;
  switch (state_) {
    case Greeting:
    case User:
    case Password:
    case Account:
    case System:
    case InitialFolder:
      loginReply(cls, *line);
      break;
    case AuthTls:
    case Pbsz:
    case Prot:
      secureReply(cls);
      break;
    case Features:
    case ListFolder:
    case ListType:
    case ListPort:
    case List:
      listingReply(cls, *line);
      break;
    case ListPassive:
    case StorePassive:
      passiveReply(cls, *line);
      break;
    case StoreType:
    case StorePort:
    case Store:
      storeReply(cls);
      break;
    case RenameFrom:
    case RenameTo:
    case SingleCommand:
    case ftp_state::Quit:
      commandReply(cls);
      break;
    default:
      break;
  }
}

// Greeting, USER, PASS, ACCT, SYST and the initial folder's CWD. A value asked for that holds a line
// break is refused by sendCommand.
void TStarFtp::loginReply(char cls, const std::string& line) {
  using namespace ftp_state;
  switch (state_) {
    case Greeting:
      // vsftpd reads the control connection byte for byte, without Telnet: byte 255 goes to it undoubled.
      telnetControl_ = line.find("vsFTPd") == std::string::npos;
      if (cls != '2')
        fatal(ftp_error::GreetingRefused);
      else if (Secure == Security::Explicit)
        sendCommand("AUTH TLS", AuthTls);
      else if (Secure == Security::Implicit)
        sendCommand("PBSZ 0", Pbsz);
      else
        sendUser();
      break;
    case User:
      if (cls == '2')
        sendCommand("SYST", System);
      else if (cls == '3')
        sendCommand("PASS " + (UserPassword = ask(niPassword, UserPassword)), Password);
      else
        loginRefused();
      break;
    case Password:
      if (cls == '2')
        sendCommand("SYST", System);
      else if (cls == '3')
        sendCommand("ACCT " + (UserAccount = ask(niAccount, UserAccount)), Account);
      else
        loginRefused();
      break;
    case Account:
      if (cls == '2')
        sendCommand("SYST", System);
      else
        loginRefused();
      break;
    case System:
      pending_ = Completion::LoggedIn;
      detectServerType(line);
      if (!InitialDirectory.empty()) {
        sendCommand("CWD " + InitialDirectory, InitialFolder);
      } else {
        info(ftp_info::LoggedIn, "Logged in");
        state_ = Idle;
        loggingIn_ = false;
        postReady();
      }
      break;
    case InitialFolder:
      // Logged in either way; a refused initial folder leaves Success false, so that nothing is stored in
      // the login folder by mistake.
      if (cls != '2') {
        info(ftp_info::Refused);
        Success = false;
      }
      info(ftp_info::LoggedIn, "Logged in");
      state_ = Idle;
      loggingIn_ = false;
      postReady();
      break;
  }
}

// PWD, TYPE A, PORT and LIST of a listing; the data arrives on the data connection.
void TStarFtp::listingReply(char cls, const std::string& line) {
  using namespace ftp_state;
  switch (state_) {
    case Features:
      // A server without FEAT lists by LIST.
      featuresKnown_ = true;
      if (cls != '2') mlsdOffered_ = false;
      sendCommand("PWD", ListFolder);
      break;
    case ListFolder:
      if (cls == '2') {
        InitialDirectory = quotedDirectory(line);
        sendType('A', ListType, &TStarFtp::setUpListing, ListPort);
      } else {
        fatal(ftp_error::UnexpectedReply);
      }
      break;
    case ListType:
      portAfterType(cls, &TStarFtp::setUpListing, ListPort);
      break;
    case ListPort:
      if (cls == '2') {
        startListing();
      } else {
        fatal(ftp_error::UnexpectedReply);
      }
      break;
    case List:
      if (cls == '1') break;
      if (retryTransfer_) {
        restartTransfer();
        break;
      }
      if (cls == '2') {
        finalReply_ = true;
        if (dataFinished_) postReady();
      } else {
        closeData();
        fatal(ftp_error::UnexpectedReply);
      }
      break;
  }
}

// A listing or upload whose data connection failed before anything went over it is asked for once more:
// the connection is given up, and the command goes again once the server has answered the first.
bool TStarFtp::retryTransferOnce(const std::string& why) {
  if ((state_ != ftp_state::List && state_ != ftp_state::Store) || transferRetried_ || bytes_ != 0) return false;
  transferRetried_ = retryTransfer_ = true;
  info(ftp_info::Progress, why + "; trying once more");
  data_.CloseSocket();
  listen_.CloseSocket();
  data_.LastError = 0;  // the next connection starts clean
  uploadAccepted_ = false;
  progress();
  if (finalReply_) restartTransfer();  // the server has answered the command already
  return true;
}

// A transfer whose data connection failed before anything went over it, asked for again.
void TStarFtp::restartTransfer() {
  retryTransfer_ = false;
  dataFinished_ = finalReply_ = false;
  uploadAccepted_ = storeBegan_ = false;
  if (file_) std::rewind(file_);
  requestData();
}

// The TYPE reply before a transfer: the data connection is asked for next.
void TStarFtp::portAfterType(char cls, void (TStarFtp::*setUpData)(), int nextState) {
  dataFinished_ = finalReply_ = false;
  if (state_ == ftp_state::ListType || state_ == ftp_state::StoreType) type_ = cls == '2' ? askedType_ : 0;
  if (cls != '2') {
    fatal(ftp_error::UnexpectedReply);
    return;
  }
  setUpData_ = setUpData;
  portState_ = nextState;
  transferRetried_ = retryTransfer_ = false;
  bytes_ = 0;  // nothing of this transfer has gone over yet
  requestData();
}

// Active: the data connection is made ready to be accepted first (some servers open it as soon as they
// have the PORT command), then PORT goes out. Passive: EPSV or PASV, answered in passiveReply.
void TStarFtp::requestData() {
  trying_ = way_ != DataWay::Unknown ? way_ : DataMode == DataConnection::Active ? DataWay::Port : DataWay::Epsv;
  passive_ = trying_ != DataWay::Port;
  if (passive_) {
    sendCommand(trying_ == DataWay::Epsv ? "EPSV" : "PASV",
                portState_ == ftp_state::ListPort ? ftp_state::ListPassive : ftp_state::StorePassive);
    return;
  }
  const std::string port = setUpPort();
  if (port.empty()) return;
  (this->*setUpData_)();
  sendCommand(port, portState_);
}

// A refused EPSV is followed by PASV, a refused PASV (in Auto) by PORT. A reply that names no usable port
// ends the connection: a server that lies about its data port is not tried further.
void TStarFtp::passiveReply(char cls, const std::string& line) {
  if (cls != '2') {
    // PASV names IPv4 addresses only: over IPv6 it is not asked.
    if (trying_ == DataWay::Epsv && AddressText().find(':') == std::string::npos) {
      trying_ = DataWay::Pasv;
      sendCommand("PASV", state_);
    } else if (DataMode == DataConnection::Auto) {
      way_ = DataWay::Port;
      requestData();
    } else {
      fatal(ftp_error::DataConnection, "The server refused a passive data connection");
    }
    return;
  }
  const auto port = trying_ == DataWay::Epsv ? extendedPassivePort(line) : passivePort(line);
  if (!port) {
    fatal(ftp_error::DataConnection, "The server's passive reply names no usable port");
    return;
  }
  way_ = trying_;
  listen_.CloseSocket();
  data_.CloseSocket();
  listingTail_.clear();
  (this->*setUpData_)();
  // The connection may be made while the transfer command is still going out (sending runs the loop): it
  // is taken whenever it comes, and the file waits for the command's preliminary reply.
  data_.OnConnected = [this](TStarSocket&) {
    dataReady(portState_ == ftp_state::ListPort ? &TStarFtp::listingDataOpened : &TStarFtp::uploadDataOpened);
  };
  data_.OpenSocket();
  data_.SetAddress(AddressText());
  data_.SetPort(*port);
  data_.Connect();
  if (data_.LastError) {
    fatal(ftp_error::DataConnection);
    return;
  }
  if (portState_ == ftp_state::ListPort)
    startListing();
  else
    startStore();
}

void TStarFtp::startListing() {
  listing_.clear();
  fileNames_.clear();
  directoryNames_.clear();
  listedEntries_.clear();
  listingByMlsd_ = PreferMlsd && mlsdOffered_;
  sendCommand(listingByMlsd_ ? "MLSD" : "LIST", ftp_state::List);
}

void TStarFtp::startStore() {
  sendCommand("STOR " + RemoteFile, ftp_state::Store);
  // An active connection accepted before STOR went out waits for it before the file is sent.
  if (state_ == ftp_state::Store && uploadAccepted_ && !passive_) sendFile();
}

// TYPE, PORT and STOR of an upload; the file goes out on the data connection.
void TStarFtp::storeReply(char cls) {
  using namespace ftp_state;
  switch (state_) {
    case StoreType:
      portAfterType(cls, &TStarFtp::setUpUpload, StorePort);
      break;
    case StorePort:
      if (cls == '2') {
        startStore();
      } else {
        fatal(ftp_error::UnexpectedReply);
      }
      break;
    case Store:
      if (retryTransfer_) {  // the first try's replies: the upload starts again once they are in
        if (cls != '1') restartTransfer();
        break;
      }
      // Without an abort a 426 is the transfer's failure (the replies after an abort go to abortReply).
      if (cls == '1') {
        storeBegan_ = true;
        // A passive connection made before the server was ready for the file waits for this mark.
        if (passive_ && uploadAccepted_ && !dataFinished_) sendFile();
        break;
      }
      if (cls == '2') {
        finalReply_ = true;
        if (dataFinished_) postReady();
      } else {
        closeData();
        closeFile();
        info(ftp_info::Refused);
        Success = false;
        postReady();
      }
      break;
  }
}

// The single commands (CWD, MKD, RMD, DELE), the two steps of a rename, and QUIT.
void TStarFtp::commandReply(char cls) {
  using namespace ftp_state;
  switch (state_) {
    case ftp_state::RenameFrom:
      if (cls == '3') {
        sendCommand("RNTO " + renameTo_, RenameTo);
      } else {
        info(ftp_info::Refused);
        Success = false;
        state_ = Idle;
        postReady();
      }
      break;
    case RenameTo:
    case SingleCommand:
      if (removingPartial_) {
        // Whatever the server says of the partial file, the upload has failed.
        removingPartial_ = false;
        Success = false;
      } else if (cls != '2') {
        info(ftp_info::Refused);
        Success = false;
      } else if (pending_ == Completion::FileSizeKnown) {
        RemoteSize = replySize(lastReply_);
        Success = RemoteSize.has_value();
      }
      state_ = Idle;
      postReady();
      break;
    case ftp_state::Quit:
      if (cls != '2') {
        fatal(ftp_error::QuitRefused);
      } else {
        // Said goodbye: the client closes its side rather than wait for a server that may never close.
        CloseSocket();
        connectionLost();
      }
      state_ = Idle;
      break;
  }
}

std::string TStarFtp::setUpPort() {
  const std::string own = LocalAddressText();
  listen_.CloseSocket();
  data_.CloseSocket();
  listen_.SetAddress(own);
  listen_.SetPort(0);
  listen_.OpenSocket();
  listen_.Listen();
  if (listen_.LastError) {
    fatal(ftp_error::DataConnection);
    return {};
  }
  listingTail_.clear();
  const std::string address = listen_.LocalAddressText();
  if (address.find(':') != std::string::npos)
    return "EPRT |2|" + address + "|" + std::to_string(listen_.LocalPort()) + "|";
  return "PORT " + portArgument(address, listen_.LocalPort());
}

void TStarFtp::setUpListing() {
  parser_ = std::make_unique<ListingParser>(ServerType);
  listen_.OnAccept = [this](TStarSocket& l) {
    if (data_.handle() >= 0) return;  // one data connection per transfer
    data_.AcceptFrom(l);
    if (data_.handle() < 0 && data_.LastError == 0) return;  // nothing was there to accept after all
    dataReady(&TStarFtp::listingDataOpened);
  };
  data_.OnConnected = nullptr;
  data_.OnReadyToWrite = nullptr;
  data_.OnDataAvailable = [this](TStarSocket&) { readListing(); };
  data_.OnDisconnected = [this](TStarSocket&) { listingClosed(); };
}

void TStarFtp::listingDataOpened() {
  progress();
  bytes_ = 0;
  Success = true;
  start_ = now();
  elapsedMs_ = 0;
  listingTail_.clear();
  if (data_.LastError && !aborting_) fatal(ftp_error::DataConnection);
}

void TStarFtp::readListing() {
  char buffer[kBlock];
  for (;;) {
    const size_t n = data_.ReceiveData(buffer, sizeof buffer);
    if (data_.LastError) {
      if (!aborting_) fatal(ftp_error::DataConnection);
      return;
    }
    if (n == 0) return;
    bytes_ += n;
    progress();
    listingTail_.append(buffer, n);
    // Lines end at CR LF, or at a bare LF as some servers send them.
    size_t start = 0;
    for (size_t end = listingTail_.find('\n'); end != std::string::npos; end = listingTail_.find('\n', start)) {
      const size_t lineEnd = end > start && listingTail_[end - 1] == '\r' ? end - 1 : end;
      const std::string line = listingTail_.substr(start, lineEnd - start);
      start = end + 1;
      elapsedMs_ = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(now() - start_).count());
      info(ftp_info::Progress, line);
      listing_.push_back(line);
      info(ftp_info::ListingLine, line);
      if (auto parsed = listingByMlsd_ ? parseMlsdLine(line) : parser_->parse(line)) {
        (parsed->directory ? directoryNames_ : fileNames_).push_back(parsed->name);
        listedEntries_.push_back(std::move(*parsed));
      }
    }
    listingTail_.erase(0, start);
    // A server that never ends a line, or never ends the listing, cannot make the client hold more than this.
    if (listingTail_.size() > kMaxListingLine || bytes_ > kMaxListing) {
      fatal(ftp_error::DataConnection, "The server's listing is too long");
      return;
    }
  }
}

void TStarFtp::listingClosed() {
  if (retryTransfer_) return;  // the first try's connection, given up
  if (data_.handle() >= 0) readListing();
  closeData();
  info(ftp_info::ListingReady, "Listing ready");
  info(ftp_info::TransferDone, "Transfer done");
  dataFinished_ = true;
  if (finalReply_) postReady();
}

void TStarFtp::setUpUpload() {
  uploadAccepted_ = false;
  uploadCutShort_ = false;
  storeBegan_ = false;
  listen_.OnAccept = [this](TStarSocket& l) {
    if (data_.handle() >= 0) return;  // one data connection per transfer
    data_.AcceptFrom(l);
    if (data_.handle() < 0 && data_.LastError == 0) return;  // nothing was there to accept after all
    dataReady(&TStarFtp::uploadDataOpened);
  };
  data_.OnConnected = nullptr;
  data_.OnReadyToWrite = nullptr;
  // Whatever the server sends on an upload's connection (TLS session tickets, the close) is read and
  // dropped: a read left unanswered would hide the close that ends the transfer.
  data_.OnDataAvailable = [this](TStarSocket& d) {
    char discard[4096];
    while (d.ReceiveData(discard, sizeof discard) > 0) {
    }
    if (d.LastError && !dataFinished_) {
      uploadCutShort_ = true;
      finishData();
    }
  };
  data_.OnDisconnected = [this](TStarSocket& d) {
    if (dataFinished_) return;
    // A reset while or after the file went out means the server did not take all of it.
    if (d.LastError) uploadCutShort_ = true;
    finishData();
  };
}

void TStarFtp::uploadDataOpened() {
  progress();
  bytes_ = 0;
  start_ = now();
  elapsedMs_ = 0;
  if (data_.LastError) {
    fatal(ftp_error::DataConnection);
    return;
  }
  uploadAccepted_ = true;
  if (state_ == ftp_state::Store && (!passive_ || storeBegan_)) sendFile();
}

void TStarFtp::sendFile() {
  uploadAccepted_ = false;
  info(ftp_info::UploadStarts, std::to_string(fileSize_));
  // The file goes out in blocks of 2048 bytes, each reported by info 7; up to kGroup blocks travel in one
  // send. No event can run between the blocks of a group (the loop is pumped only inside sendAll), so an
  // abort is seen before the next group exactly as it would be before the next block.
  constexpr size_t kGroup = 32;
  std::vector<char> group(kBlock * kGroup);
  while (file_) {
    if (aborting_) break;
    const size_t n = std::fread(group.data(), 1, group.size(), file_);
    if (n == 0 || (n < group.size() && std::ferror(file_))) {
      if (std::ferror(file_)) {
        // A local read failure ends the upload as finished-with-failure, so the client never stays busy.
        nonFatal(ftp_error::LocalRead, LocalFile);
        closeFile();
        closeData();
        Success = false;
        dataFinished_ = true;
        if (finalReply_) postReady();
        return;
      }
      break;
    }
    bytes_ += n;
    if (!sendAll(data_, group.data(), n, false, true)) break;
    for (size_t sent = 0; sent < n; sent += kBlock) info(ftp_info::Progress);
    elapsedMs_ = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(now() - start_).count());
    if (n < group.size()) break;  // the end of the file
  }
  if (dataFinished_ || closedDown_) return;
  if (aborting_ || data_.handle() < 0)
    finishData();
  else
    finishUpload();
}

// The whole file is out: this side's sending ends and the data connection stays open until the server
// closes it, so that a reset after the last byte (the server did not keep everything) fails the file.
void TStarFtp::finishUpload() {
  closeFile();
  if (static_cast<long long>(bytes_) != fileSize_) uploadCutShort_ = true;  // the file changed while being read
  listen_.CloseSocket();
  data_.ShutdownWrite();
  if (data_.LastError) {
    uploadCutShort_ = true;
    finishData();
    return;
  }
}

void TStarFtp::finishData() {
  closeData();
  closeFile();
  elapsedMs_ = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(now() - start_).count());
  info(ftp_info::TransferDone, "Transfer done");
  dataFinished_ = true;
  if (uploadCutShort_ && !aborting_ && Success)
    nonFatal(ftp_error::DataConnection, "The server broke off the data connection: the file arrived incomplete");
  if (finalReply_) postReady();
}

}  // namespace quillon
