#include "publish/ssh_host_keys.h"

#include <sys/stat.h>

#include "base/file_copy.h"
#include "base/file_io.h"
#include "base/text_bytes.h"

namespace quillon {

std::string base64(std::string_view bytes, bool padded) {
  static const char table[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const unsigned v = (static_cast<unsigned char>(bytes[i]) << 16) | (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                       static_cast<unsigned char>(bytes[i + 2]);
    for (int shift : {18, 12, 6, 0}) out += table[(v >> shift) & 63];
  }
  if (i < bytes.size()) {
    unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += table[(v >> 18) & 63];
    out += table[(v >> 12) & 63];
    if (i + 1 < bytes.size()) out += table[(v >> 6) & 63];
    if (padded) out += i + 1 < bytes.size() ? "=" : "==";
  }
  return out;
}

bool isFingerprint(std::string_view text) {
  if (text.size() != 7 + 43 || text.substr(0, 7) != "SHA256:") return false;
  for (const char c : text.substr(7))
    if (!(c >= 'A' && c <= 'Z') && !(c >= 'a' && c <= 'z') && !(c >= '0' && c <= '9') && c != '+' && c != '/')
      return false;
  return true;
}

std::string knownHostName(const std::string& host, uint16_t port) {
  return port == 22 ? host : "[" + host + "]:" + std::to_string(port);
}

std::optional<HostKey> describeHostKey(const std::string& host, uint16_t port, std::string_view blob,
                                       std::string_view sha256) {
  if (blob.size() < 4) return std::nullopt;
  const size_t length = (static_cast<unsigned char>(blob[0]) << 24) | (static_cast<unsigned char>(blob[1]) << 16) |
                        (static_cast<unsigned char>(blob[2]) << 8) | static_cast<unsigned char>(blob[3]);
  if (length == 0 || length > 64 || blob.size() < 4 + length) return std::nullopt;
  const std::string name(blob.substr(4, length));
  for (const char c : name)
    if (!(c >= 'a' && c <= 'z') && !(c >= '0' && c <= '9') && c != '-' && c != '@' && c != '.') return std::nullopt;
  HostKey key;
  key.type = name == "ssh-ed25519"          ? "ED25519"
             : name == "ssh-rsa"            ? "RSA"
             : name.rfind("ecdsa-", 0) == 0 ? "ECDSA"
             : name == "ssh-dss"            ? "DSA"
                                            : name;
  key.fingerprint = "SHA256:" + base64(sha256, false);
  key.line = knownHostName(host, port) + " " + name + " " + base64(blob);
  return key;
}

std::string trustHostKey(const std::string& knownHostsFile, const HostKey& key) {
  const std::string folder(folderPart(knownHostsFile));
  if (!folder.empty() && !isDirectory(folder)) {
    makeDirectories(folder);
    ::chmod(folder.c_str(), 0700);
  }
  std::string text = readWholeFile(knownHostsFile).value_or(std::string());
  if (!text.empty() && text.back() != '\n') text += '\n';
  text += key.line + "\n";  // OpenSSH's own file keeps its LF line ends
  const bool fresh = !fileExists(knownHostsFile);
  const WriteResult written = writeFileAtomic(knownHostsFile, text);
  if (!written.ok) return written.error;
  if (fresh) ::chmod(knownHostsFile.c_str(), 0600);
  return {};
}

}  // namespace quillon
