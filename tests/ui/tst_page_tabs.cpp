// Every command acts on the shown page only: run on the middle one of three open pages, it leaves the
// other two as they were, byte for byte and unmodified.
#include <Qsci/qsciscintilla.h>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <map>
#include <set>

#include "app/ui/command_registry.h"
#include "app/ui/mainwindow.h"
#include "editor/ui/editor_bytes.h"
#include "platform/ui/qt_platform.h"
#include "support/scripted_platform.h"

namespace quillon {

// Questions answered No, file dialogs cancelled, every modal dialog closed at once.
class QuietPlatform : public testing::ScriptedPlatform, public ModalRunner, public PrintDialogs {
 public:
  QuietPlatform() { fallback = Answer::No; }
  int runModal(QDialog&, bool selfClosing) override { return selfClosing ? QDialog::Accepted : QDialog::Rejected; }
  bool choose(QPrinter&, const std::string&) override { return false; }
  Platform platform{*this, *this, *this, *this, *this, *this};
};

class TestPageTabs : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::string path(const char* name) const { return dir_.path().toStdString() + "/" + name; }
  void write(const char* name, const std::string& bytes) { std::ofstream(path(name), std::ios::binary) << bytes; }

  // The text of the open page at `file`, shown for a moment, or nothing when it is not open.
  static std::optional<std::string> textOf(TForm1& w, const std::string& file) {
    const std::vector<TForm1::PageSummary> pages = w.openPages();
    for (size_t i = 0; i < pages.size(); ++i) {
      if (pages[i].path != file) continue;
      while (w.currentPage() != i) w.commands().trigger(cmd::NextPage1Click);
      return std::string(editor_bytes::text(*w.findChild<QsciScintilla*>("RE1")));
    }
    return std::nullopt;
  }

 private slots:
  void everyCommandOnTheShownPageLeavesTheOthersAlone() {
    const std::string programDir = dir_.path().toStdString() + "/prog/";
    QDir().mkpath(QString::fromStdString(programDir));
    std::ofstream(programDir + "OPTIONS.INI", std::ios::binary)
        << "[Help]\r\nShowTips=0\r\n[Editor]\r\nRestorePages=0\r\n";
    const std::string a = "<html><body><p>first <b>page</b></p></body></html>\r\n";
    const std::string c = "<p>caf\xe9, an 8-bit page</p>\r\n<ul><li>one</li></ul>\r\n";
    write("a.html", a);
    write("b.html", "<p>the middle page</p>\r\n<table><tr><td>x</td></tr></table>\r\n");
    write("c.html", c);
    // Commands that leave every page by design: the program's end, the help project, and the site-wide
    // replace, which closes every page so that none keeps an old copy of a file it rewrites.
    const std::set<std::string> leaving = {"Quit1Click", "WelcometoQuillonPro1Click", "BitBtnReplaceAllClick"};
    int run = 0;
    std::vector<std::string> names;
    {
      QuietPlatform p;
      TForm1 w(singleProgramFolder(programDir), p.platform);
      for (const CommandInfo& info : w.commands().commands()) names.push_back(info.name);
    }
    QVERIFY(names.size() > 100);
    for (const std::string& name : names) {
      if (leaving.count(name)) continue;
      QuietPlatform p;
      TForm1 w(singleProgramFolder(programDir), p.platform);
      w.show();
      for (const char* file : {"a.html", "b.html", "c.html"}) w.openGivenFile(path(file));
      QCOMPARE(w.openPages().size(), size_t(3));
      // The window's text of each other page as opened (the 8-bit page is shown in UTF-8).
      std::map<std::string, std::string> before;
      for (const char* file : {"a.html", "c.html"}) before[path(file)] = textOf(w, path(file)).value_or("");
      QCOMPARE(before[path("a.html")], a);
      w.commands().trigger(cmd::NextPage1Click);
      w.commands().trigger(cmd::NextPage1Click);
      QCOMPARE(w.currentPage(), size_t(1));
      auto* editor = w.findChild<QsciScintilla*>("RE1");
      editor_bytes::select(*editor, 4, 6);  // a selection for the commands that wrap or replace it
      w.commands().trigger(name);
      QApplication::processEvents();
      for (const auto& [file, bytes] : before) {
        const std::optional<std::string> text = textOf(w, file);
        QVERIFY2(text, (name + " closed " + file).c_str());
        QVERIFY2(*text == bytes, (name + " changed " + file).c_str());
        QVERIFY2(!w.document().modified(), (name + " marked " + file + " modified").c_str());
      }
      ++run;
    }
    QVERIFY(run > 100);
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestPageTabs)
#include "tst_page_tabs.moc"
