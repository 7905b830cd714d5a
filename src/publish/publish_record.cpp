#include "publish/publish_record.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <memory>

#include "base/text_bytes.h"

namespace quillon {

namespace {

constexpr std::string_view kHeader = "Quillon publish record 1\t";

// Paths and names are kept as bytes; a tab, line break or '%' in them is written as %XX.
std::string escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\t' || c == '\r' || c == '\n' || c == '%') {
      static const char hex[] = "0123456789ABCDEF";
      out += '%';
      out += hex[static_cast<unsigned char>(c) >> 4];
      out += hex[static_cast<unsigned char>(c) & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<std::string> unescaped(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    auto digit = [](char c) -> int {
      if (c >= '0' && c <= '9') return c - '0';
      if (c >= 'A' && c <= 'F') return c - 'A' + 10;
      return -1;
    };
    const int hi = digit(text[i + 1]), lo = digit(text[i + 2]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return out;
}

std::optional<int64_t> number(std::string_view text) {
  if (text.empty() || text.size() > 19) return std::nullopt;
  int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::vector<std::string_view> fields(std::string_view line) {
  std::vector<std::string_view> out;
  for (size_t start = 0;;) {
    const size_t tab = line.find('\t', start);
    out.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return out;
    start = tab + 1;
  }
}

std::string sentLine(const std::string& path, const PublishedFile& f) {
  return "+\t" + escaped(path) + "\t" + std::to_string(f.size) + "\t" + std::to_string(f.modifiedNs) + "\t" + f.sha256 +
         "\t" + (f.remoteSize ? std::to_string(*f.remoteSize) : std::string("-")) + "\t" + escaped(f.remoteStamp) +
         "\r\n";
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
  const std::string header = std::string(kHeader) + escaped(site);
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
        r.problems_.push_back("The publish record " + path + " is not of this site and was not used.");
        return r;
      }
      r.headerWritten_ = true;
      continue;
    }
    const auto f = fields(line);
    const auto name = f.size() >= 2 ? unescaped(f[1]) : std::nullopt;
    if (name && f[0] == "-" && f.size() == 2) {
      r.files_.erase(*name);
      continue;
    }
    if (name && f[0] == "+" && f.size() == 7) {
      PublishedFile p;
      const auto size = number(f[2]), modified = number(f[3]);
      const auto stamp = unescaped(f[6]);
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
  if (first) r.problems_.push_back("The publish record " + path + " is not of this site and was not used.");
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
  return append("-\t" + escaped(path) + "\r\n");
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
  std::string bytes = std::string(kHeader) + escaped(site_) + "\r\n";
  for (const auto& [path, file] : files_) bytes += sentLine(path, file);
  const std::string folder(folderPart(path_));
  if (!folder.empty() && !isDirectory(folder)) makeDirectory(folder);
  WriteResult written = writeFileAtomic(path_, bytes);
  if (written.ok) headerWritten_ = true;
  return written;
}

std::string publishRecordPath(const std::string& dataFolder, const std::string& site) {
  unsigned char hash[EVP_MAX_MD_SIZE];
  unsigned length = 0;
  EVP_Digest(site.data(), site.size(), hash, &length, EVP_sha256(), nullptr);
  static const char hex[] = "0123456789abcdef";
  std::string name;
  for (const char c : site) name += (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-') ? c : '_';
  if (name.size() > 60) name.resize(60);
  name += '-';
  for (unsigned i = 0; i < 6; ++i) {
    name += hex[hash[i] >> 4];
    name += hex[hash[i] & 15];
  }
  return dataFolder + "publish/" + name + ".rec";
}

std::optional<std::string> fileSha256(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr);
  std::string buffer(1 << 16, '\0');
  bool ok = true;
  for (;;) {
    const ssize_t n = ::read(fd, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    EVP_DigestUpdate(ctx.get(), buffer.data(), static_cast<size_t>(n));
  }
  ::close(fd);
  if (!ok) return std::nullopt;
  unsigned char hash[EVP_MAX_MD_SIZE];
  unsigned length = 0;
  EVP_DigestFinal_ex(ctx.get(), hash, &length);
  static const char hex[] = "0123456789abcdef";
  std::string out;
  for (unsigned i = 0; i < length; ++i) {
    out += hex[hash[i] >> 4];
    out += hex[hash[i] & 15];
  }
  return out;
}

}  // namespace quillon
