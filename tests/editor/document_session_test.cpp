#include "editor/document_session.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <deque>

#include "base/file_io.h"
#include "base/settings.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

class DocumentSessionTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
  RunSettings settings;
  testing::ScriptedPlatform prompts;
  testing::ScriptedPlatform& dialogs = prompts;
  // What was said, errors marked.
  std::vector<std::string> asked() const {
    std::vector<std::string> out;
    for (const auto& s : prompts.said) out.push_back((s.kind == MessageKind::Error ? "error: " : "") + s.text);
    return out;
  }
  // The window's side: the bytes, and a save point reduced to a flag.
  struct Text : DocumentText {
    std::string bytes_;
    bool modified_ = false;
    std::string_view bytes() const override { return bytes_; }
    bool modified() const override { return modified_; }
    void setSavePoint() override { modified_ = false; }
  } window;
  std::string& text = window.bytes_;
  bool& modified = window.modified_;
  std::vector<std::string> saved;  // what the session reported as saved
  DocumentSession session{dir.path(), settings, prompts, dialogs, window};
  void SetUp() override {
    session.onSaved([this](const std::string& path) { saved.push_back(path); });
  }
};

TEST_F(DocumentSessionTest, UnmodifiedDocumentIsNeitherAskedAboutNorWritten) {
  session.opened(dir.path() + "page.html");
  text = "changed in memory only";
  EXPECT_EQ(session.queryClose(CloseRequest::SaveCommand), Answer::No);
  EXPECT_EQ(session.queryClose(CloseRequest::Other), Answer::No);
  EXPECT_TRUE(asked().empty());
  EXPECT_FALSE(fileExists(dir.path() + "page.html"));
  EXPECT_TRUE(saved.empty());
}

TEST_F(DocumentSessionTest, NewDocumentAsksAndCancelledSaveDialogKeepsItModified) {
  session.resetToNew();
  EXPECT_EQ(session.state().path, dir.path() + "new.html");
  text = "<HTML>";
  modified = true;
  prompts.answers = {Answer::Yes};
  dialogs.files = {std::nullopt};
  EXPECT_EQ(session.queryClose(CloseRequest::Other), Answer::Cancel);
  ASSERT_EQ(asked().size(), 1u);
  EXPECT_EQ(asked()[0], "Save changes to open HTML file before closing?");
  ASSERT_EQ(dialogs.requests.size(), 1u);
  EXPECT_EQ(dialogs.requests[0].title, "Save HTML File As...");
  EXPECT_EQ(dialogs.requests[0].fileName, "new.html");
  EXPECT_EQ(dialogs.requests[0].filterIndex, 2);
  EXPECT_TRUE(dialogs.requests[0].confirmOverwrite);
  EXPECT_TRUE(session.modified());
  EXPECT_EQ(session.state().path, dir.path() + "new.html");
}

TEST_F(DocumentSessionTest, SaveCommandWritesWithoutAskingAndReportsEachSave) {
  session.opened(dir.path() + "b.html");
  text = "one";
  modified = true;
  EXPECT_EQ(session.queryClose(CloseRequest::SaveCommand), Answer::Yes);
  EXPECT_TRUE(asked().empty());
  EXPECT_EQ(*readWholeFile(dir.path() + "b.html"), "one");
  EXPECT_FALSE(session.modified());
  modified = true;
  text = "two";
  session.queryClose(CloseRequest::SaveCommand);
  session.opened(dir.path() + "A.html");
  modified = true;
  session.queryClose(CloseRequest::SaveCommand);
  EXPECT_EQ(saved, (std::vector<std::string>{dir.path() + "b.html", dir.path() + "b.html", dir.path() + "A.html"}));
}

TEST_F(DocumentSessionTest, ExtensionDecidesTheUntitledNameAndTheAppendedExtension) {
  settings.ext = "htm";
  session.resetToNew();
  EXPECT_EQ(session.state().path, dir.path() + "new.htm");
  modified = true;
  text = "x";
  dialogs.files = {dir.path() + "page"};
  EXPECT_EQ(session.queryClose(CloseRequest::SaveCommand), Answer::Yes);
  EXPECT_EQ(dialogs.requests[0].defaultExt, "htm");
  EXPECT_EQ(session.state().path, dir.path() + "page.htm");
  EXPECT_EQ(*readWholeFile(dir.path() + "page.htm"), "x");
  // "new.html" is not the untitled name when the extension is "htm": it is saved where it stands.
  session.opened(dir.path() + "new.html");
  modified = true;
  session.queryClose(CloseRequest::SaveCommand);
  EXPECT_EQ(dialogs.requests.size(), 1u);
}

TEST_F(DocumentSessionTest, NoAnswerWritesNothingAndReadOnlyPagesAreNeverWritten) {
  session.opened(dir.path() + "c.html");
  modified = true;
  prompts.answers = {Answer::No};
  EXPECT_EQ(session.queryClose(CloseRequest::Other), Answer::No);
  // Still modified: if the replacing document cannot be opened, this one stays and is still unsaved.
  EXPECT_TRUE(session.modified());
  EXPECT_FALSE(fileExists(dir.path() + "c.html"));

  session.opened(dir.path() + "c.html", true);
  modified = true;
  EXPECT_EQ(session.queryClose(CloseRequest::Other), Answer::Yes);
  EXPECT_EQ(session.queryClose(CloseRequest::SaveCommand), Answer::Yes);
  EXPECT_TRUE(session.modified());  // left as it was
  EXPECT_FALSE(fileExists(dir.path() + "c.html"));
  EXPECT_FALSE(session.saveCommandsEnabled());
}

TEST_F(DocumentSessionTest, AFailedWriteReportsAndKeepsTheDocumentModified) {
  session.opened(dir.path() + "missing-folder/page.html");
  modified = true;
  EXPECT_EQ(session.queryClose(CloseRequest::SaveCommand), Answer::Cancel);
  ASSERT_EQ(asked().size(), 1u);
  EXPECT_EQ(asked()[0].rfind("error: Cannot create file", 0), 0u);
  EXPECT_TRUE(session.modified());
  EXPECT_TRUE(saved.empty());
}

TEST_F(DocumentSessionTest, SaveAsWritesEvenUnmodifiedAndIsNotReported) {
  session.opened(dir.path() + "d.html");
  text = std::string("\0bytes\r\n\xff", 9);
  dialogs.files = {dir.path() + "e.html"};
  EXPECT_TRUE(session.saveAs());
  EXPECT_EQ(*readWholeFile(dir.path() + "e.html"), text);
  EXPECT_EQ(session.state().path, dir.path() + "e.html");
  EXPECT_TRUE(saved.empty());
  dialogs.files = {std::nullopt};
  EXPECT_FALSE(session.saveAs());
  EXPECT_EQ(session.state().path, dir.path() + "e.html");
}

TEST(DocumentTemplate, NineLinesEachEndedByCrLf) {
  const std::string t = DocumentSession::newFileTemplate();
  size_t lines = 0;
  for (size_t i = 0; i + 1 < t.size(); ++i) lines += t[i] == '\r' && t[i + 1] == '\n';
  EXPECT_EQ(lines, 9u);
  EXPECT_EQ(t.substr(t.size() - 9), "</HTML>\r\n");
  EXPECT_NE(t.find("\r\n   <TITLE></TITLE>\r\n</HEAD>\r\n<BODY>\r\n\r\n</BODY>\r\n"), std::string::npos);
  EXPECT_EQ(t.rfind("<!--This site and page maintained with Quillon Pro. Details at: ", 0), 0u);
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

TEST_F(DocumentSessionTest, AFileChangedByAnotherProgramIsReplacedOnlyWhenTheUserSaysSo) {
  const std::string page = dir.path() + "page.html";
  ASSERT_TRUE(writeFileAtomic(page, "theirs 1").ok);
  session.opened(page);
  ASSERT_TRUE(writeFileAtomic(page, "theirs 2, longer").ok);  // another program
  text = "mine";
  modified = true;
  prompts.answers = {Answer::No};
  EXPECT_EQ(session.queryClose(CloseRequest::SaveCommand), Answer::Cancel);
  EXPECT_EQ(asked().back(), DocumentSession::changedOnDiskQuestion(page));
  EXPECT_EQ(*readWholeFile(page), "theirs 2, longer");
  EXPECT_TRUE(session.modified());

  prompts.answers = {Answer::Yes};
  EXPECT_EQ(session.queryClose(CloseRequest::SaveCommand), Answer::Yes);
  EXPECT_EQ(*readWholeFile(page), "mine");
  // Our own save is not a change by another program.
  modified = true;
  text = "mine again";
  const size_t before = asked().size();
  EXPECT_EQ(session.queryClose(CloseRequest::SaveCommand), Answer::Yes);
  EXPECT_EQ(asked().size(), before);
  EXPECT_EQ(*readWholeFile(page), "mine again");
}

TEST_F(DocumentSessionTest, AFailedSaveKeepsTheOldNameAndTheModifiedFlag) {
  const std::string page = dir.path() + "page.html";
  ASSERT_TRUE(writeFileAtomic(page, "x").ok);
  session.opened(page);
  modified = true;
  dialogs.files = {dir.path() + "missing/other.html"};
  prompts.answers = {Answer::Ok};
  EXPECT_FALSE(session.saveAs());
  EXPECT_EQ(session.state().path, page);
  EXPECT_TRUE(session.modified());

  // A read-only file is refused with a message; nothing is written.
  ASSERT_EQ(::chmod(page.c_str(), 0444), 0);
  text = "lost?";
  prompts.answers = {Answer::Ok};
  EXPECT_EQ(session.queryClose(CloseRequest::SaveCommand), Answer::Cancel);
  EXPECT_NE(asked().back().find("read-only"), std::string::npos);
  EXPECT_EQ(*readWholeFile(page), "x");
  EXPECT_TRUE(session.modified());

  // An untitled document whose save fails stays untitled.
  session.resetToNew();
  modified = true;
  dialogs.files = {dir.path() + "missing/new-name.html"};
  prompts.answers = {Answer::Yes, Answer::Ok};
  EXPECT_EQ(session.queryClose(CloseRequest::Other), Answer::Cancel);
  EXPECT_EQ(session.state().path, session.untitledPath());
}

}  // namespace
}  // namespace quillon
