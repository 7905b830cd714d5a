#include "base/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "base/file_io.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

TEST(IniFile, NamesMatchWithoutRegardToCase) {
  const IniFile ini("[tags]\r\ncolored=1\r\n[TAGS]\r\nSTRONG=1\r\n");
  EXPECT_TRUE(ini.readBool("Tags", "Colored", false));
  // The first [TAGS] section wins, as profile files do; the second one's keys are not seen through it.
  EXPECT_FALSE(ini.readBool("TAGS", "STRONG", false));
}

TEST(IniFile, MissingSectionKeyOrValueGivesDefault) {
  const IniFile ini("[Backup]\nType=0\nPromptFreq=abc\nBlank=\n");
  EXPECT_EQ(ini.readInt("Backup", "Type", 1), 0);
  EXPECT_EQ(ini.readInt("Backup", "PromptFreq", 5), 5);  // not a number
  EXPECT_EQ(ini.readInt("Backup", "Missing", 7), 7);
  EXPECT_EQ(ini.readInt("Nowhere", "Type", 3), 3);
  EXPECT_EQ(ini.readString("Backup", "Blank", "x"), "");  // present but empty is not missing
  EXPECT_EQ(ini.readInt("Backup", "Type", 9), 0);
}

TEST(IniFile, ValuesAreTrimmedAndIntegersParsedLikeProfiles) {
  const IniFile ini("[A]\n  Key  =  some value  \nN=-12xyz\nBig=99999999999\nFlag=2\n");
  EXPECT_EQ(ini.readString("a", "key", ""), "some value");
  EXPECT_EQ(ini.readInt("A", "N", 0), -12);
  EXPECT_EQ(ini.readInt("A", "Big", 4), 4);
  EXPECT_TRUE(ini.readBool("A", "Flag", false));  // any integer but 0 is on
}

TEST(IniFile, GarbledLinesNeverStopTheRestFromBeingRead) {
  using namespace std::string_literals;
  const std::string junk = "\x01\x02\xff\xfe garbage [ no close\r\n=orphan\r\n\0\0\0\r\n"s;
  const IniFile ini(junk + "[Format]\r\n%%%\r\nWrap=0\r\n");
  EXPECT_FALSE(ini.readBool("Format", "Wrap", true));
}

TEST(IniFile, WriteKeepsEveryOtherLineByteForByte) {
  const std::string original = "; comment\n[Files]\nLocation=c:\\x\r\n\r\n[Other]\rA=1\rjunk line";
  IniFile ini(original);
  ini.setValue("files", "Confirm", "0");
  EXPECT_EQ(ini.bytes(), "; comment\n[Files]\nLocation=c:\\x\r\nConfirm=0\r\n\r\n[Other]\rA=1\rjunk line");
  ini.setValue("OTHER", "a", "2");
  EXPECT_EQ(ini.bytes(), "; comment\n[Files]\nLocation=c:\\x\r\nConfirm=0\r\n\r\n[Other]\ra=2\rjunk line");
  ini.setValue("New", "K", "v");
  EXPECT_EQ(ini.bytes(),
            "; comment\n[Files]\nLocation=c:\\x\r\nConfirm=0\r\n\r\n[Other]\ra=2\rjunk line\r\n[New]\r\nK=v\r\n");
}

TEST(IniFile, WriteValueCreatesAndRewritesTheFileAtomically) {
  testing::TempDir dir;
  const std::string path = dir.path() + "DEFAULT.INI";
  ASSERT_TRUE(IniFile::writeValue(path, "Format", "Wrap", "0").ok);
  EXPECT_EQ(*readWholeFile(path), "[Format]\r\nWrap=0\r\n");
  ASSERT_TRUE(IniFile::writeValue(path, "Format", "Wrap", "1").ok);
  ASSERT_TRUE(IniFile::writeValue(path, "HTML", "Ext", "htm").ok);
  EXPECT_EQ(*readWholeFile(path), "[Format]\r\nWrap=1\r\n[HTML]\r\nExt=htm\r\n");

  // A section written twice (by hand, or by another program) is erased whole, so it cannot come back.
  ASSERT_TRUE(writeFileAtomic(path, "[Host]\r\nA=1\r\n[Other]\r\nB=2\r\n[host]\r\nA=3\r\n").ok);
  ASSERT_TRUE(IniFile::eraseSectionIn(path, "HOST").ok);
  EXPECT_EQ(*readWholeFile(path), "[Other]\r\nB=2\r\n");
}

TEST(FileIo, AFailedWriteLeavesTheOldFileWhole) {
  testing::TempDir dir;
  const std::string path = dir.path() + "page.html";
  ASSERT_TRUE(writeFileAtomic(path, "old contents").ok);
  ::chmod(dir.path().c_str(), 0500);  // no new files may be made beside it
  const WriteResult result = writeFileAtomic(path, "new");
  ::chmod(dir.path().c_str(), 0700);
  if (::geteuid() != 0) {  // root writes anywhere
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(*readWholeFile(path), "old contents");
  }
  const WriteResult missing = writeFileAtomic(dir.path() + "no/such/folder/x.html", "x");
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.error, "No such file or directory");
}

TEST(FileIo, WritesKeepTheFileModeAndExactBytes) {
  testing::TempDir dir;
  const std::string path = dir.path() + "data.bin";
  const std::string bytes("\0\r\n\xff\r", 5);
  ASSERT_TRUE(writeFileAtomic(path, bytes).ok);
  ::chmod(path.c_str(), 0600);
  ASSERT_TRUE(writeFileAtomic(path, bytes + bytes).ok);
  struct stat st {};
  ::stat(path.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(*readWholeFile(path), bytes + bytes);
  EXPECT_FALSE(readWholeFile(dir.path()).has_value());  // a folder is not a file
  const WriteResult onFolder = writeFileAtomic(dir.path().substr(0, dir.path().size() - 1), "x");
  EXPECT_FALSE(onFolder.ok);
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

TEST(IniFile, ALineBreakInAValueIsRefusedAndTheFileKept) {
  testing::TempDir dir;
  const std::string path = dir.path() + "OPTIONS.INI";
  ASSERT_TRUE(IniFile::writeValue(path, "Recent", "File1", "/p/site.out").ok);
  for (const std::string bad :
       {std::string("x\r\n[Help]\r\nShowTips=0"), std::string("x\0y", 3), std::string("x\ny")}) {
    const WriteResult r = IniFile::writeValue(path, "Recent", "File1", bad);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failedPath, path);
  }
  EXPECT_FALSE(IniFile::writeValue(path, "Recent\n", "File1", "v").ok);
  EXPECT_EQ(*readWholeFile(path), "[Recent]\r\nFile1=/p/site.out\r\n");
}

TEST(IniFile, WritersInTwoProcessesKeepEachOthersKeys) {
  testing::TempDir dir;
  const std::string path = dir.path() + "DEFAULT.INI";
  constexpr int kRounds = 150;
  const pid_t child = ::fork();
  if (child == 0) {
    for (int i = 0; i < kRounds; ++i) IniFile::writeValue(path, "Child", "K" + std::to_string(i), "c");
    ::_exit(0);
  }
  for (int i = 0; i < kRounds; ++i) IniFile::writeValue(path, "Parent", "K" + std::to_string(i), "p");
  int status = 0;
  ::waitpid(child, &status, 0);
  const IniFile ini = IniFile::load(path);
  for (int i = 0; i < kRounds; ++i) {
    EXPECT_EQ(ini.readString("Child", "K" + std::to_string(i), ""), "c") << i;
    EXPECT_EQ(ini.readString("Parent", "K" + std::to_string(i), ""), "p") << i;
  }
}

}  // namespace
}  // namespace quillon
