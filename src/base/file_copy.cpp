#include "base/file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/text_bytes.h"

namespace quillon {

namespace {

WriteResult failed(const std::string& path, int err) { return {false, std::strerror(err), path}; }

bool writeAllOf(int fd, const char* data, ssize_t size) {
  for (ssize_t off = 0; off < size;) {
    const ssize_t w = ::write(fd, data + off, static_cast<size_t>(size - off));
    if (w < 0 && errno == EINTR) continue;
    if (w < 0) return false;
    off += w;
  }
  return true;
}

// In-kernel copying first; whatever it leaves (another file system, a file that grew) by reads and writes,
// which go on from where it stopped since both offsets advance.
bool copyBytes(int from, int to, off_t size) {
  for (off_t done = 0; done < size;) {
    const ssize_t n = ::copy_file_range(from, nullptr, to, nullptr, static_cast<size_t>(size - done), 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  char buffer[65536];
  for (;;) {
    const ssize_t r = ::read(from, buffer, sizeof buffer);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) return false;
    if (r == 0) return true;
    if (!writeAllOf(to, buffer, r)) return false;
  }
}

// Fills a new temporary beside `target` through `fill` (given its descriptor; false with errno set on
// failure), then renames it over the target: a link there is replaced, never followed.
template <typename Fill>
WriteResult replaceThroughTemporary(const std::string& target, Fill&& fill) {
  std::string temp = std::string(folderPart(target)) + "." + std::string(fileNamePart(target)) + ".quillon-" +
                     std::to_string(::getpid()) + "-XXXXXX.tmp";
  const int fd = ::mkstemps(temp.data(), 4);
  if (fd < 0) return failed(target, errno);
  const bool ok = fill(fd);
  const int err = errno;
  if (::close(fd) != 0 || !ok) {
    ::unlink(temp.c_str());
    return failed(target, ok ? errno : err);
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const int renameErr = errno;
    ::unlink(temp.c_str());
    return failed(target, renameErr);
  }
  return {true, {}, {}};
}

}  // namespace

WriteResult copyFileReplacing(const std::string& source, const std::string& target) {
  const int from = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (from < 0) return failed(source, errno);
  struct stat st {};
  if (::fstat(from, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(from);
    return {false, "It is not a regular file", source};
  }
  const WriteResult result = replaceThroughTemporary(
      target, [&](int to) { return ::fchmod(to, st.st_mode & 0777 & ~0022u) == 0 && copyBytes(from, to, st.st_size); });
  ::close(from);
  return result;
}

WriteResult writeFileReplacing(const std::string& target, std::string_view bytes, unsigned mode) {
  return replaceThroughTemporary(target, [&](int fd) {
    return ::fchmod(fd, static_cast<mode_t>(mode & 07777)) == 0 &&
           writeAllOf(fd, bytes.data(), static_cast<ssize_t>(bytes.size()));
  });
}

std::optional<unsigned> permissionsOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return static_cast<unsigned>(st.st_mode & 0777);
}

std::string resolvedPath(const std::string& path) {
  // Lexically first, so that "a/missing/../b" does not depend on what exists.
  std::vector<std::string> parts;
  for (size_t start = 0; start <= path.size();) {
    size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    const std::string part = path.substr(start, slash - start);
    start = slash + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  // The longest prefix that exists is resolved by the system; the rest follows as written.
  for (size_t n = parts.size() + 1; n-- > 0;) {
    std::string prefix = "/";
    for (size_t i = 0; i < n; ++i) prefix += parts[i] + (i + 1 < n ? "/" : "");
    char* real = ::realpath(prefix.c_str(), nullptr);
    if (!real) continue;
    std::string out(real);
    std::free(real);
    for (size_t i = n; i < parts.size(); ++i) out += (out.back() == '/' ? "" : "/") + parts[i];
    if (!path.empty() && path.back() == '/' && out.back() != '/') out += '/';
    return out;
  }
  return path;
}

bool staysInside(const std::string& folder, const std::string& root) {
  char* realFolder = ::realpath(folder.c_str(), nullptr);
  char* realRoot = ::realpath(root.c_str(), nullptr);
  bool inside = false;
  if (realFolder && realRoot) {
    const std::string f(realFolder), r(realRoot);
    inside = f == r || (f.compare(0, r.size(), r) == 0 && (r == "/" || f[r.size()] == '/'));
  }
  std::free(realFolder);
  std::free(realRoot);
  return inside;
}

std::optional<FileIdentity> identityOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileIdentity{static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)};
}

void syncFileSystemOf(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::syncfs(fd);
  ::close(fd);
}

bool makeDirectories(const std::string& path) {
  if (path.empty()) return false;
  if (isDirectory(path)) return true;
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
    ::mkdir(path.substr(0, slash).c_str(), 0777);
  ::mkdir(path.c_str(), 0777);
  return isDirectory(path);
}

}  // namespace quillon
