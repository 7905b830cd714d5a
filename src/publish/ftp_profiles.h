#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_io.h"
#include "publish/publish_tree.h"
#include "publish/publisher.h"

namespace quillon {

// One FTP host as FTP.INI keeps it: a section named after the profile with its six keys, and more for how
// it is reached and where its password is kept. A profile stored without them reads as Auto, temporary names on, the
// host's port.
struct FtpProfile {
  std::string profile = "none";
  std::string host = "none";
  std::string user;
  std::string password;  // empty when the password was not to be saved, or is kept in the keyring
  std::string account;
  std::string directory;
  DataConnection mode = DataConnection::Auto;       // DataMode=Auto|Passive|Active
  bool tempNames = true;                            // TempNames=1|0
  uint16_t port = 0;                                // Port=N; 0: the one in the host text, else the protocol's
  PublishProtocol protocol = PublishProtocol::Ftp;  // Protocol=FTP|FTPS|FTPS implicit|SFTP
  std::string certificate;  // Certificate=SHA256:...: an FTPS server's certificate the user trusts
  std::string exclusions = std::string(kDefaultPublishExclusions);  // Exclude=: names Publish Site leaves out
  bool passwordInKeyring = false;  // PasswordIn=Keyring: the saved password is the desktop keyring's, not here
};

// The stored name of a protocol, and back (anything else reads as FTP).
const char* protocolName(PublishProtocol protocol);
PublishProtocol protocolNamed(std::string_view name);
// The port a protocol uses when none is given.
uint16_t defaultPort(PublishProtocol protocol);

// A port number of 1 to 65535 written in decimal digits, or nothing.
std::optional<uint16_t> portNumber(std::string_view text);

// The stored words of a data connection mode, and back (anything else reads as Auto).
const char* dataModeName(DataConnection mode);
DataConnection dataModeNamed(std::string_view name);

// Reads a profile's section; keys that are missing read as "none" (Profile, Host) or empty.
FtpProfile readFtpProfile(const std::string& iniPath, const std::string& name);
// Writes the section named after the profile (its password left out when the keyring keeps it), or removes one,
// together with FTP.DAT's host list: both files go to temporaries before either replaces its file, so a kill never
// leaves a host list and profiles that disagree. FTP.INI holds passwords: it must be the user's own regular file, never
// a link (refused, with the reason, before anything is written), and it is made readable by its owner only and kept so.
WriteResult writeFtpProfile(const std::string& iniPath, const std::string& datPath, const FtpProfile& profile,
                            const std::vector<std::string>& hostNames);
WriteResult eraseFtpProfile(const std::string& iniPath, const std::string& datPath, const std::string& name,
                            const std::vector<std::string>& hostNames);

// Why a profile name cannot name an INI section that reads back as itself, or empty when it can.
std::string profileNameProblem(std::string_view name);
// Why a profile's values would not read back from FTP.INI as typed (a value beginning or ending with a
// blank loses it), or nothing.
std::string storedValueProblem(const FtpProfile& profile);

// FTP.DAT: one profile name per line. A write of the pair that a killed program left half done is finished
// first, so the list and the profiles read after it agree.
std::vector<std::string> readHostList(const std::string& datPath);

// "name:port" or "name"; the port is 21 when none is given or it is not a number from 1 to 65535.
struct HostAndPort {
  std::string host;
  uint16_t port = 21;
  bool portGiven = false;  // the text named a port
};
HostAndPort parseHostAndPort(std::string_view text);

// "2005 bytes transferred in 2.005 seconds (1K per second)"; nothing when no time was measured.
std::optional<std::string> transferLogLine(unsigned long long bytes, long elapsedMs);

}  // namespace quillon
