#include "publish/saved_password.h"

namespace quillon {

namespace {

SecretKey keyOf(const FtpProfile& p) { return {p.profile, p.host, p.user}; }

}  // namespace

SavedProfile saveFtpProfile(SecretStore& store, const std::string& iniPath, const std::string& datPath,
                            FtpProfile profile, const std::vector<std::string>& hostNames) {
  SavedProfile saved;
  profile.passwordInKeyring = false;
  if (profile.password.empty()) {
    store.forget(profile.profile);
  } else if (store.available()) {
    if (auto refusal = store.save(keyOf(profile), profile.password))
      saved.keyringRefusal = std::move(*refusal);
    else
      profile.passwordInKeyring = saved.inKeyring = true;
  }
  saved.written = writeFtpProfile(iniPath, datPath, profile, hostNames);
  return saved;
}

WriteResult removeFtpProfile(SecretStore& store, const std::string& iniPath, const std::string& datPath,
                             const std::string& name, const std::vector<std::string>& hostNames) {
  const WriteResult written = eraseFtpProfile(iniPath, datPath, name, hostNames);
  if (written.ok) store.forget(name);
  return written;
}

bool fetchSavedPassword(SecretStore& store, FtpProfile& profile) {
  if (!profile.passwordInKeyring) return true;
  auto found = store.find(keyOf(profile));
  if (!found) return false;
  profile.password = std::move(*found);
  return true;
}

std::string passwordPlaceText(bool keyringAvailable) {
  return keyringAvailable ? "A saved password is kept in the desktop's keyring."
                          : "No desktop keyring is running: a saved password is kept in FTP.INI, which only "
                            "you can read.";
}

}  // namespace quillon
