#include "app/options.h"

#include <gtest/gtest.h>

#include "base/file_io.h"
#include "base/ini_file.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

TEST(Options, AddingExtensions) {
  std::vector<std::string> list;
  EXPECT_EQ(addExtension(list, ".php"), "");
  EXPECT_EQ(addExtension(list, "php"), "");
  EXPECT_EQ(list, (std::vector<std::string>{"php", "php"}));  // duplicates are not refused
  EXPECT_EQ(addExtension(list, ""), "Please enter a valid extension in the space to the right of the ADD button.");
  list.resize(15, "x");
  EXPECT_EQ(addExtension(list, "more"),
            "There are only 15 different extensions allowed. Please delete one before adding another.");
  EXPECT_EQ(list.size(), 15u);
}

TEST(Options, NumberBoxClampsToItsRange) {
  EXPECT_EQ(clampPromptFreq(0), 1);
  EXPECT_EQ(clampPromptFreq(40), 15);
  EXPECT_EQ(clampPromptFreq(7), 7);
}

TEST(Options, ApplySetsRunTimeValuesAndWritesTheFiles) {
  testing::TempDir dir;
  writeFileAtomic(dir.path() + "DEFAULT.INI", "; mine\r\n[Other]\r\nKeep=1\r\n");
  RunSettings s;
  const OptionsRecord shown = optionsFrom(s, {"html", "htm"});
  OptionsRecord r = shown;
  r.extensions.push_back("php");
  r.defaultExt = ".htm";
  r.imagePath = "c:\\site\\img";
  r.tagColours[1] = "clBlue";
  r.hideMsieControl = true;
  r.previewOption = "auto";
  r.promptFreq = 40;
  r.editorFont = "Monospace";
  r.editorSize = 99;  // held to the largest size offered
  r.lineNumbers = true;
  r.scheme = "Dark";
  ASSERT_TRUE(applyOptions(r, s, dir.path(), shown).ok);
  EXPECT_EQ(s.scheme, "Dark");
  EXPECT_EQ(s.editorFont, "Monospace");
  EXPECT_EQ(s.editorSize, kLargestEditorSize);
  EXPECT_TRUE(s.lineNumbers);
  EXPECT_EQ(s.ext, "htm");
  EXPECT_EQ(s.images, "c:\\site\\img/");  // a separator at run time, the typed text in the file
  EXPECT_FALSE(s.msieControl);
  EXPECT_EQ(s.promptFreq, 15);
  EXPECT_EQ(*readWholeFile(dir.path() + "htmlext.dat"), "html\r\nhtm\r\nphp\r\n");
  const IniFile defaults = IniFile::load(dir.path() + "DEFAULT.INI");
  EXPECT_EQ(defaults.readString("Location", "Images", ""), "c:\\site\\img");
  EXPECT_EQ(defaults.readString("HTML", "Ext", ""), "htm");
  EXPECT_EQ(defaults.readString("Location", "PreviewOption", ""), "auto");
  EXPECT_EQ(defaults.readString("HTML", "MSIEControl", ""), "0");
  EXPECT_EQ(defaults.readString("Other", "Keep", ""), "1");
  EXPECT_FALSE(defaults.hasKey("Files", "Selected"));  // the default-files box was empty
  const IniFile options = IniFile::load(dir.path() + "OPTIONS.INI");
  EXPECT_EQ(options.readString("Colors", "HREF", ""), "clBlue");
  EXPECT_EQ(options.readString("Backup", "PromptFreq", ""), "15");
  EXPECT_EQ(options.readString("Editor", "Font", ""), "Monospace");
  EXPECT_EQ(options.readString("Editor", "Size", ""), "48");
  EXPECT_EQ(options.readString("Editor", "LineNumbers", ""), "1");
  EXPECT_EQ(options.readString("Editor", "Scheme", ""), "Dark");
  // A scheme the program does not know opens as following the desktop; one in another case is known.
  RunSettings odd;
  odd.scheme = "Purple";
  EXPECT_EQ(optionsFrom(odd, {}).scheme, "System");
  odd.scheme = "dark";
  EXPECT_EQ(optionsFrom(odd, {}).scheme, "Dark");
  r.defaultExt = "";
  applyOptions(r, s, dir.path(), shown);
  EXPECT_EQ(s.ext, "html");
}

TEST(Options, OnlyChangedValuesAreWrittenAndUnstorableTextsAreNamed) {
  testing::TempDir dir;
  RunSettings s;
  const OptionsRecord shown = optionsFrom(s, {"html"});
  // Another instance changed the template meanwhile; this one changes only the extension.
  ASSERT_TRUE(IniFile::writeValue(dir.path() + "OPTIONS.INI", "Location", "HTMLTemp", "/theirs.html").ok);
  OptionsRecord r = shown;
  r.defaultExt = "shtml";
  ASSERT_TRUE(applyOptions(r, s, dir.path(), shown).ok);
  EXPECT_EQ(IniFile::load(dir.path() + "OPTIONS.INI").readString("Location", "HTMLTemp", ""), "/theirs.html");
  EXPECT_EQ(*readWholeFile(dir.path() + "DEFAULT.INI"), "[HTML]\r\nExt=shtml\r\n");
  EXPECT_FALSE(fileExists(dir.path() + "htmlext.dat"));  // the list did not change

  EXPECT_EQ(unstorableOption(r), "");
  r.templatePath = "/x.html\r\n[Help]\r\nShowTips=1";
  EXPECT_EQ(unstorableOption(r), "Template");
  r.templatePath.clear();
  r.defaultExt = std::string("htm\0x", 5);
  EXPECT_EQ(unstorableOption(r), "Default extension");
}

TEST(Options, TheBackUpChoiceThatActsAtOnceIsStoredOnApply) {
  testing::TempDir dir;
  RunSettings s;
  s.backupType = 1;
  const OptionsRecord shown = optionsFrom(s, {});
  OptionsRecord r = shown;
  s.backupType = 0;  // the radio button has changed the run-time value already
  r.backupType = 0;
  ASSERT_TRUE(applyOptions(r, s, dir.path(), shown).ok);
  EXPECT_EQ(s.backupType, 0);
  EXPECT_EQ(loadSettings(dir.path()).backupType, 0) << "stored, not only changed at run time";
}

TEST(Options, UseSelNeedsADefaultFolder) {
  testing::TempDir dir;
  RunSettings s;
  const OptionsRecord shown = optionsFrom(s, {});
  OptionsRecord r = shown;
  r.useDefaultFiles = true;
  applyOptions(r, s, dir.path(), shown);
  EXPECT_FALSE(s.filesUseSel);
  s.filesSelected = "/home/me/site/";  // picked while the dialog is open
  r.defaultFiles = "typed but not picked";
  applyOptions(r, s, dir.path(), shown);
  EXPECT_TRUE(s.filesUseSel);
  EXPECT_EQ(IniFile::load(dir.path() + "DEFAULT.INI").readString("Files", "Selected", ""), "/home/me/site/");
}

}  // namespace
}  // namespace quillon
