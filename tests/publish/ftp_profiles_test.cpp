#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

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
  FtpProfile p{"My Site=1 caf\xc3\xa9", "ftp.example.org:2121", "me", "s3cret", "acct", "/www"};
  ASSERT_TRUE(writeFtpProfile(ini, p).ok);
  EXPECT_EQ(modeOf(ini), 0600u);
  const FtpProfile back = readFtpProfile(ini, p.profile);
  EXPECT_EQ(back.host, p.host);
  EXPECT_EQ(back.password, "s3cret");
  EXPECT_EQ(back.directory, "/www");
  // A file made readable by others is made private again on the next write; other sections stay.
  ::chmod(ini.c_str(), 0644);
  ASSERT_TRUE(writeFtpProfile(ini, {"Other", "h", "u", "", "", ""}).ok);
  EXPECT_EQ(modeOf(ini), 0600u);
  EXPECT_EQ(readFtpProfile(ini, p.profile).user, "me");
  ASSERT_TRUE(eraseFtpProfile(ini, p.profile).ok);
  EXPECT_EQ(readFtpProfile(ini, p.profile).host, "none");
  EXPECT_EQ(readFtpProfile(ini, "Other").host, "h");

  for (const char* bad : {"a]b", "a\nb", " lead", "trail "}) EXPECT_FALSE(profileNameProblem(bad).empty()) << bad;
  EXPECT_TRUE(profileNameProblem("plain = name, caf\xc3\xa9").empty());
  EXPECT_FALSE(writeFtpProfile(ini, {"x", "h", "u", "pass\r\nword", "", ""}).ok);
  // Values are read back trimmed: one with a blank at either end is said before it is stored.
  EXPECT_EQ(storedValueProblem({"x", "h", "u", " secret", "", ""}), "The Password cannot be saved with a blank at its start or end.");
  EXPECT_EQ(storedValueProblem({"x", "h", "u", "", "", "/www\t"}), "The Directory cannot be saved with a blank at its start or end.");
  EXPECT_EQ(storedValueProblem({"x", "h", "u", "in side", "", ""}), "");
}

TEST(FtpProfiles, HostListHostPortAndTheLogLine) {
  testing::TempDir dir;
  const std::string dat = dir.path() + "FTP.DAT";
  EXPECT_TRUE(readHostList(dat).empty());
  ASSERT_TRUE(writeHostList(dat, {"A", "B", "A"}).ok);
  EXPECT_EQ(readWholeFile(dat), "A\r\nB\r\nA\r\n");
  EXPECT_EQ(readHostList(dat), (std::vector<std::string>{"A", "B", "A"}));

  EXPECT_EQ(parseHostAndPort("ftp.example.org").port, 21);
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
