#include "app/file_io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/text_bytes.h"

namespace quillon {

std::optional<std::string> readWholeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::string data;
  data.resize(static_cast<size_t>(st.st_size));
  size_t got = 0;
  for (;;) {
    if (got == data.size()) data.resize(data.size() + 65536);  // the file grew while being read
    const ssize_t r = ::read(fd, data.data() + got, data.size() - got);
    if (r < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (r == 0) break;
    got += static_cast<size_t>(r);
  }
  ::close(fd);
  data.resize(got);
  return data;
}

static WriteResult failure(int err) { return {false, std::strerror(err)}; }

WriteResult writeFileAtomic(const std::string& path, std::string_view bytes) {
  std::string folder(folderPart(path));
  if (folder.empty()) folder = "./";
  std::string tmpl = folder + "." + std::string(fileNamePart(path)) + ".XXXXXX";
  const int fd = ::mkstemp(tmpl.data());
  if (fd < 0) return failure(errno);

  mode_t mode = 0666;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) {
      ::close(fd);
      ::unlink(tmpl.c_str());
      return failure(EISDIR);
    }
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }

  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const ssize_t w = ::write(fd, p, left);
    if (w < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      ::unlink(tmpl.c_str());
      return failure(err);
    }
    p += w;
    left -= static_cast<size_t>(w);
  }
  if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) {
    const int err = errno;
    ::close(fd);
    ::unlink(tmpl.c_str());
    return failure(err);
  }
  if (::close(fd) != 0 || ::rename(tmpl.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmpl.c_str());
    return failure(err);
  }
  return {true, {}};
}

bool isDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool fileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool makeDirectory(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }

}  // namespace quillon
