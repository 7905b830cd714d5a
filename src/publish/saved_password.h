#pragma once

#include <string>
#include <vector>

#include "base/file_io.h"
#include "publish/ftp_profiles.h"
#include "publish/secret_store.h"

namespace quillon {

// A profile stored with "Save Password": its password goes to the desktop's keyring when one answers, and
// into FTP.INI (readable by its owner only) when none does or it refuses.
struct SavedProfile {
  WriteResult written;
  bool inKeyring = false;
  std::string keyringRefusal;  // why the keyring did not take the password, when it was asked and refused
};
SavedProfile saveFtpProfile(SecretStore& store, const std::string& iniPath, const std::string& datPath,
                            FtpProfile profile, const std::vector<std::string>& hostNames);

// Removes a profile's section, and the password the keyring keeps for it.
WriteResult removeFtpProfile(SecretStore& store, const std::string& iniPath, const std::string& datPath,
                             const std::string& name, const std::vector<std::string>& hostNames);

// Fills in the password of a profile whose keyring keeps it; false when the keyring does not give it.
bool fetchSavedPassword(SecretStore& store, FtpProfile& profile);

// What the FTP screen says about where "Save Password" puts a password.
std::string passwordPlaceText(bool keyringAvailable);

}  // namespace quillon
