#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "base/file_io.h"
#include "publish/preview_file.h"
#include "publish/program_launch.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

TEST(PreviewFile, EachModeAndTheUntitledAndHelpCases) {
  PreviewDocument doc{"/w/site/a.htm", false, true, "/w/start/", "/prog/"};
  PreviewPlan p = planPreview(doc, PreviewMode::NoSave, false);
  EXPECT_EQ(p.file, "/w/site/a.htm");  // unsaved changes are not shown
  EXPECT_FALSE(p.writeText);
  EXPECT_FALSE(p.saveDocument);
  p = planPreview(doc, PreviewMode::Temp, false);
  EXPECT_EQ(p.file, "/w/site/$$temp.htm");
  EXPECT_TRUE(p.writeText);
  p = planPreview(doc, PreviewMode::Auto, false);
  EXPECT_EQ(p.file, "/w/site/a.htm");
  EXPECT_TRUE(p.saveDocument);
  // Untitled and modified: the start folder's temporary, whatever the mode.
  doc = {"/prog/new.html", true, true, "/w/start/", "/prog/"};
  for (PreviewMode m : {PreviewMode::Auto, PreviewMode::NoSave, PreviewMode::Temp}) {
    p = planPreview(doc, m, false);
    EXPECT_EQ(p.file, "/w/start/$$temp.htm");
    EXPECT_TRUE(p.writeText);
  }
  // A help page in the embedded browser: a copy in the help folder is shown.
  doc = {"/prog/help/keys.BRN", false, false, "/w/start/", "/prog/"};
  p = planPreview(doc, PreviewMode::NoSave, true);
  EXPECT_EQ(p.file, "/prog/help/$$temp.html");
  EXPECT_EQ(p.helpCopy, "/prog/help/$$temp.html");
  EXPECT_TRUE(planPreview(doc, PreviewMode::NoSave, false).helpCopy.empty());
}

TEST(PreviewFile, ModeLetterSteppingAndAddresses) {
  PreviewMode m = previewModeOf("auto");
  EXPECT_EQ(previewModeLetter(m), "S");
  m = nextPreviewMode(m);
  EXPECT_EQ(previewModeText(m), "temp");
  m = nextPreviewMode(m);
  EXPECT_EQ(previewModeLetter(m), "N");
  m = nextPreviewMode(m);
  EXPECT_EQ(previewModeText(m), "auto");
  EXPECT_EQ(previewModeOf("bogus"), PreviewMode::Temp);
  EXPECT_EQ(previewModeLetter(previewModeOf("temp")), "T");
  EXPECT_EQ(previewModeLetter(previewModeOf("anything")), "T");
  EXPECT_EQ(fileUrl("/w/my site/a&b#1?%.htm"), "file:///w/my%20site/a&b%231%3F%25.htm");
  EXPECT_EQ(fileUrl("/w/$$temp.htm"), "file:///w/$$temp.htm");
  EXPECT_EQ(fileUrl("/w/caf\xc3\xa9.htm"), "file:///w/caf%C3%A9.htm");
}

TEST(ProgramLaunch, ReasonsForEachFailureAndArgumentsAsGiven) {
  testing::TempDir dir;
  EXPECT_EQ(launchProgram(dir.path() + "missing", {}), "File was not found.(" + dir.path() + "missing)");
  std::ofstream(dir.path() + "plain.txt") << "text";
  EXPECT_EQ(launchProgram(dir.path() + "plain.txt", {}), "Type of executable file was unknown.");
  EXPECT_EQ(launchProgram(dir.path(), {}), "Type of executable file was unknown.");
  std::ofstream(dir.path() + "junk") << "\x7f"
                                        "ELF not really";
  ::chmod((dir.path() + "junk").c_str(), 0755);
  EXPECT_EQ(
      launchProgram(dir.path() + "junk", {}),
      "Executable file was invalid. Either it was not a Windows application or there was an error in the .EXE image.");

  // A program with blanks and shell characters in its path and arguments gets them as they are, in its folder.
  const std::string folder = dir.path() + "my $(tools)/";
  ::mkdir(folder.c_str(), 0755);
  const std::string script = folder + "record me.sh";
  std::ofstream(script) << "#!/bin/sh\npwd > \"$0.out\"\nprintf '%s\\n' \"$@\" >> \"$0.out\"\n";
  ::chmod(script.c_str(), 0755);
  EXPECT_EQ(launchProgram(script, {"file:///a b", "; rm -rf x"}, folder), "");
  std::optional<std::string> out;
  for (int i = 0; i < 200 && !(out = readWholeFile(script + ".out")); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  for (int i = 0; i < 100 && out && out->find("rm -rf") == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    out = readWholeFile(script + ".out");
  }
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, folder.substr(0, folder.size() - 1) + "\nfile:///a b\n; rm -rf x\n");
}

}  // namespace
}  // namespace quillon
