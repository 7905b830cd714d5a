#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <tuple>

#include "base/file_io.h"
#include "publish/ftp_profiles.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

mode_t modeOf(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mode & 0777;
}

TEST(FtpProfiles, ProfilesRoundTripInAPrivateFile) {
  testing::TempDir dir;
  const std::string ini = dir.path() + "FTP.INI";
  const std::string dat = dir.path() + "FTP.DAT";
  FtpProfile p{"My Site=1 caf\xc3\xa9", "ftp.example.org:2121", "me", "s3cret", "acct", "/www"};
  ASSERT_TRUE(writeFtpProfile(ini, dat, p, {p.profile}).ok);
  EXPECT_EQ(readHostList(dat), std::vector<std::string>{p.profile}) << "the host list is written with it";
  EXPECT_EQ(modeOf(ini), 0600u);
  const FtpProfile back = readFtpProfile(ini, p.profile);
  EXPECT_EQ(back.host, p.host);
  EXPECT_EQ(back.password, "s3cret");
  EXPECT_EQ(back.directory, "/www");
  // A file made readable by others is made private again on the next write; other sections stay.
  ::chmod(ini.c_str(), 0644);
  ASSERT_TRUE(writeFtpProfile(ini, dat, {"Other", "h", "u", "", "", ""}, {p.profile, "Other"}).ok);
  EXPECT_EQ(modeOf(ini), 0600u);
  EXPECT_EQ(readFtpProfile(ini, p.profile).user, "me");
  ASSERT_TRUE(eraseFtpProfile(ini, dat, p.profile, {"Other"}).ok);
  EXPECT_EQ(readHostList(dat), std::vector<std::string>{"Other"});
  EXPECT_EQ(readFtpProfile(ini, p.profile).host, "none");
  EXPECT_EQ(readFtpProfile(ini, "Other").host, "h");

  for (const char* bad : {"a]b", "a\nb", " lead", "trail "}) EXPECT_FALSE(profileNameProblem(bad).empty()) << bad;
  EXPECT_TRUE(profileNameProblem("plain = name, caf\xc3\xa9").empty());
  EXPECT_FALSE(writeFtpProfile(ini, dat, {"x", "h", "u", "pass\r\nword", "", ""}, {"Other", "x"}).ok);
  EXPECT_EQ(readHostList(dat), std::vector<std::string>{"Other"}) << "a refused profile changes neither file";
  // Values are read back trimmed: one with a blank at either end is said before it is stored.
  EXPECT_EQ(storedValueProblem({"x", "h", "u", " secret", "", ""}),
            "The Password cannot be saved with a blank at its start or end.");
  EXPECT_EQ(storedValueProblem({"x", "h", "u", "", "", "/www\t"}),
            "The Directory cannot be saved with a blank at its start or end.");
  EXPECT_EQ(storedValueProblem({"x", "h", "u", "in side", "", ""}), "");
}

TEST(FtpProfiles, PasswordsAreNeverWrittenThroughALinkOrIntoAnotherUsersFile) {
  testing::TempDir dir;
  const std::string shared = dir.path() + "shared.ini";
  std::ofstream(shared) << "[Old]\r\nHost=h\r\n";
  ::chmod(shared.c_str(), 0644);
  const std::string ini = dir.path() + "FTP.INI";
  ASSERT_EQ(::symlink(shared.c_str(), ini.c_str()), 0);
  const WriteResult r = writeFtpProfile(ini, dir.path() + "FTP.DAT", {"x", "h", "u", "secret", "", ""}, {"x"});
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("symbolic link"), std::string::npos) << r.error;
  EXPECT_EQ(readWholeFile(shared), "[Old]\r\nHost=h\r\n");
  EXPECT_FALSE(fileExists(dir.path() + "FTP.DAT")) << "the pair is written together or not at all";
  EXPECT_FALSE(eraseFtpProfile(ini, dir.path() + "FTP.DAT", "Old", {}).ok);
  EXPECT_EQ(readWholeFile(shared), "[Old]\r\nHost=h\r\n");
}

// A program killed between renaming FTP.INI and FTP.DAT left the pair's list of renames: the host list is
// read as the whole write left it, never as half of one.
TEST(FtpProfiles, TheHostListIsReadAsAWriteCutShortBetweenTheTwoFilesMeantIt) {
  testing::TempDir dir;
  const std::string ini = dir.path() + "FTP.INI", dat = dir.path() + "FTP.DAT";
  ASSERT_TRUE(writeFtpProfile(ini, dat, {"A", "h", "u", "", "", ""}, {"A"}).ok);
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  const std::string tag = ".quillon-" + std::to_string(child) + "-AbC123";
  const std::string tempDat = dir.path() + ".FTP.DAT" + tag + ".tmp";
  auto plain = [](const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  };
  plain(ini, "[A]\r\nHost=h\r\n[B]\r\nHost=g\r\n");
  plain(tempDat, "A\r\nB\r\n");
  plain(dir.path() + ".FTP.INI" + tag + ".commit",
        dir.path() + ".FTP.INI" + tag + ".tmp" + '\0' + ini + '\0' + tempDat + '\0' + dat + '\0');
  EXPECT_EQ(readHostList(dat), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(readFtpProfile(ini, "B").host, "g");
  EXPECT_FALSE(fileExists(tempDat));
}

// How a host is reached is kept with its profile; a profile stored before these keys existed reads as
// Auto with temporary names, and a stored value that is not one reads as the default, never as garbage.
TEST(FtpProfiles, ConnectionSettingsRoundTripAndOlderProfilesReadAsTheDefaults) {
  testing::TempDir dir;
  const std::string ini = dir.path() + "FTP.INI", dat = dir.path() + "FTP.DAT";
  FtpProfile p{"Site", "ftp.example.org", "me", "", "", "/www"};
  p.mode = DataConnection::Active;
  p.tempNames = false;
  p.port = 2121;
  p.protocol = PublishProtocol::FtpsImplicit;
  p.certificate = "SHA256:abc";
  ASSERT_TRUE(writeFtpProfile(ini, dat, p, {"Site"}).ok);
  const FtpProfile back = readFtpProfile(ini, "Site");
  EXPECT_EQ(back.protocol, PublishProtocol::FtpsImplicit);
  EXPECT_EQ(back.certificate, "SHA256:abc");
  EXPECT_EQ(back.mode, DataConnection::Active);
  EXPECT_FALSE(back.tempNames);
  EXPECT_EQ(back.port, 2121);
  EXPECT_EQ(back.directory, "/www");
  // Back to the usual settings: stored as such, where a profile of the usual kind stores none of them.
  p.mode = DataConnection::Auto;
  p.tempNames = true;
  p.port = 0;
  p.protocol = PublishProtocol::Ftp;
  p.certificate.clear();
  ASSERT_TRUE(writeFtpProfile(ini, dat, p, {"Site"}).ok);
  EXPECT_EQ(readFtpProfile(ini, "Site").mode, DataConnection::Auto);
  EXPECT_EQ(readFtpProfile(ini, "Site").protocol, PublishProtocol::Ftp);
  for (const PublishProtocol p :
       {PublishProtocol::Ftp, PublishProtocol::Ftps, PublishProtocol::FtpsImplicit, PublishProtocol::Sftp})
    EXPECT_EQ(protocolNamed(protocolName(p)), p);
  EXPECT_EQ(protocolNamed("gopher"), PublishProtocol::Ftp);
  EXPECT_EQ(defaultPort(PublishProtocol::FtpsImplicit), 990);
  EXPECT_EQ(defaultPort(PublishProtocol::Sftp), 22);
  EXPECT_TRUE(readFtpProfile(ini, "Site").tempNames);
  ASSERT_TRUE(writeFtpProfile(ini, dat, {"Plain", "h", "u", "", "", ""}, {"Site", "Plain"}).ok);
  EXPECT_TRUE(readWholeFile(ini)->ends_with(
      "\r\n[Plain]\r\nProfile=Plain\r\nHost=h\r\nUser=u\r\nPassword=\r\nAccount=\r\nDirectory=\r\n"))
      << *readWholeFile(ini);

  std::ofstream(ini, std::ios::binary)
      << "[Old]\r\nProfile=Old\r\nHost=h\r\n[Odd]\r\nDataMode=sideways\r\nPort=99999\r\n"
         "TempNames=\r\n";
  for (const char* name : {"Old", "Odd"}) {
    const FtpProfile old = readFtpProfile(ini, name);
    EXPECT_EQ(old.mode, DataConnection::Auto) << name;
    EXPECT_TRUE(old.tempNames) << name;
    EXPECT_EQ(old.port, 0) << name;
  }
  EXPECT_EQ(dataModeNamed("passive"), DataConnection::Passive);
  EXPECT_STREQ(dataModeName(DataConnection::Passive), "Passive");
  EXPECT_FALSE(portNumber("0"));
  EXPECT_FALSE(portNumber("65536"));
  EXPECT_FALSE(portNumber("+21"));
  EXPECT_EQ(portNumber("990"), 990);
}

TEST(FtpProfiles, HostListHostPortAndTheLogLine) {
  testing::TempDir dir;
  const std::string dat = dir.path() + "FTP.DAT";
  EXPECT_TRUE(readHostList(dat).empty());
  ASSERT_TRUE(writeFtpProfile(dir.path() + "FTP.INI", dat, {"A", "h", "u", "", "", ""}, {"A", "B", "A"}).ok);
  EXPECT_EQ(readWholeFile(dat), "A\r\nB\r\nA\r\n");
  EXPECT_EQ(readHostList(dat), (std::vector<std::string>{"A", "B", "A"}));

  EXPECT_EQ(parseHostAndPort("ftp.example.org").port, 21);
  // IPv6: bare, in brackets, in brackets with a port.
  for (const auto& [text, host, port, given] :
       {std::tuple<const char*, const char*, int, bool>{"::1", "::1", 21, false},
        {"[::1]", "::1", 21, false},
        {"[2001:db8::7]:2121", "2001:db8::7", 2121, true},
        {"[::1]:x", "::1", 21, false}}) {
    const HostAndPort parsed = parseHostAndPort(text);
    EXPECT_EQ(parsed.host, host) << text;
    EXPECT_EQ(parsed.port, port) << text;
    EXPECT_EQ(parsed.portGiven, given) << text;
  }
  const HostAndPort hp = parseHostAndPort("127.0.0.1:2121");
  EXPECT_EQ(hp.host, "127.0.0.1");
  EXPECT_EQ(hp.port, 2121);
  EXPECT_EQ(parseHostAndPort("h:99999").port, 21);
  EXPECT_EQ(parseHostAndPort("::1").host, "::1");

  EXPECT_EQ(transferLogLine(2005, 2005), "2005 bytes transferred in 2.005 seconds (1K per second)");
  EXPECT_EQ(transferLogLine(1000000, 1050), "1000000 bytes transferred in 1.050 seconds (952K per second)");
  EXPECT_FALSE(transferLogLine(10, 0));
}

}  // namespace
}  // namespace quillon
