#include <gtest/gtest.h>
#include <stdlib.h>

#include <map>

#include "base/file_io.h"
#include "publish/saved_password.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

// A keyring in memory that can be made to be away or to refuse.
class MemoryKeyring final : public SecretStore {
 public:
  bool running = true;
  std::string refusal;
  std::map<std::string, std::pair<SecretKey, std::string>> kept;  // by profile

  bool available() override { return running; }
  std::optional<std::string> save(const SecretKey& key, const std::string& password) override {
    if (!refusal.empty()) return refusal;
    kept[key.profile] = {key, password};
    return std::nullopt;
  }
  std::optional<std::string> find(const SecretKey& key) override {
    const auto it = kept.find(key.profile);
    if (!running || it == kept.end() || it->second.first.host != key.host || it->second.first.user != key.user)
      return std::nullopt;
    return it->second.second;
  }
  void forget(const std::string& profile) override { kept.erase(profile); }
};

struct Files {
  testing::TempDir dir;
  std::string ini = dir.path() + "FTP.INI";
  std::string dat = dir.path() + "FTP.DAT";
  std::string iniBytes() const { return readWholeFile(ini).value_or("(missing)"); }
};

TEST(SavedPassword, GoesToTheKeyringWhenOneRunsAndComesBackFromIt) {
  Files f;
  MemoryKeyring keyring;
  // A profile saved before there was a keyring holds its password in the file; saved again, it moves.
  FtpProfile p{"Site", "ftp.example.org", "me", "s3cret", "", "/www"};
  keyring.running = false;
  const SavedProfile inFile = saveFtpProfile(keyring, f.ini, f.dat, p, {"Site"});
  ASSERT_TRUE(inFile.written.ok);
  EXPECT_FALSE(inFile.inKeyring);
  EXPECT_EQ(f.iniBytes(),
            "[Site]\r\nProfile=Site\r\nHost=ftp.example.org\r\nUser=me\r\nPassword=s3cret\r\nAccount=\r\n"
            "Directory=/www\r\n")
      << "without a keyring the file is as other programs know it";

  keyring.running = true;
  const SavedProfile moved = saveFtpProfile(keyring, f.ini, f.dat, p, {"Site"});
  ASSERT_TRUE(moved.written.ok);
  EXPECT_TRUE(moved.inKeyring);
  EXPECT_EQ(f.iniBytes().find("s3cret"), std::string::npos) << f.iniBytes();
  EXPECT_NE(f.iniBytes().find("Password=\r\n"), std::string::npos);
  EXPECT_NE(f.iniBytes().find("PasswordIn=Keyring\r\n"), std::string::npos);

  FtpProfile back = readFtpProfile(f.ini, "Site");
  EXPECT_TRUE(back.passwordInKeyring);
  EXPECT_EQ(back.password, "");
  ASSERT_TRUE(fetchSavedPassword(keyring, back));
  EXPECT_EQ(back.password, "s3cret");
  // The profile rewritten with its password in memory (a trusted certificate added) keeps it out of the file.
  back.certificate = "SHA256:abc";
  ASSERT_TRUE(writeFtpProfile(f.ini, f.dat, back, {"Site"}).ok);
  EXPECT_EQ(f.iniBytes().find("s3cret"), std::string::npos);

  // A keyring that is away now: the profile reads without its password, and says so.
  keyring.running = false;
  FtpProfile away = readFtpProfile(f.ini, "Site");
  EXPECT_FALSE(fetchSavedPassword(keyring, away));
  EXPECT_EQ(away.password, "");
  // A password saved for another host or user is not handed to this one.
  keyring.running = true;
  FtpProfile moved_host = readFtpProfile(f.ini, "Site");
  moved_host.host = "elsewhere.example.org";
  EXPECT_FALSE(fetchSavedPassword(keyring, moved_host));
}

TEST(SavedPassword, ARefusingKeyringLeavesThePasswordInTheFileAndSaysWhy) {
  Files f;
  MemoryKeyring keyring;
  ASSERT_TRUE(saveFtpProfile(keyring, f.ini, f.dat, {"Site", "h", "me", "old", "", ""}, {"Site"}).inKeyring);
  keyring.refusal = "Cannot create an item in a locked collection";
  const SavedProfile saved = saveFtpProfile(keyring, f.ini, f.dat, {"Site", "h", "me", "new", "", ""}, {"Site"});
  ASSERT_TRUE(saved.written.ok);
  EXPECT_FALSE(saved.inKeyring);
  EXPECT_EQ(saved.keyringRefusal, "Cannot create an item in a locked collection");
  const FtpProfile back = readFtpProfile(f.ini, "Site");
  EXPECT_FALSE(back.passwordInKeyring) << "the key once written says where the password is now";
  EXPECT_EQ(back.password, "new");
  EXPECT_NE(f.iniBytes().find("PasswordIn=File\r\n"), std::string::npos);
}

TEST(SavedPassword, UnsavedAndRemovedProfilesLeaveNothingInTheKeyring) {
  Files f;
  MemoryKeyring keyring;
  ASSERT_TRUE(saveFtpProfile(keyring, f.ini, f.dat, {"A", "h", "me", "pa", "", ""}, {"A"}).inKeyring);
  ASSERT_TRUE(saveFtpProfile(keyring, f.ini, f.dat, {"B", "h", "me", "pb", "", ""}, {"A", "B"}).inKeyring);
  // "Save Password" unticked: the profile is stored without one, and the keyring forgets it.
  const SavedProfile unsaved = saveFtpProfile(keyring, f.ini, f.dat, {"A", "h", "me", "", "", ""}, {"A", "B"});
  ASSERT_TRUE(unsaved.written.ok);
  EXPECT_FALSE(unsaved.inKeyring);
  EXPECT_EQ(keyring.kept.count("A"), 0u);
  EXPECT_FALSE(readFtpProfile(f.ini, "A").passwordInKeyring);
  ASSERT_TRUE(removeFtpProfile(keyring, f.ini, f.dat, "B", {"A"}).ok);
  EXPECT_TRUE(keyring.kept.empty());
  EXPECT_EQ(readFtpProfile(f.ini, "B").host, "none");
}

TEST(DesktopSecretStore, NeverStartsABusOfItsOwn) {
  const char* bus = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  const std::string savedBus = bus ? bus : "";
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string savedRuntime = runtime ? runtime : "";
  testing::TempDir empty;
  ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
  ::setenv("XDG_RUNTIME_DIR", empty.path().c_str(), 1);
  auto store = desktopSecretStore();
  EXPECT_FALSE(store->available());
  EXPECT_TRUE(store->save({"p", "h", "u"}, "pw").has_value()) << "a save with no keyring is refused, not lost";
  EXPECT_FALSE(store->find({"p", "h", "u"}).has_value());
  if (bus) ::setenv("DBUS_SESSION_BUS_ADDRESS", savedBus.c_str(), 1);
  if (runtime)
    ::setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1);
  else
    ::unsetenv("XDG_RUNTIME_DIR");
}

// Run by the keyring test with a keyring of its own unlocked in a D-Bus session of its own.
TEST(DesktopSecretStore, KeepsFindsReplacesAndForgetsInARealKeyring) {
  if (!std::getenv("QUILLON_KEYRING_TEST")) GTEST_SKIP() << "needs a keyring of the test's own";
  auto store = desktopSecretStore();
  ASSERT_TRUE(store->available());
  const SecretKey site{"Site caf\xc3\xa9", "ftp.example.org", "me"};
  const SecretKey other{"Other", "ftp.example.org", "me"};
  ASSERT_FALSE(store->save(site, "first pass\xc3\xa9").has_value());
  ASSERT_FALSE(store->save(other, "other").has_value());
  EXPECT_EQ(store->find(site).value_or("(none)"), "first pass\xc3\xa9");
  ASSERT_FALSE(store->save({site.profile, "new.example.org", "me"}, "second").has_value());
  EXPECT_FALSE(store->find(site).has_value()) << "a profile keeps one password, for its current host";
  EXPECT_EQ(store->find({site.profile, "new.example.org", "me"}).value_or("(none)"), "second");
  store->forget(site.profile);
  EXPECT_FALSE(store->find({site.profile, "new.example.org", "me"}).has_value());
  EXPECT_EQ(store->find(other).value_or("(none)"), "other") << "another profile's password stays";
}

}  // namespace
}  // namespace quillon
