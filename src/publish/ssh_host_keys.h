#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillon {

// A server's host key as a user is shown it and as OpenSSH's known_hosts file holds it.
struct HostKey {
  std::string type;         // "ED25519", "RSA", "ECDSA"
  std::string fingerprint;  // "SHA256:" and the hash in unpadded base64, as ssh-keygen -l prints it
  std::string line;         // the known_hosts line that trusts it
};

// Base64 of `bytes`, with or without the '=' padding.
std::string base64(std::string_view bytes, bool padded = true);

// Whether `text` is written as a fingerprint is: "SHA256:" and 43 characters of base64.
bool isFingerprint(std::string_view text);

// The host as known_hosts names it: "name" on port 22, "[name]:port" on any other.
std::string knownHostName(const std::string& host, uint16_t port);

// The key's blob (as the server sent it) and its SHA-256 hash make its description. Nothing when the blob
// does not begin with a key type name.
std::optional<HostKey> describeHostKey(const std::string& host, uint16_t port, std::string_view blob,
                                       std::string_view sha256);

enum class HostKeyCheck { Known, Unknown, Changed };

// Appends a trusted key's line to the known_hosts file, written whole and atomically (made 0600, with its
// folder 0700, when new). An empty text when it worked, else why not.
std::string trustHostKey(const std::string& knownHostsFile, const HostKey& key);

}  // namespace quillon
