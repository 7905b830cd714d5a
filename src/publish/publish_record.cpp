#include "publish/publish_record.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

#include "base/file_copy.h"
#include "base/sha256.h"
#include "base/text_bytes.h"

namespace quillon {

namespace {

constexpr std::string_view kHeader = "Quillon publish record 1\t";

std::optional<int64_t> number(std::string_view text) {
  if (text.empty() || text.size() > 19) return std::nullopt;
  int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string sentLine(const std::string& path, const PublishedFile& f) {
  return "+\t" + fieldEscaped(path) + "\t" + std::to_string(f.size) + "\t" + std::to_string(f.modifiedNs) + "\t" +
         f.sha256 + "\t" + (f.remoteSize ? std::to_string(*f.remoteSize) : std::string("-")) + "\t" +
         fieldEscaped(f.remoteStamp) + "\r\n";
}

bool isHex64(std::string_view text) {
  if (text.size() != 64) return false;
  for (const char c : text)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

}  // namespace

PublishRecord PublishRecord::load(const std::string& path, const std::string& site) {
  PublishRecord r;
  r.path_ = path;
  r.site_ = site;
  const auto bytes = readWholeFile(path);
  if (!bytes || bytes->empty()) return r;
  const std::string header = std::string(kHeader) + fieldEscaped(site);
  size_t unread = 0;
  bool first = true;
  for (size_t start = 0; start < bytes->size();) {
    const size_t end = bytes->find("\r\n", start);
    if (end == std::string::npos) break;  // cut short by a kill: the file it was about is sent again
    const std::string_view line(bytes->data() + start, end - start);
    start = end + 2;
    if (first) {
      first = false;
      if (line != header) {
        if (line.rfind(kHeader, 0) != 0) {
          r.foreign_ = true;
          r.problems_.push_back("The file " + path +
                                " is not a publish record. It is left as it is: choose another file for the record.");
        } else {
          r.problems_.push_back("The publish record " + path + " is not of this site and was not used.");
        }
        return r;
      }
      r.headerWritten_ = true;
      continue;
    }
    const auto f = tabFields(line);
    const auto name = f.size() >= 2 ? fieldUnescaped(f[1]) : std::nullopt;
    if (name && f[0] == "-" && f.size() == 2) {
      r.files_.erase(*name);
      continue;
    }
    if (name && f[0] == "+" && f.size() == 7) {
      PublishedFile p;
      const auto size = number(f[2]), modified = number(f[3]);
      const auto stamp = fieldUnescaped(f[6]);
      if (size && modified && isHex64(f[4]) && stamp && (f[5] == "-" || number(f[5]))) {
        p.size = *size;
        p.modifiedNs = *modified;
        p.sha256 = std::string(f[4]);
        if (f[5] != "-") p.remoteSize = number(f[5]);
        p.remoteStamp = *stamp;
        r.files_[*name] = std::move(p);
        continue;
      }
    }
    ++unread;
  }
  if (first) {
    r.foreign_ = true;
    r.problems_.push_back("The file " + path +
                          " is not a publish record. It is left as it is: choose another file for the record.");
  }
  if (unread)
    r.problems_.push_back(std::to_string(unread) + " line" + (unread == 1 ? "" : "s") + " of the publish record " +
                          path + " could not be read and " + (unread == 1 ? "was" : "were") + " ignored.");
  return r;
}

const PublishedFile* PublishRecord::find(const std::string& path) const {
  const auto it = files_.find(path);
  return it == files_.end() ? nullptr : &it->second;
}

WriteResult PublishRecord::recordSent(const std::string& path, const PublishedFile& file) {
  files_[path] = file;
  return append(sentLine(path, file));
}

WriteResult PublishRecord::recordRemoved(const std::string& path) {
  files_.erase(path);
  return append("-\t" + fieldEscaped(path) + "\r\n");
}

// One write per line, at the end of the file: a kill leaves whole lines and at most one cut short. A file
// that is not this site's record (unreadable, another site's) is replaced by a fresh one first.
WriteResult PublishRecord::append(const std::string& line) {
  if (!headerWritten_) {
    if (const WriteResult fresh = compact(); !fresh.ok) return fresh;
  }
  const int fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return {false, std::strerror(errno), path_};
  const ssize_t n = ::write(fd, line.data(), line.size());
  const int error = errno;
  ::close(fd);
  if (n != static_cast<ssize_t>(line.size())) return {false, n < 0 ? std::strerror(error) : "The disk is full", path_};
  return {true, {}, {}};
}

WriteResult PublishRecord::compact() {
  if (foreign_) return {false, "It is not a publish record, so it is not written over", path_};
  std::string bytes = std::string(kHeader) + fieldEscaped(site_) + "\r\n";
  for (const auto& [path, file] : files_) bytes += sentLine(path, file);
  const std::string folder(folderPart(path_));
  if (!folder.empty() && !isDirectory(folder)) makeDirectories(folder);
  WriteResult written = writeFileAtomic(path_, bytes);
  if (written.ok) headerWritten_ = true;
  return written;
}

std::string publishRecordPath(const std::string& dataFolder, const std::string& site) {
  std::string name;
  for (const char c : site) name += (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-') ? c : '_';
  if (name.size() > 60) name.resize(60);
  return dataFolder + "publish/" + name + "-" + sha256Hex(site).substr(0, 12) + ".rec";
}

}  // namespace quillon
