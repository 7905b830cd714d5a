#include "publish/sftp_session.h"

#include <fcntl.h>
#include <libssh2.h>
#include <libssh2_sftp.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "base/file_io.h"

namespace quillon {

namespace {

std::string sftpErrorText(unsigned long code) {
  switch (code) {
    case LIBSSH2_FX_NO_SUCH_FILE:
    case LIBSSH2_FX_NO_SUCH_PATH:
      return "No such file or folder";
    case LIBSSH2_FX_PERMISSION_DENIED:
      return "Permission denied";
    case LIBSSH2_FX_FILE_ALREADY_EXISTS:
      return "It exists already";
    case LIBSSH2_FX_NO_SPACE_ON_FILESYSTEM:
    case LIBSSH2_FX_QUOTA_EXCEEDED:
      return "The server has no room for it";
    case LIBSSH2_FX_WRITE_PROTECT:
      return "The server's disk is write-protected";
    case LIBSSH2_FX_DIR_NOT_EMPTY:
      return "The folder is not empty";
    case LIBSSH2_FX_NOT_A_DIRECTORY:
      return "It is not a folder";
    case LIBSSH2_FX_OP_UNSUPPORTED:
      return "The server does not offer this";
    default:
      return "The server refused it";
  }
}

bool lostConnection(int error) {
  return error == LIBSSH2_ERROR_SOCKET_DISCONNECT || error == LIBSSH2_ERROR_SOCKET_SEND ||
         error == LIBSSH2_ERROR_SOCKET_RECV || error == LIBSSH2_ERROR_TIMEOUT || error == LIBSSH2_ERROR_SOCKET_TIMEOUT;
}

int knownHostKeyBits(int type) {
  switch (type) {
    case LIBSSH2_HOSTKEY_TYPE_RSA:
      return LIBSSH2_KNOWNHOST_KEY_SSHRSA;
    case LIBSSH2_HOSTKEY_TYPE_DSS:
      return LIBSSH2_KNOWNHOST_KEY_SSHDSS;
    case LIBSSH2_HOSTKEY_TYPE_ECDSA_256:
      return LIBSSH2_KNOWNHOST_KEY_ECDSA_256;
    case LIBSSH2_HOSTKEY_TYPE_ECDSA_384:
      return LIBSSH2_KNOWNHOST_KEY_ECDSA_384;
    case LIBSSH2_HOSTKEY_TYPE_ECDSA_521:
      return LIBSSH2_KNOWNHOST_KEY_ECDSA_521;
    case LIBSSH2_HOSTKEY_TYPE_ED25519:
      return LIBSSH2_KNOWNHOST_KEY_ED25519;
    default:
      return LIBSSH2_KNOWNHOST_KEY_UNKNOWN;
  }
}

// The password, for servers that ask for it as a keyboard-interactive prompt.
thread_local const std::string* interactivePassword = nullptr;

void answerPrompts(const char*, int, const char*, int, int count, const LIBSSH2_USERAUTH_KBDINT_PROMPT*,
                   LIBSSH2_USERAUTH_KBDINT_RESPONSE* responses, void**) {
  for (int i = 0; i < count && interactivePassword; ++i) {
    responses[i].text = static_cast<char*>(std::malloc(interactivePassword->size() + 1));
    std::memcpy(responses[i].text, interactivePassword->c_str(), interactivePassword->size() + 1);
    responses[i].length = static_cast<unsigned>(interactivePassword->size());
  }
}

}  // namespace

SftpSession::~SftpSession() { close(); }

SftpSession::Result SftpSession::failure(const std::string& what) {
  Result r;
  const int error = ssh_ ? libssh2_session_last_errno(ssh_) : LIBSSH2_ERROR_SOCKET_DISCONNECT;
  if (lostConnection(error)) {
    r.lost = true;
    r.why = error == LIBSSH2_ERROR_TIMEOUT || error == LIBSSH2_ERROR_SOCKET_TIMEOUT
                ? "The connection attempt to the server timed out."
                : "The connection was unexpectedly closed by the remote server";
  } else if (error == LIBSSH2_ERROR_SFTP_PROTOCOL && sftp_) {
    r.why = what + ": " + sftpErrorText(libssh2_sftp_last_error(sftp_));
  } else {
    char* message = nullptr;
    int length = 0;
    if (ssh_) libssh2_session_last_error(ssh_, &message, &length, 0);
    r.why = what + (length > 0 ? ": " + std::string(message, static_cast<size_t>(length)) : std::string());
  }
  return r;
}

SftpSession::Result SftpSession::connectSocket(const std::string& host, uint16_t port, int timeoutSeconds) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found)
    return {false,
            "Could not find your server. Check that you are connected to your service provider and that your "
            "setup information is correct.",
            true};
  Result r{false, "The server refused the connection.", true};
  for (addrinfo* a = found; a && fd_ < 0; a = a->ai_next) {
    const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol);
    if (fd < 0) continue;
    int rc = ::connect(fd, a->ai_addr, a->ai_addrlen);
    if (rc != 0 && errno == EINPROGRESS) {
      pollfd p{fd, POLLOUT, 0};
      rc = ::poll(&p, 1, timeoutSeconds > 0 ? timeoutSeconds * 1000 : -1);
      int error = 0;
      socklen_t length = sizeof error;
      if (rc == 0) r.why = "The connection attempt to the server timed out.";
      rc = rc > 0 && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0 ? 0 : -1;
    }
    if (rc != 0) {
      ::close(fd);
      continue;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    fd_ = fd;
  }
  ::freeaddrinfo(found);
  return fd_ >= 0 ? Result{true, {}, false} : r;
}

SftpSession::Result SftpSession::connect(const PublishLogin& login, const HostTrust& trust,
                                         const std::function<void(std::string)>& log) {
  static std::once_flag started;
  std::call_once(started, [] { libssh2_init(0); });
  close();
  refusedKey.reset();
  refusedKeyChanged = false;
  // "[::1]" names an address as it is written beside a port.
  std::string host = login.host;
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  const uint16_t port = login.port ? login.port : 22;
  if (Result r = connectSocket(host, port, login.timeoutSeconds); !r.ok) return r;
  ssh_ = libssh2_session_init();
  libssh2_session_set_blocking(ssh_, 1);
  libssh2_session_set_timeout(ssh_, login.timeoutSeconds > 0 ? login.timeoutSeconds * 1000L : 0);
  if (libssh2_session_handshake(ssh_, fd_) != 0) return failure("The secure connection could not be made");
  if (const char* banner = libssh2_session_banner_get(ssh_)) log(std::string("Connected to ") + banner);
  if (Result r = checkHostKey(host, port, trust, log); !r.ok) return r;
  if (Result r = authenticate(login, log); !r.ok) return r;
  sftp_ = libssh2_sftp_init(ssh_);
  if (!sftp_) return failure("The server offers no SFTP");
  char resolved[4096];
  const int home = libssh2_sftp_realpath(sftp_, ".", resolved, sizeof resolved);
  if (home < 0) return failure("The server would not name the login folder");
  cwd_.assign(resolved, static_cast<size_t>(home));
  if (login.folder.empty()) return {true, {}, false};
  Result moved = changeFolder(login.folder);
  if (!moved.ok && !moved.lost) moved.why = "The server refused the folder \"" + login.folder + "\".";
  return moved;
}

SftpSession::Result SftpSession::checkHostKey(const std::string& host, uint16_t port, const HostTrust& trust,
                                              const std::function<void(std::string)>& log) {
  size_t length = 0;
  int type = 0;
  const char* blob = libssh2_session_hostkey(ssh_, &length, &type);
  const char* hash = libssh2_hostkey_hash(ssh_, LIBSSH2_HOSTKEY_HASH_SHA256);
  const auto key = blob && hash ? describeHostKey(host, port, {blob, length}, {hash, 32}) : std::nullopt;
  if (!key) return {false, "The server sent no host key that can be checked", true};
  log("Host key " + key->type + " " + key->fingerprint);
  LIBSSH2_KNOWNHOSTS* known = libssh2_knownhost_init(ssh_);
  if (!trust.knownHostsFile.empty() && fileExists(trust.knownHostsFile))
    libssh2_knownhost_readfile(known, trust.knownHostsFile.c_str(), LIBSSH2_KNOWNHOST_FILE_OPENSSH);
  libssh2_knownhost* entry = nullptr;
  const int check = libssh2_knownhost_checkp(
      known, host.c_str(), port, blob, length,
      LIBSSH2_KNOWNHOST_TYPE_PLAIN | LIBSSH2_KNOWNHOST_KEYENC_RAW | knownHostKeyBits(type), &entry);
  libssh2_knownhost_free(known);
  if (check == LIBSSH2_KNOWNHOST_CHECK_MATCH) return {true, {}, false};
  refusedKey = key;
  if (check == LIBSSH2_KNOWNHOST_CHECK_MISMATCH) {
    refusedKeyChanged = true;
    return {false,
            "WARNING: the host key of " + knownHostName(host, port) + " has changed (" + key->type + " " +
                key->fingerprint +
                "). Someone may be posing as the server. Nothing was sent. If the server's key was really "
                "replaced, remove its old line from " +
                trust.knownHostsFile + ".",
            true};
  }
  if (trust.acceptFingerprint != key->fingerprint)
    return {false,
            "The server " + knownHostName(host, port) + " is not known yet. Its host key is " + key->type + " " +
                key->fingerprint + ".",
            true};
  refusedKey.reset();
  if (const std::string failed = trustHostKey(trust.knownHostsFile, *key); !failed.empty())
    log("The host key could not be added to " + trust.knownHostsFile + ": " + failed);
  else
    log("Host key added to " + trust.knownHostsFile);
  return {true, {}, false};
}

// The user's agent, then the user's own key files, then the password.
SftpSession::Result SftpSession::authenticate(const PublishLogin& login, const std::function<void(std::string)>& log) {
  const std::string& user = login.user;
  const char* offered = libssh2_userauth_list(ssh_, user.c_str(), static_cast<unsigned>(user.size()));
  if (!offered) {
    if (libssh2_userauth_authenticated(ssh_)) return {true, {}, false};
    return failure("The server refused the login");
  }
  const std::string methods = offered;
  if (methods.find("publickey") != std::string::npos) {
    if (LIBSSH2_AGENT* agent = libssh2_agent_init(ssh_)) {
      if (libssh2_agent_connect(agent) == 0 && libssh2_agent_list_identities(agent) == 0) {
        libssh2_agent_publickey *identity = nullptr, *previous = nullptr;
        while (!libssh2_userauth_authenticated(ssh_) && libssh2_agent_get_identity(agent, &identity, previous) == 0) {
          if (libssh2_agent_userauth(agent, user.c_str(), identity) == 0) log("Logged in with a key of the agent");
          previous = identity;
        }
        libssh2_agent_disconnect(agent);
      }
      libssh2_agent_free(agent);
    }
    const char* home = std::getenv("HOME");
    for (const char* name : {"id_ed25519", "id_ecdsa", "id_rsa"}) {
      if (libssh2_userauth_authenticated(ssh_) || !home) break;
      const std::string file = std::string(home) + "/.ssh/" + name;
      if (!fileExists(file)) continue;
      if (libssh2_userauth_publickey_fromfile(ssh_, user.c_str(), nullptr, file.c_str(), nullptr) == 0)
        log("Logged in with the key " + file);
    }
  }
  if (!libssh2_userauth_authenticated(ssh_) && !login.password.empty()) {
    if (methods.find("password") != std::string::npos &&
        libssh2_userauth_password(ssh_, user.c_str(), login.password.c_str()) == 0) {
      log("Logged in with the password");
    } else if (methods.find("keyboard-interactive") != std::string::npos) {
      interactivePassword = &login.password;
      if (libssh2_userauth_keyboard_interactive(ssh_, user.c_str(), answerPrompts) == 0)
        log("Logged in with the password");
      interactivePassword = nullptr;
    }
  }
  if (libssh2_userauth_authenticated(ssh_)) return {true, {}, false};
  Result refused = failure("Access denied. Check your user ID and password");
  if (!refused.lost) refused = {false, "Access denied. Check your user ID and password.", true};
  return refused;
}

std::string SftpSession::path(const std::string& name) const {
  if (!name.empty() && name.front() == '/') return name;
  return cwd_ == "/" ? "/" + name : cwd_ + "/" + name;
}

SftpSession::Result SftpSession::list(std::vector<RemoteEntry>& entries, std::vector<std::string>& lines) {
  entries.clear();
  lines.clear();
  LIBSSH2_SFTP_HANDLE* dir = libssh2_sftp_opendir(sftp_, cwd_.c_str());
  if (!dir) return failure("The folder could not be listed");
  char name[4096], longEntry[4096 + 512];
  LIBSSH2_SFTP_ATTRIBUTES attrs{};
  int n = 0;
  while ((n = libssh2_sftp_readdir_ex(dir, name, sizeof name, longEntry, sizeof longEntry, &attrs)) > 0) {
    const std::string entry(name, static_cast<size_t>(n));
    if (entry == "." || entry == "..") continue;
    lines.emplace_back(longEntry);
    bool folder = (attrs.flags & LIBSSH2_SFTP_ATTR_PERMISSIONS) && LIBSSH2_SFTP_S_ISDIR(attrs.permissions);
    // A link counts as a folder when it leads to one.
    if ((attrs.flags & LIBSSH2_SFTP_ATTR_PERMISSIONS) && LIBSSH2_SFTP_S_ISLNK(attrs.permissions)) {
      LIBSSH2_SFTP_ATTRIBUTES target{};
      folder = libssh2_sftp_stat(sftp_, path(entry).c_str(), &target) == 0 &&
               (target.flags & LIBSSH2_SFTP_ATTR_PERMISSIONS) && LIBSSH2_SFTP_S_ISDIR(target.permissions);
    }
    RemoteEntry listed{entry, folder, false, std::nullopt, {}};
    listed.link = (attrs.flags & LIBSSH2_SFTP_ATTR_PERMISSIONS) && LIBSSH2_SFTP_S_ISLNK(attrs.permissions);
    if (attrs.flags & LIBSSH2_SFTP_ATTR_SIZE) listed.size = static_cast<int64_t>(attrs.filesize);
    if (attrs.flags & LIBSSH2_SFTP_ATTR_ACMODTIME) listed.stamp = std::to_string(attrs.mtime);
    entries.push_back(std::move(listed));
  }
  Result r = n < 0 ? failure("The folder could not be listed") : Result{true, {}, false};
  libssh2_sftp_closedir(dir);
  return r;
}

SftpSession::Result SftpSession::changeFolder(const std::string& name) {
  char resolved[4096];
  const int n = libssh2_sftp_realpath(sftp_, path(name).c_str(), resolved, sizeof resolved);
  if (n < 0) return failure("The folder " + name + " could not be entered");
  const std::string target(resolved, static_cast<size_t>(n));
  LIBSSH2_SFTP_ATTRIBUTES attrs{};
  if (libssh2_sftp_stat(sftp_, target.c_str(), &attrs) != 0)
    return failure("The folder " + name + " could not be entered");
  if (!(attrs.flags & LIBSSH2_SFTP_ATTR_PERMISSIONS) || !LIBSSH2_SFTP_S_ISDIR(attrs.permissions))
    return {false, name + " is not a folder", false};
  cwd_ = target;
  return {true, {}, false};
}

SftpSession::Result SftpSession::makeFolder(const std::string& name) {
  return libssh2_sftp_mkdir(sftp_, path(name).c_str(), 0755) == 0 ? Result{true, {}, false}
                                                                  : failure("The folder " + name + " was not made");
}

SftpSession::Result SftpSession::removeFolder(const std::string& name) {
  return libssh2_sftp_rmdir(sftp_, path(name).c_str()) == 0 ? Result{true, {}, false}
                                                            : failure("The folder " + name + " was not removed");
}

SftpSession::Result SftpSession::deleteFile(const std::string& name) {
  return libssh2_sftp_unlink(sftp_, path(name).c_str()) == 0 ? Result{true, {}, false}
                                                             : failure("The file " + name + " was not deleted");
}

namespace {

void putUint32(std::string& out, uint32_t v) {
  for (int shift : {24, 16, 8, 0}) out += static_cast<char>((v >> shift) & 0xFF);
}

void putString(std::string& out, const std::string& text) {
  putUint32(out, static_cast<uint32_t>(text.size()));
  out += text;
}

uint32_t uint32At(const unsigned char* p) { return (uint32_t{p[0]} << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; }

bool readAll(LIBSSH2_CHANNEL* channel, unsigned char* into, size_t count) {
  for (size_t got = 0; got < count;) {
    const ssize_t n = libssh2_channel_read(channel, reinterpret_cast<char*>(into) + got, count - got);
    if (n <= 0) return false;
    got += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

// OpenSSH's "posix-rename@openssh.com": a rename that replaces the target in one step, which the protocol's
// own rename does not (it refuses an existing target). Sent on the SFTP channel while no other request is
// out; the answer's status code, or -1 when the exchange itself failed.
int SftpSession::posixRename(const std::string& from, const std::string& to) {
  constexpr uint32_t kRequestId = 0x7F51A001;
  std::string body;
  body += static_cast<char>(200);  // SSH_FXP_EXTENDED
  putUint32(body, kRequestId);
  putString(body, "posix-rename@openssh.com");
  putString(body, from);
  putString(body, to);
  std::string packet;
  putUint32(packet, static_cast<uint32_t>(body.size()));
  packet += body;
  LIBSSH2_CHANNEL* channel = libssh2_sftp_get_channel(sftp_);
  for (size_t sent = 0; sent < packet.size();) {
    const ssize_t n = libssh2_channel_write(channel, packet.data() + sent, packet.size() - sent);
    if (n <= 0) return -1;
    sent += static_cast<size_t>(n);
  }
  unsigned char header[4];
  if (!readAll(channel, header, 4)) return -1;
  const uint32_t length = uint32At(header);
  if (length < 9 || length > 65536) return -1;
  std::string reply(length, '\0');
  if (!readAll(channel, reinterpret_cast<unsigned char*>(reply.data()), length)) return -1;
  const auto* r = reinterpret_cast<const unsigned char*>(reply.data());
  if (r[0] != 101 || uint32At(r + 1) != kRequestId) return -1;  // SSH_FXP_STATUS for this request
  return static_cast<int>(uint32At(r + 5));
}

SftpSession::Result SftpSession::rename(const std::string& from, const std::string& to) {
  const std::string a = path(from), b = path(to);
  const int posix = posixRename(a, b);
  if (posix == 0) return {true, {}, false};
  if (posix < 0) return failure("The file " + from + " was not renamed");
  const long flags = LIBSSH2_SFTP_RENAME_OVERWRITE | LIBSSH2_SFTP_RENAME_ATOMIC | LIBSSH2_SFTP_RENAME_NATIVE;
  return libssh2_sftp_rename_ex(sftp_, a.c_str(), static_cast<unsigned>(a.size()), b.c_str(),
                                static_cast<unsigned>(b.size()), flags) == 0
             ? Result{true, {}, false}
             : failure("The file " + from + " was not renamed");
}

SftpSession::Result SftpSession::size(const std::string& name, int64_t& size) {
  LIBSSH2_SFTP_ATTRIBUTES attrs{};
  if (libssh2_sftp_stat(sftp_, path(name).c_str(), &attrs) != 0) return failure("The size of " + name + " is unknown");
  if (!(attrs.flags & LIBSSH2_SFTP_ATTR_SIZE)) return {false, "The server gives no size", false};
  size = static_cast<int64_t>(attrs.filesize);
  return {true, {}, false};
}

SftpSession::Result SftpSession::store(const std::string& local, const std::string& remote,
                                       const std::atomic<bool>& cancel, const std::function<void(uint64_t)>& progress,
                                       uint64_t& sent) {
  sent = 0;
  const int in = ::open(local.c_str(), O_RDONLY | O_CLOEXEC);
  const auto expected = regularFileSize(local);
  if (in < 0 || !expected) {
    if (in >= 0) ::close(in);
    return {false, "Error opening " + local, false};
  }
  LIBSSH2_SFTP_HANDLE* out =
      libssh2_sftp_open(sftp_, path(remote).c_str(), LIBSSH2_FXF_WRITE | LIBSSH2_FXF_CREAT | LIBSSH2_FXF_TRUNC, 0644);
  if (!out) {
    ::close(in);
    return failure("The file " + remote + " could not be written");
  }
  // Large blocks let the library keep many write requests in flight.
  std::vector<char> block(1 << 20);
  Result r{true, {}, false};
  for (ssize_t n; r.ok && (n = ::read(in, block.data(), block.size())) != 0;) {
    if (n < 0) {
      r = {false, "Error reading from " + local, false};
      break;
    }
    for (ssize_t done = 0; done < n;) {
      if (cancel) {
        r = {false, "The upload was cancelled", false};
        break;
      }
      const ssize_t w = libssh2_sftp_write(out, block.data() + done, static_cast<size_t>(n - done));
      if (w < 0) {
        r = failure("The file " + remote + " could not be written");
        break;
      }
      done += w;
      sent += static_cast<uint64_t>(w);
      progress(sent);
    }
  }
  ::close(in);
  if (libssh2_sftp_close(out) != 0 && r.ok) r = failure("The file " + remote + " could not be written");
  if (r.ok && static_cast<int64_t>(sent) != *expected) r = {false, "The file changed while it was being sent", false};
  return r;
}

void SftpSession::close() {
  if (sftp_) libssh2_sftp_shutdown(sftp_);
  sftp_ = nullptr;
  if (ssh_) {
    libssh2_session_disconnect(ssh_, "Goodbye");
    libssh2_session_free(ssh_);
  }
  ssh_ = nullptr;
  if (const int fd = fd_.exchange(-1); fd >= 0) ::close(fd);
  cwd_.clear();
}

void SftpSession::interrupt() {
  if (const int fd = fd_.load(); fd >= 0) ::shutdown(fd, SHUT_RDWR);
}

}  // namespace quillon
