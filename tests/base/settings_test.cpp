#include "base/settings.h"

#include <gtest/gtest.h>

#include "base/colour_names.h"
#include "base/file_io.h"
#include "base/ini_file.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

TEST(Settings, FreshInstallationHasTheDocumentedDefaults) {
  testing::TempDir dir;
  const RunSettings s = loadSettings(dir.path());
  EXPECT_EQ(s.startLocation, dir.path());
  EXPECT_EQ(s.filesLocation, "c:");
  EXPECT_TRUE(s.wrap);
  EXPECT_FALSE(s.colored);
  EXPECT_TRUE(s.ftpAuto);
  EXPECT_TRUE(s.msieControl);
  EXPECT_TRUE(s.filesConfirm);
  EXPECT_TRUE(s.showTips);
  EXPECT_EQ(s.previewOption, "temp");
  EXPECT_EQ(s.ext, "html");
  EXPECT_EQ(s.backupType, 1);
  EXPECT_EQ(s.promptFreq, 5);
  for (const auto& name : s.tagColourNames) EXPECT_EQ(ColorFromName(name), ColorFromName("clRed"));
  EXPECT_EQ(s.bodyBg, 16777215);
  EXPECT_EQ(s.bodyLink, 16711680);
  EXPECT_FALSE(s.email.empty());
  for (const auto& r : s.recent) EXPECT_EQ(r, "");
}

TEST(Settings, ReadsBothFilesWhateverTheCaseOfNames) {
  testing::TempDir dir;
  ASSERT_TRUE(writeFileAtomic(dir.path() + "DEFAULT.INI",
                              "[tags]\r\ncolored=1\r\n[format]\nWRAP=0\n[html]\next=htm\n[Location]\nImages=c:\\img\n")
                  .ok);
  ASSERT_TRUE(writeFileAtomic(dir.path() + "OPTIONS.INI",
                              "[Colors]\r\nHREF=clBlue\r\nBG=0x00FFFF\r\nLink=junk\r\nALink=255\r\n[Recent]\r\nFile2=c:"
                              "\\site.out\r\n[Backup]\r\nType=0\r\n")
                  .ok);
  const RunSettings s = loadSettings(dir.path());
  EXPECT_TRUE(s.colored);
  EXPECT_FALSE(s.wrap);
  EXPECT_EQ(s.ext, "htm");
  EXPECT_EQ(s.ftpImages, "c:\\img");  // an empty FTPImages takes the value of Images
  EXPECT_EQ(s.tagColourNames[1], "clBlue");
  EXPECT_EQ(s.tagColourNames[0], "clRed");
  EXPECT_EQ(s.recent[1], "c:\\site.out");
  EXPECT_EQ(s.backupType, 0);
  // The body colours read as colour values: hexadecimal after "0x", and a default for what is not one.
  EXPECT_EQ(s.bodyBg, 0xFFFF);
  EXPECT_EQ(s.bodyLink, 16711680);
  EXPECT_EQ(s.bodyALink, 255);
}

TEST(Settings, EveryValueIsListedByFileSectionAndKey) {
  RunSettings s;
  s.wrap = false;
  const auto all = settingsAsText(s);
  auto find = [&](const std::string& key) {
    for (const auto& [k, v] : all)
      if (k == key) return v;
    return std::string("<missing>");
  };
  EXPECT_EQ(find("[Format] Wrap"), "0");
  EXPECT_EQ(find("[Backup] PromptFreq"), "5");
  EXPECT_EQ(find("[Colors] LIST"), "clRed");
  EXPECT_EQ(find("[Recent] File4"), "");
  EXPECT_EQ(find("[Editor] Font"), "Sans Serif");
  EXPECT_EQ(find("[Editor] Size"), "9");
  EXPECT_EQ(find("[Editor] LineNumbers"), "0");
  EXPECT_EQ(find("[Search] UndoRuns"), "10");
  EXPECT_EQ(find("[CheckSite] GoodKB"), "500");
  EXPECT_EQ(find("[CheckSite] HeavyKB"), "1500");
  EXPECT_EQ(find("[CheckSite] External"), "0");
  EXPECT_EQ(find("[Editor] RecoverySeconds"), "15");
  EXPECT_EQ(find("[Editor] ColourAsYouType"), "1");
  EXPECT_EQ(find("[Editor] CompleteTags"), "1");
  EXPECT_EQ(find("[Editor] OpenInNewTab"), "1");
  EXPECT_EQ(find("[Editor] RestorePages"), "1");
  EXPECT_EQ(find("[Editor] Scheme"), "System");
  EXPECT_EQ(all.size(), 57u);  // 22 DEFAULT.INI keys, 35 OPTIONS.INI keys
}

TEST(Settings, WriterChangesOneValueInItsFile) {
  testing::TempDir dir;
  ASSERT_TRUE(writeFileAtomic(dir.path() + "OPTIONS.INI", "[Help]\r\nShowTips=1\r\n[Other]\r\nX=y\r\n").ok);
  const SettingsWriter writer(dir.path());
  ASSERT_TRUE(writer.writeFlag(SettingsFile::Options, "Help", "ShowTips", false).ok);
  EXPECT_EQ(*readWholeFile(dir.path() + "OPTIONS.INI"), "[Help]\r\nShowTips=0\r\n[Other]\r\nX=y\r\n");
  EXPECT_FALSE(fileExists(dir.path() + "DEFAULT.INI"));
}

TEST(Settings, StoredTogetherThroughTheTableAndOnlyWhatChanged) {
  testing::TempDir dir;
  ASSERT_TRUE(writeFileAtomic(dir.path() + "OPTIONS.INI", "[Colors]\r\nBG=0x00FFFF\r\nMine=kept\r\n").ok);
  const SettingsWriter writer(dir.path());
  RunSettings s;
  s.bodyBg = 255;
  s.bodyLink = 1;
  ASSERT_TRUE(writer.store(s, {&RunSettings::bodyBg, &RunSettings::bodyLink}).ok);
  EXPECT_EQ(*readWholeFile(dir.path() + "OPTIONS.INI"), "[Colors]\r\nBG=255\r\nMine=kept\r\nLink=1\r\n");

  // Only values whose stored text differs are written, each to its own file.
  RunSettings after = s;
  after.ext = "htm";
  after.tagColourNames[2] = "clBlue";
  after.bodyText = s.bodyText;
  ASSERT_TRUE(writer.storeChanges(s, after).ok);
  EXPECT_EQ(*readWholeFile(dir.path() + "DEFAULT.INI"), "[HTML]\r\nExt=htm\r\n");
  EXPECT_EQ(*readWholeFile(dir.path() + "OPTIONS.INI"), "[Colors]\r\nBG=255\r\nMine=kept\r\nLink=1\r\nIMG=clBlue\r\n");
  after.email = "a\r\n[Help]\r\nShowTips=0";
  EXPECT_FALSE(writer.storeChanges(s, after).ok);  // a line break is refused, the file kept
  EXPECT_EQ(IniFile::load(dir.path() + "OPTIONS.INI").readString("Help", "ShowTips", "none"), "none");
}

TEST(ColourNames, ExactNamesOnlyAndHtmlText) {
  EXPECT_EQ(htmlColourText(ColorFromName("clRed")), "#FF0000");
  EXPECT_EQ(htmlColourText(ColorFromName("clNavy")), "#000080");
  EXPECT_EQ(htmlColourText(ColorFromName("clTeal")), "#008080");
  EXPECT_EQ(ColorFromName("clred"), ColorFromName("clBlack"));  // other case: black
  EXPECT_EQ(ColorFromName("nonsense"), 0);
  EXPECT_EQ(ColorNameIndex(ColorFromName("clGray")), 8);
  EXPECT_EQ(ColorNameIndex(0x123456), -1);

  EXPECT_EQ(readColourValue("0xFF", 7), 255);
  EXPECT_EQ(readColourValue("0X0000ff00", 7), 0xFF00);
  EXPECT_EQ(readColourValue("16711680", 7), 16711680);
  EXPECT_EQ(readColourValue("-2147483643", 7), -2147483643);  // a system colour
  EXPECT_EQ(readColourValue("red", 7), 7);
  EXPECT_EQ(readColourValue("0xZZ", 7), 7);
}

}  // namespace
}  // namespace quillon
