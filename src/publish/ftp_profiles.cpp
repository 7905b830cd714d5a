#include "publish/ftp_profiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <functional>

#include "base/ini_file.h"
#include "base/text_bytes.h"

namespace quillon {

namespace {

// Makes sure the file that holds passwords is the user's own regular file at 0600 before anything is written
// into it: created owner-only when missing, made private otherwise. A link, a file of another user or
// anything but a regular file is refused, since writing through it could put the passwords where others
// read them.
WriteResult makePrivate(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
  if (fd < 0) {
    if (errno == ELOOP)
      return {false,
              "It is a symbolic link. Passwords are saved only into a regular file of your own: replace the "
              "link by the file itself",
              path};
    return {false, std::strerror(errno), path};
  }
  struct stat st {};
  const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  const bool own = regular && st.st_uid == ::geteuid();
  const bool privateNow = own && ::fchmod(fd, 0600) == 0;
  ::close(fd);
  if (!regular) return {false, "It is not a regular file", path};
  if (!own) return {false, "It belongs to another user", path};
  if (!privateNow) return {false, std::strerror(errno), path};
  return {true, {}, {}};
}

WriteResult writePair(const std::string& iniPath, const std::string& datPath,
                      const std::function<void(IniFile&)>& change, const std::vector<std::string>& hostNames) {
  if (const WriteResult ready = makePrivate(iniPath); !ready.ok) return ready;
  // Another instance may be writing its own profiles: re-read under the lock.
  const FolderLock lock(std::string(folderPart(iniPath)));
  IniFile ini = IniFile::load(iniPath);
  change(ini);
  const std::string iniText = ini.bytes();
  const std::string datText = joinCrLf(hostNames);
  return writeFilesTogether({{iniPath, iniText}, {datPath, datText}});
}

}  // namespace

FtpProfile readFtpProfile(const std::string& iniPath, const std::string& name) {
  const IniFile ini = IniFile::load(iniPath);
  FtpProfile p;
  p.profile = ini.readString(name, "Profile", "none");
  p.host = ini.readString(name, "Host", "none");
  p.user = ini.readString(name, "User", "");
  p.password = ini.readString(name, "Password", "");
  p.account = ini.readString(name, "Account", "");
  p.directory = ini.readString(name, "Directory", "");
  p.mode = dataModeNamed(ini.readString(name, "DataMode", "Auto"));
  p.tempNames = ini.readString(name, "TempNames", "1") != "0";
  p.port = portNumber(ini.readString(name, "Port", "")).value_or(0);
  p.protocol = protocolNamed(ini.readString(name, "Protocol", "FTP"));
  p.certificate = ini.readString(name, "Certificate", "");
  p.exclusions = ini.readString(name, "Exclude", kDefaultPublishExclusions);
  p.passwordInKeyring = equalsIgnoringAsciiCase(ini.readString(name, "PasswordIn", "File"), "Keyring");
  if (p.passwordInKeyring) p.password.clear();
  return p;
}

std::optional<uint16_t> portNumber(std::string_view text) {
  if (text.empty() || text.size() > 5) return std::nullopt;
  unsigned value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value == 0 || value > 65535) return std::nullopt;
  return static_cast<uint16_t>(value);
}

const char* protocolName(PublishProtocol protocol) {
  switch (protocol) {
    case PublishProtocol::Ftps:
      return "FTPS";
    case PublishProtocol::FtpsImplicit:
      return "FTPS implicit";
    case PublishProtocol::Sftp:
      return "SFTP";
    case PublishProtocol::Ftp:
      break;
  }
  return "FTP";
}

PublishProtocol protocolNamed(std::string_view name) {
  for (const PublishProtocol p : {PublishProtocol::Ftps, PublishProtocol::FtpsImplicit, PublishProtocol::Sftp})
    if (equalsIgnoringAsciiCase(name, protocolName(p))) return p;
  return PublishProtocol::Ftp;
}

uint16_t defaultPort(PublishProtocol protocol) {
  return protocol == PublishProtocol::Sftp ? 22 : protocol == PublishProtocol::FtpsImplicit ? 990 : 21;
}

const char* dataModeName(DataConnection mode) {
  switch (mode) {
    case DataConnection::Passive:
      return "Passive";
    case DataConnection::Active:
      return "Active";
    case DataConnection::Auto:
      break;
  }
  return "Auto";
}

DataConnection dataModeNamed(std::string_view name) {
  if (equalsIgnoringAsciiCase(name, "Passive")) return DataConnection::Passive;
  if (equalsIgnoringAsciiCase(name, "Active")) return DataConnection::Active;
  return DataConnection::Auto;
}

WriteResult writeFtpProfile(const std::string& iniPath, const std::string& datPath, const FtpProfile& p,
                            const std::vector<std::string>& hostNames) {
  const std::string noPassword;
  const std::string* password = p.passwordInKeyring ? &noPassword : &p.password;
  const std::pair<const char*, const std::string*> values[] = {{"Profile", &p.profile}, {"Host", &p.host},
                                                               {"User", &p.user},       {"Password", password},
                                                               {"Account", &p.account}, {"Directory", &p.directory}};
  for (const auto& [key, value] : values)
    if (value->find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
      return {false, "A setting cannot hold a line break", iniPath};
  for (const std::string& name : hostNames)
    if (name.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
      return {false, "A profile name cannot hold a line break", datPath};
  return writePair(
      iniPath, datPath,
      [&](IniFile& ini) {
        for (const auto& [key, value] : values) ini.setValue(p.profile, key, *value);
        // A profile that keeps the usual way of connecting keeps the six keys other programs know; a
        // setting once stored is kept up to date.
        const std::pair<const char*, std::string> reach[] = {{"Protocol", protocolName(p.protocol)},
                                                             {"DataMode", dataModeName(p.mode)},
                                                             {"TempNames", p.tempNames ? "1" : "0"},
                                                             {"Port", p.port ? std::to_string(p.port) : std::string()},
                                                             {"Certificate", p.certificate},
                                                             {"PasswordIn", p.passwordInKeyring ? "Keyring" : "File"},
                                                             {"Exclude", p.exclusions}};
        const FtpProfile usual;
        const std::string usualValues[] = {"FTP", dataModeName(usual.mode), "1", "", "", "File", usual.exclusions};
        for (size_t i = 0; i < std::size(reach); ++i)
          if (reach[i].second != usualValues[i] || ini.hasKey(p.profile, reach[i].first))
            ini.setValue(p.profile, reach[i].first, reach[i].second);
      },
      hostNames);
}

WriteResult eraseFtpProfile(const std::string& iniPath, const std::string& datPath, const std::string& name,
                            const std::vector<std::string>& hostNames) {
  return writePair(
      iniPath, datPath,
      [&](IniFile& ini) {
        while (ini.eraseSection(name)) {
        }
      },
      hostNames);
}

std::string profileNameProblem(std::string_view name) {
  if (name.empty()) return {};
  if (name.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
    return "A Profile Name cannot hold a line break.";
  if (name.find(']') != std::string_view::npos) return "A Profile Name cannot hold the character \"]\".";
  if (name.front() == ' ' || name.back() == ' ' || name.front() == '\t' || name.back() == '\t')
    return "A Profile Name cannot begin or end with a blank.";
  return {};
}

std::string storedValueProblem(const FtpProfile& p) {
  const std::pair<const char*, const std::string*> values[] = {{"Host", &p.host},
                                                               {"User ID", &p.user},
                                                               {"Password", &p.password},
                                                               {"Account", &p.account},
                                                               {"Directory", &p.directory}};
  for (const auto& [label, value] : values) {
    if (value->empty()) continue;
    const char first = value->front(), last = value->back();
    if (first == ' ' || first == '\t' || last == ' ' || last == '\t')
      return std::string("The ") + label + " cannot be saved with a blank at its start or end.";
  }
  return {};
}

std::vector<std::string> readHostList(const std::string& datPath) {
  completeInterruptedWrites(std::string(folderPart(datPath)));
  const auto bytes = readWholeFile(datPath);
  return bytes ? splitLines(*bytes) : std::vector<std::string>{};
}

HostAndPort parseHostAndPort(std::string_view text) {
  HostAndPort hp;
  // "[::1]:2121": an IPv6 address in brackets, then its port.
  if (!text.empty() && text.front() == '[') {
    const size_t close = text.find(']');
    if (close != std::string_view::npos) {
      hp.host = std::string(text.substr(1, close - 1));
      if (close + 1 < text.size() && text[close + 1] == ':') {
        const HostAndPort rest = parseHostAndPort("h" + std::string(text.substr(close + 1)));
        hp.port = rest.port;
        hp.portGiven = rest.portGiven;
      }
      return hp;
    }
  }
  const size_t colon = text.rfind(':');
  // A second colon means an IPv6 address without a port.
  if (colon == std::string_view::npos || text.find(':') != colon) {
    hp.host = std::string(text);
    return hp;
  }
  const std::string_view port = text.substr(colon + 1);
  unsigned long value = 0;
  bool digits = !port.empty() && port.size() <= 5;
  for (const char c : port) {
    if (c < '0' || c > '9')
      digits = false;
    else
      value = value * 10 + static_cast<unsigned long>(c - '0');
  }
  hp.host = std::string(text.substr(0, colon));
  if (digits && value >= 1 && value <= 65535) {
    hp.port = static_cast<uint16_t>(value);
    hp.portGiven = true;
  }
  return hp;
}

std::optional<std::string> transferLogLine(unsigned long long bytes, long elapsedMs) {
  if (elapsedMs == 0) return std::nullopt;
  std::string millis = std::to_string(elapsedMs % 1000);
  millis.insert(0, 3 - millis.size(), '0');
  return std::to_string(bytes) + " bytes transferred in " + std::to_string(elapsedMs / 1000) + "." + millis +
         " seconds (" + std::to_string(bytes / static_cast<unsigned long long>(elapsedMs)) + "K per second)";
}

}  // namespace quillon
