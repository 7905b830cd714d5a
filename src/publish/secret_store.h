#pragma once

#include <memory>
#include <optional>
#include <string>

namespace quillon {

// Which saved password: the profile it belongs to, and the host and user it logs in as.
struct SecretKey {
  std::string profile;
  std::string host;
  std::string user;
};

// Where saved passwords can be kept apart from the settings files: the desktop's keyring.
class SecretStore {
 public:
  virtual ~SecretStore() = default;
  // Whether a keyring answers now; when none does, passwords are saved into FTP.INI.
  virtual bool available() = 0;
  // Keeps the password for the key, replacing any the profile had; the keyring's reason when it refused.
  virtual std::optional<std::string> save(const SecretKey& key, const std::string& password) = 0;
  virtual std::optional<std::string> find(const SecretKey& key) = 0;
  // Removes every password kept for the profile.
  virtual void forget(const std::string& profile) = 0;
};

// The Secret Service of the desktop session, reached over the session bus; never starts a bus of its own.
std::unique_ptr<SecretStore> desktopSecretStore();

}  // namespace quillon
