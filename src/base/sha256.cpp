#include "base/sha256.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace quillon {

namespace {

using Context = std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)>;

std::string finish(EVP_MD_CTX* ctx) {
  unsigned char hash[EVP_MAX_MD_SIZE];
  unsigned length = 0;
  EVP_DigestFinal_ex(ctx, hash, &length);
  static const char hex[] = "0123456789abcdef";
  std::string out;
  for (unsigned i = 0; i < length; ++i) {
    out += hex[hash[i] >> 4];
    out += hex[hash[i] & 15];
  }
  return out;
}

}  // namespace

std::string sha256Hex(std::string_view bytes) {
  Context ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr);
  EVP_DigestUpdate(ctx.get(), bytes.data(), bytes.size());
  return finish(ctx.get());
}

std::optional<std::string> fileSha256(const std::string& path) {
  // Never blocks on a FIFO or device: only a regular file has a hash.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  Context ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
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
  return finish(ctx.get());
}

}  // namespace quillon
