#include "publish/ftp_profiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/ini_file.h"
#include "base/text_bytes.h"

namespace quillon {

namespace {

// Creates the file owner-only when it is missing, and takes group and other permissions off it otherwise.
void keepPrivate(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd >= 0) {
    ::fchmod(fd, 0600);
    ::close(fd);
  }
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
  return p;
}

WriteResult writeFtpProfile(const std::string& iniPath, const FtpProfile& p) {
  keepPrivate(iniPath);
  const WriteResult r = IniFile::writeValues(iniPath, {{p.profile, "Profile", p.profile},
                                                       {p.profile, "Host", p.host},
                                                       {p.profile, "User", p.user},
                                                       {p.profile, "Password", p.password},
                                                       {p.profile, "Account", p.account},
                                                       {p.profile, "Directory", p.directory}});
  keepPrivate(iniPath);
  return r;
}

WriteResult eraseFtpProfile(const std::string& iniPath, const std::string& name) {
  keepPrivate(iniPath);
  return IniFile::eraseSectionIn(iniPath, name);
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
  const std::pair<const char*, const std::string*> values[] = {
      {"Host", &p.host}, {"User ID", &p.user}, {"Password", &p.password}, {"Account", &p.account}, {"Directory", &p.directory}};
  for (const auto& [label, value] : values) {
    if (value->empty()) continue;
    const char first = value->front(), last = value->back();
    if (first == ' ' || first == '\t' || last == ' ' || last == '\t')
      return std::string("The ") + label + " cannot be saved with a blank at its start or end.";
  }
  return {};
}

std::vector<std::string> readHostList(const std::string& datPath) {
  const auto bytes = readWholeFile(datPath);
  return bytes ? splitLines(*bytes) : std::vector<std::string>{};
}

WriteResult writeHostList(const std::string& datPath, const std::vector<std::string>& names) {
  return writeFileAtomic(datPath, joinCrLf(names));
}

HostAndPort parseHostAndPort(std::string_view text) {
  HostAndPort hp;
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
    if (c < '0' || c > '9') digits = false;
    else value = value * 10 + static_cast<unsigned long>(c - '0');
  }
  hp.host = std::string(text.substr(0, colon));
  if (digits && value >= 1 && value <= 65535) hp.port = static_cast<uint16_t>(value);
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
