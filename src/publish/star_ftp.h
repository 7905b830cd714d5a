#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "publish/ftp_text.h"
#include "publish/publisher.h"
#include "publish/star_socket.h"
#include "publish/tls_client.h"

namespace quillon {

enum TTransferType { BinaryTransfer = 0, AsciiTransfer = 1 };

// Codes of OnFtpInfo, by their numbers.
namespace ftp_info {
enum : int {
  Connected = 0,
  NotConnected = 1,
  LookingUp = 2,
  Resolved = 3,
  Received = 4,
  Sent = 5,
  Busy = 6,
  Progress = 7,
  TransferDone = 9,
  ListingReady = 10,
  LoggedIn = 11,
  UploadStarts = 12,
  Refused = 13,
  ListingLine = 14
};
}

// Codes of OnFtpError, by their numbers (socket failures map onto 1 to 18 through ftpErrorFromWsa).
namespace ftp_error {
enum : int {
  QuitRefused = 0,
  SocketLibrary = 1,
  Aborted = 6,
  TimedOut = 8,
  UnexpectedReply = 13,
  AddressLookup = 16,
  NoServer = 19,
  LocalFile = 21,
  LocalRead = 23,
  NoRemoteName = 24,
  UnsafeText = 25,
  GreetingRefused = 26,
  LoginRefused = 27,
  DataConnection = 28,
  Tls = 29
};
}

// The protocol states: what the client waits for. Their numbers are those state() reports.
namespace ftp_state {
enum : int {
  Greeting = 0,
  User = 1,
  Password = 2,
  Account = 3,
  System = 5,
  InitialFolder = 6,
  AuthTls = 20,
  Pbsz = 21,
  Prot = 22,
  ListFolder = 7,
  ListType = 8,
  ListPort = 10,
  ListPassive = 11,
  List = 12,
  Features = 13,
  StoreType = 30,
  StorePort = 31,
  Store = 32,
  StorePassive = 33,
  RenameFrom = 40,
  RenameTo = 41,
  SingleCommand = 50,
  Quit = 60,
  Idle = 100
};
}
enum TFtpInfoNeeded { niHost = 0, niUser = 1, niPassword = 2, niAccount = 3 };

// An FTP client on the control socket it is. Every operation returns at once; its end arrives as the ready
// notification (OnFtpReady), then the operation's completion event; Success tells how it went. Data
// connections are made as DataMode says; a passive one always goes to the address the control connection
// reached, whatever address a reply names. An upload counts as stored only when the
// server's final reply is positive, every byte of the file was sent and the server closed the data
// connection cleanly after reading it. An aborted upload that had begun leaves no partial file: the client
// deletes it before the operation ends.
class TStarFtp : public TStarSocket {
 public:
  explicit TStarFtp(EventLoop& loop);
  ~TStarFtp() override;

  // Properties.
  std::string UserName, UserPassword, UserAccount, LocalFile, RemoteFile, InitialDirectory;
  TTransferType TransferMode = BinaryTransfer;
  TFTPServerType ServerType = ftpstDefault;
  // Active: the client listens and sends PORT. Passive: the client connects to the port an EPSV (else
  // PASV) reply names. Auto: EPSV, then PASV, then PORT, keeping for the session the first the server took.
  DataConnection DataMode = DataConnection::Active;
  // Listings by MLSD where the server offers it (asked with FEAT once a session): exact sizes, times in UTC
  // to the second, and names as they are. Off, listings are by LIST, as the screens show them.
  bool PreferMlsd = false;
  // FTP over TLS: none, explicit (AUTH TLS after the greeting) or implicit (TLS from the first byte, port
  // 990). Control and data connections are encrypted; nothing is sent in clear once TLS was asked for.
  enum class Security { None, Explicit, Implicit };
  Security Secure = Security::None;
  // The fingerprint of a certificate the user trusts though no authority vouches for it.
  std::string TrustedCertificate;
  // After a connection refused for its certificate: the certificate.
  std::optional<Certificate> refusedCertificate() const;
  // After SizeOfFile: the size the server gave, or nothing.
  std::optional<long long> RemoteSize;
  bool Success = false;
  // Seconds an operation, the login or a transfer may wait without progress (a reply line, bytes moved)
  // before it ends with the time-out error 8; 0 waits for ever.
  int TimeOut = 60;
  static constexpr const char* Version = "TStarFtp 1.4.2";
  // Refused before anything is sent: a name, path or login value holding CR, LF or NUL.
  static constexpr int kUnsafeText = ftp_error::UnsafeText;

  // Events.
  std::function<void(TStarFtp&, int info, const std::string& addinfo)> OnFtpInfo;
  std::function<void(TStarFtp&, TFtpInfoNeeded need, std::string& value)> OnFtpNeedInfo;
  std::function<void(TStarFtp&, int error, const std::string& addinfo)> OnFtpError;
  std::function<void(TStarFtp&)> OnFtpReady, OnFtpQuit, OnLoggedIn, OnDirectoryChanged, OnDirectoryCreated,
      OnDirectoryDeleted, OnFileDeleted, OnFileStored, OnListingDone, OnFileRenamed, OnFileSizeKnown;

  // Operations.
  void Connect();
  void ListDirectory();
  void ChangeDirectory(const std::string& name);
  void MakeDirectory(const std::string& name);
  void RemoveDirectory(const std::string& name);
  void DeleteFile(const std::string& name);
  void RenameFile(const std::string& oldName, const std::string& newName);
  void SizeOfFile(const std::string& name);
  void Quit();
  void StoreFile();
  void AbortTransfer();

  bool FtpConnected() const { return connected_; }
  bool Busy() const { return busy_; }
  bool closedDown() const { return closedDown_; }
  int error() const { return error_; }
  int state() const { return state_; }
  unsigned long bytesTransferred() const { return bytes_; }
  // Milliseconds the last transfer took; 0 when none was timed.
  long ElapsedTime() const { return elapsedMs_; }
  // The server's last complete reply line, to say why it refused something.
  const std::string& lastReply() const { return lastReply_; }
  const std::vector<std::string>& Listing() const { return listing_; }
  const std::vector<std::string>& FileNames() const { return fileNames_; }
  const std::vector<std::string>& DirectoryNames() const { return directoryNames_; }
  // Every entry of the last listing, folders first, with the size and time its line gives.
  const std::vector<ListingName>& ListedEntries() const { return listedEntries_; }

 protected:
  void hostResolved() override;

 private:
  // The handler that ends an operation once its completion is posted.
  enum class Completion {
    None,
    LoggedIn,
    DirectoryChanged,
    DirectoryCreated,
    DirectoryDeleted,
    FileDeleted,
    FileStored,
    ListingDone,
    FileRenamed,
    FileSizeKnown
  };
  const std::function<void(TStarFtp&)>* handlerFor(Completion completion) const;
  // Starts an operation that ends with `completion` (none given: the pending one stays); false when not connected or
  // busy.
  bool beginOperation(std::optional<Completion> completion);
  bool refuseUnsafe(const std::string& what, const std::string& value);
  void progress() { lastProgress_ = now(); }
  void watchTick();
  void connectionLost();
  void info(int code, const std::string& text = {});
  void fatal(int code, const std::string& text = "Error");
  void nonFatal(int code, const std::string& text);
  bool errorCheck();
  void sendCommand(const std::string& command, int newState);
  bool sendAll(TStarSocket& socket, const char* bytes, size_t count, bool urgent, bool dataSocket);
  void postReady();
  void postQuit();
  void readControl();
  void reply(const std::string& line);
  void loginReply(char cls, const std::string& line);
  void listingReply(char cls, const std::string& line);
  void storeReply(char cls);
  void commandReply(char cls);
  bool retryTransferOnce(const std::string& why);
  void restartTransfer();
  void portAfterType(char cls, void (TStarFtp::*setUpData)(), int nextState);
  void requestData();
  void passiveReply(char cls, const std::string& line);
  void startListing();
  void startStore();
  void listingDataOpened();
  void uploadDataOpened();
  void detectServerType(const std::string& line);
  void secureReply(char cls);
  void startControlTls();
  void controlTlsReady();
  void sendUser();
  // The data connection is ready for the transfer: at once, or once its TLS handshake is done.
  void dataReady(void (TStarFtp::*opened)());
  void loginRefused();
  // The PORT (IPv4) or EPRT (IPv6) command for a data connection the client listens for.
  std::string setUpPort();
  void setUpListing();
  void sendType(char type, int state, void (TStarFtp::*setUpData)(), int portState);
  void setUpUpload();
  void readListing();
  void listingClosed();
  void sendFile();
  void finishData();
  void finishUpload();
  void abortReply(char cls);
  void closeData();
  void closeFile();
  std::string ask(TFtpInfoNeeded need, const std::string& current);
  EventLoop::Clock::time_point now() { return loop().now(); }

  // The ways of making a data connection, in the order Auto tries them.
  enum class DataWay { Unknown, Epsv, Pasv, Port };
  DataWay way_ = DataWay::Unknown;     // what worked in this session
  DataWay trying_ = DataWay::Unknown;  // what the running transfer asked for
  bool passive_ = false;               // the running transfer's data connection is the client's to make
  void (TStarFtp::*setUpData_)() = nullptr;
  int portState_ = 0;
  std::unique_ptr<TlsClient> tls_;
  bool protected_ = false;  // PBSZ and PROT P were taken
  TStarSocket listen_;
  TStarSocket data_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  bool connected_ = false, busy_ = false, closedDown_ = false, aborting_ = false, quitPosted_ = false;
  bool guard_ = false;
  bool telnetControl_ = true;  // the server reads Telnet on the control connection (byte 255 doubled)
  int state_ = ftp_state::Idle;
  Completion pending_ = Completion::None;
  int error_ = 0;
  ReplyReader replies_;
  std::string controlTail_, listingTail_, renameTo_, lastReply_;
  std::unique_ptr<ListingParser> parser_;
  std::FILE* file_ = nullptr;
  long long fileSize_ = 0;
  bool dataFinished_ = false, finalReply_ = false;
  // A listing or upload whose data connection's TLS the server dropped is asked once more, once the
  // server has answered the first command (a busy server may close a data connection whose handshake is
  // still going).
  bool transferRetried_ = false, retryTransfer_ = false;
  bool uploadAccepted_ = false;  // the data connection is there, waiting for STOR to go out
  bool uploadCutShort_ = false;  // the server reset the data connection: the file arrived incomplete
  // An abort waits for the final replies of the command it interrupts and of ABOR itself.
  int abortRepliesDue_ = 0;
  char abortFirstReply_ = 0;
  bool abortCutShort_ = false;    // the file had not been sent whole when the abort came
  bool storeBegan_ = false;       // the server opened the remote file (a preliminary reply to STOR)
  bool removingPartial_ = false;  // DELE of what an aborted upload left on the server
  unsigned long bytes_ = 0;
  EventLoop::Clock::time_point start_;
  long elapsedMs_ = 0;
  EventLoop::Clock::time_point lastPump_;
  EventLoop::Clock::time_point lastProgress_;
  int watchTimer_ = 0;
  bool loggingIn_ = false;
  bool readyPosted_ = false;
  std::vector<std::string> listing_, fileNames_, directoryNames_;
  std::vector<ListingName> listedEntries_;
  bool featuresKnown_ = false, mlsdOffered_ = false, listingByMlsd_ = false;
  char type_ = 0, askedType_ = 0;  // the session's transfer type ('A', 'I'), 0 while unknown
};

}  // namespace quillon
