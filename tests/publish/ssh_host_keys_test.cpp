// Host keys as OpenSSH shows and stores them.
#include "publish/ssh_host_keys.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/file_io.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

TEST(SshHostKeys, FingerprintsAndKnownHostsLinesAreThoseOfOpenSsh) {
  EXPECT_EQ(base64(""), "");
  EXPECT_EQ(base64("f"), "Zg==");
  EXPECT_EQ(base64("fo"), "Zm8=");
  EXPECT_EQ(base64("foo"), "Zm9v");
  EXPECT_EQ(base64("foob", false), "Zm9vYg");
  EXPECT_EQ(knownHostName("example.org", 22), "example.org");
  EXPECT_TRUE(isFingerprint("SHA256:" + std::string(42, '/') + "8"));
  for (const std::string& bad :
       {std::string("SHA256:"), std::string("SHA256:AAAA"), std::string("garbage"),
        "SHA256:" + std::string(42, 'A') + "=", "sha256:" + std::string(43, 'A'), "SHA256:" + std::string(44, 'A')})
    EXPECT_FALSE(isFingerprint(bad)) << bad;
  EXPECT_EQ(knownHostName("127.0.0.1", 2222), "[127.0.0.1]:2222");

  const std::string blob = std::string("\0\0\0\x0bssh-ed25519\0\0\0\x20", 19) + std::string(32, '\x01');
  const std::string hash(32, '\xff');
  const auto key = describeHostKey("127.0.0.1", 2222, blob, hash);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->type, "ED25519");
  EXPECT_EQ(key->fingerprint, "SHA256:" + std::string(42, '/') + "8");
  EXPECT_EQ(key->line, "[127.0.0.1]:2222 ssh-ed25519 " + base64(blob));
  // A blob that names no key type, or a name with a blank or line break in it, describes nothing.
  for (const std::string& bad : {std::string("\0\0", 2), std::string("\0\0\0\x09ssh-rsa", 11),
                                 std::string("\0\0\0\x05ssh r", 9), std::string("\0\0\0\x05ssh\nr", 9)})
    EXPECT_FALSE(describeHostKey("h", 22, bad, hash));
}

TEST(SshHostKeys, ATrustedKeyIsAddedWithoutTouchingTheLinesBefore) {
  testing::TempDir dir;
  const std::string file = dir.path() + "ssh/known_hosts";
  HostKey key{"ED25519", "SHA256:x", "[h]:2222 ssh-ed25519 AAAA"};
  ASSERT_EQ(trustHostKey(file, key), "");
  EXPECT_EQ(readWholeFile(file), "[h]:2222 ssh-ed25519 AAAA\n");
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  ASSERT_TRUE(writeFileAtomic(file, "other ssh-rsa BBBB").ok);
  key.line = "h2 ssh-ed25519 CCCC";
  ASSERT_EQ(trustHostKey(file, key), "");
  EXPECT_EQ(readWholeFile(file), "other ssh-rsa BBBB\nh2 ssh-ed25519 CCCC\n");
}

}  // namespace
}  // namespace quillon
