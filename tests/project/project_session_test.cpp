#include "project/project_session.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <deque>

#include "base/file_io.h"
#include "base/ini_file.h"
#include "base/settings.h"
#include "project/project_files.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

// Answers OK where nothing is queued: a Yes/No question then reads as not Yes.
struct Script : testing::ScriptedPlatform {
  Script() { fallback = Answer::Ok; }
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const auto& s : said) out.push_back(s.text);
    return out;
  }
};

class ProjectSessionTest : public ::testing::Test {
 protected:
  ProjectSessionTest() {
    makeDirectory(dir.path() + "projects");
    makeDirectory(dir.path() + "elsewhere");
  }
  testing::TempDir dir;
  RunSettings settings;
  SettingsWriter writer{dir.path()};
  Script script;
  ProjectSession session{ProgramFolders{dir.path(), dir.path(), dir.path()}, settings, writer, script, script};
  std::string projects() const { return dir.path() + "projects/"; }
};

TEST_F(ProjectSessionTest, UntitledSavedAsSiteHtmBecomesSiteOutAndSiteFil) {
  session.tree().addTopLevel("Home", "/w/index.html");
  session.setModified();
  script.files = {dir.path() + "elsewhere/site.htm"};
  ASSERT_TRUE(session.save());
  EXPECT_EQ(script.requests[0].title, "Save Project As..");
  EXPECT_EQ(script.requests[0].initialDir, projects());
  EXPECT_EQ(*readWholeFile(projects() + "site.out"), "Home\r\n");
  EXPECT_EQ(*readWholeFile(projects() + "site.fil"), "/w/index.html\r\n");
  EXPECT_FALSE(fileExists(dir.path() + "elsewhere/site.htm"));
  EXPECT_EQ(session.name(), "site.out");
  // The caption and the recent list name the file written, so that reopening opens what was saved.
  EXPECT_EQ(session.caption(), "Brindle Quillon Pro:  " + projects() + "site.out");
  EXPECT_EQ(settings.recent[0], projects() + "site.out");
  EXPECT_EQ(IniFile::load(dir.path() + "OPTIONS.INI").readString("Recent", "File1", ""), settings.recent[0]);
  EXPECT_FALSE(session.modified());
}

TEST_F(ProjectSessionTest, AProjectOpenedElsewhereIsSavedIntoTheProjectsDirectory) {
  PageTree t;
  t.addTopLevel("A", "a.html");
  const std::string outside = dir.path() + "elsewhere/SITE.out";
  ASSERT_TRUE(saveProject(outside, t).ok);
  script.files = {outside};
  ASSERT_TRUE(session.open());
  EXPECT_EQ(script.requests[0].filterIndex, 2);
  EXPECT_TRUE(session.saveEnabled());
  session.tree().addTopLevel("B", "b.html");
  session.setModified();
  ASSERT_TRUE(session.save());
  EXPECT_EQ(*readWholeFile(projects() + "SITE.out"), "A\r\nB\r\n");
  EXPECT_EQ(*readWholeFile(outside), "A\r\n");
  // From then on the caption and the recent list name the copy written, so that Reopen loads the change.
  EXPECT_EQ(session.caption(), "Brindle Quillon Pro:  " + projects() + "SITE.out");
  EXPECT_EQ(settings.recent[0], projects() + "SITE.out");
  ASSERT_TRUE(session.reopen(0));
  EXPECT_EQ(session.tree().size(), 2u);
  // A project reopened from the projects folder keeps its caption when saved.
  const std::string before = session.caption();
  ASSERT_TRUE(session.save());
  EXPECT_EQ(session.caption(), before);
}

TEST_F(ProjectSessionTest, LeavingAsksWithTheRightQuestionAndSavesOnYes) {
  session.tree().addTopLevel("Home", "h.html");
  session.setModified();
  script.answers = {Answer::No};
  session.newProject();
  EXPECT_EQ(script.texts().back(), "Save changes to open Project?");
  EXPECT_TRUE(session.tree().empty());
  EXPECT_EQ(session.caption(), "Brindle Quillon Pro:  ");

  PageTree t;
  t.addTopLevel("A", "a.html");
  ASSERT_TRUE(saveProject(projects() + "site.out", t).ok);
  script.files = {projects() + "site.out"};
  ASSERT_TRUE(session.open());
  session.tree().addTopLevel("B", "b.html");
  session.setModified();
  script.answers = {Answer::Yes};
  script.files = {std::nullopt};
  session.open();
  EXPECT_EQ(script.texts().back(), "Save changes to Project \"SITE.OUT\" ?");
  EXPECT_EQ(*readWholeFile(projects() + "site.out"), "A\r\nB\r\n");
  EXPECT_EQ(session.name(), "site.out");  // the cancelled open changed nothing else
}

TEST_F(ProjectSessionTest, HelpProjectCannotBeSavedWhateverTheCaseOfItsName) {
  PageTree t;
  t.addTopLevel("Help", "welcome.brn");
  ASSERT_TRUE(saveProject(projects() + "WELCOME.OUT", t).ok);
  script.files = {projects() + "WELCOME.OUT"};
  ASSERT_TRUE(session.open());
  EXPECT_FALSE(session.helpMode());
  EXPECT_FALSE(session.save());
  EXPECT_EQ(script.texts().back(), "Sorry, this is the HELP file and cannot be changed.");
  makeDirectory(dir.path() + "help");
  ASSERT_TRUE(saveProject(dir.path() + "help/welcome.out", t).ok);
  ASSERT_TRUE(session.openHelp());
  EXPECT_TRUE(session.helpMode());
  EXPECT_FALSE(session.saveAs());
  EXPECT_TRUE(session.isHelpPage("intro.brn"));
  EXPECT_FALSE(session.isHelpPage("INTRO.BRN"));
}

TEST_F(ProjectSessionTest, MissingAndBrokenFilesLeaveTheOpenProjectAlone) {
  session.tree().addTopLevel("Keep", "k.html");
  script.files = {dir.path() + "nothing.out"};
  EXPECT_FALSE(session.open());
  EXPECT_EQ(script.texts().back(),
            "Error opening this project. Please be sure you selected a valid, existing project.");
  writeFileAtomic(projects() + "bad.out", "\t\t\tx\r\n");
  writeFileAtomic(projects() + "bad.fil", "x\r\n");
  script.files = {projects() + "bad.out"};
  EXPECT_FALSE(session.open());
  EXPECT_EQ(script.texts().back(), "File load error");
  EXPECT_EQ(session.tree()[0].title, "Keep");
  EXPECT_FALSE(session.reopen(0));  // empty entry: nothing at all
  settings.recent[1] = "/gone/site.out";
  EXPECT_FALSE(session.reopen(1));
  EXPECT_EQ(script.texts().back(),
            "Cannot find the project \"/GONE/SITE.OUT\".\rPlease locate and open it using the File|Open menu item.");
}

TEST_F(ProjectSessionTest, AFailedWriteKeepsTheProjectModified) {
  session.tree().addTopLevel("A", "a.html");
  session.setModified();
  script.files = {dir.path() + "x.out"};
  ::rmdir((dir.path() + "projects").c_str());
  EXPECT_FALSE(session.save());
  EXPECT_TRUE(session.modified());
  EXPECT_EQ(script.texts().back().rfind("Cannot write the project", 0), 0u);
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

TEST_F(ProjectSessionTest, AFailedOrCancelledSaveStopsEveryLeavingStep) {
  session.tree().addTopLevel("Home", "/w/index.html");
  session.setModified();
  // Untitled: Yes opens the save dialog, which is cancelled.
  script.answers = {Answer::Yes, Answer::Yes};
  EXPECT_FALSE(session.leave(LeaveReason::Exit));
  EXPECT_FALSE(session.newProject());
  EXPECT_EQ(session.tree().size(), 1u);
  EXPECT_TRUE(session.modified());

  // Titled, but the projects folder cannot take the files.
  script.answers = {Answer::Yes};
  script.files = {projects() + "site.out"};
  ASSERT_TRUE(session.save());
  session.setModified();
  ::mkdir((projects() + ".keep").c_str(), 0755);
  ASSERT_EQ(::chmod(projects().c_str(), 0555), 0);
  const bool root = ::geteuid() == 0;  // root writes anyway; make the link file a folder instead
  if (root) {
    ::chmod(projects().c_str(), 0755);
    ::unlink((projects() + "site.fil").c_str());
    ::mkdir((projects() + "site.fil").c_str(), 0755);
  }
  script.answers = {Answer::Yes, Answer::Ok};
  EXPECT_FALSE(session.leave(LeaveReason::OpenProject));
  EXPECT_NE(script.texts().back().find(root ? projects() + "site.fil" : projects()), std::string::npos);
  EXPECT_TRUE(session.modified());
  ::chmod(projects().c_str(), 0755);

  // No: nothing is saved and leaving goes on.
  script.answers = {Answer::No};
  EXPECT_TRUE(session.newProject());
  EXPECT_TRUE(session.tree().empty());
}

TEST_F(ProjectSessionTest, OutlineAndLinkFilesOfDifferentLengthsAreReported) {
  ASSERT_TRUE(writeFileAtomic(projects() + "odd.out", "A\r\nB\r\nC\r\n").ok);
  ASSERT_TRUE(writeFileAtomic(projects() + "odd.fil", "a.html\r\n").ok);
  script.files = {projects() + "odd.out"};
  ASSERT_TRUE(session.open());
  EXPECT_EQ(session.tree().size(), 3u);
  ASSERT_FALSE(script.texts().empty());
  EXPECT_NE(script.texts().back().find(projects() + "odd.out"), std::string::npos);
  EXPECT_NE(script.texts().back().find(projects() + "odd.fil"), std::string::npos);
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

TEST_F(ProjectSessionTest, ANameWithALineBreakIsRefusedBeforeAnythingIsWritten) {
  session.tree().addTopLevel("Home", "/w/index.html");
  script.files = {projects() + "evil\r\n[Help]\r\nShowTips=0.out"};
  EXPECT_FALSE(session.save());
  EXPECT_EQ(script.texts().back(), "A project name cannot hold a line break. Please choose another name.");
  EXPECT_TRUE(session.name().empty());
  EXPECT_FALSE(fileExists(dir.path() + "OPTIONS.INI"));
}

}  // namespace
}  // namespace quillon
