// The main window's panes, named controls, pane rules and start-up state, under the offscreen platform.
#include <Qsci/qsciscintilla.h>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/ui/command_registry.h"
#include "app/ui/mainwindow.h"
#include "editor/page_reading.h"
#include "editor/ui/editor_bytes.h"
#include "platform/ui/qt_platform.h"
#include "support/scripted_platform.h"

namespace quillon {

// The scripted platform (questions answered No) with the real clipboard; every modal dialog closes at once.
class RecordingPlatform : public testing::ScriptedPlatform, public ModalRunner, public PrintDialogs {
 public:
  RecordingPlatform() { fallback = Answer::No; }
  std::vector<std::string> dialogs;
  int runModal(QDialog& d, bool selfClosing) override {
    dialogs.push_back(d.objectName().toStdString());
    return selfClosing ? QDialog::Accepted : QDialog::Rejected;
  }
  bool choose(QPrinter&, const std::string&) override { return false; }
  QtClipboard systemClipboard;
  Platform platform{*this, *this, *this, systemClipboard, *this, *this};
};

class TestMainWindow : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  std::string programDir() const { return dir_.path().toStdString() + "/"; }
  template <typename T>
  static T* child(QWidget& w, const char* name) {
    auto* c = w.findChild<T*>(name);
    if (!c) qWarning("missing control %s", name);
    return c;
  }

 private slots:
  void panesAndNamedControls() {
    RecordingPlatform p;
    TForm1 w(singleProgramFolder(programDir()), p.platform);
    w.show();
    QCOMPARE(w.windowTitle(), QString("Brindle Quillon Pro"));
    QCOMPARE(w.size(), QSize(945, 650));
    auto* tags = child<QTabWidget>(w, "PageControl2");
    QStringList tagTabs;
    for (int i = 0; i < tags->count(); ++i) tagTabs << tags->tabText(i);
    QCOMPARE(tagTabs, QStringList({"Common", "Font", "List", "Table", "Frames", "Custom"}));
    QCOMPARE(tags->currentIndex(), 0);
    auto* left = child<QTabWidget>(w, "PageControl1");
    QCOMPARE(left->tabText(0), QString("Web Site"));
    QCOMPARE(left->tabText(1), QString("Files"));
    QCOMPARE(left->tabText(2), QString("Snips"));
    QCOMPARE(left->currentIndex(), 0);
    auto* snips = child<QTabWidget>(w, "PageControlSnips");
    QCOMPARE(snips->tabText(0), QString("URL Manager"));
    QCOMPARE(snips->tabText(1), QString("Misc Text"));
    for (const char* name : {"PanelOutline",    "TabSheet1",        "Outline1",        "TabSheet2",
                             "ListBox2",        "TabSheet7",        "PanelHTMLWindow", "OleContainer1",
                             "PanelE",          "PanelIE",          "StatusBar1",      "ListBoxURL",
                             "ListBoxMisc",     "ComboCustom",      "CheckWrap",       "CheckBoxColoredTags",
                             "BitBtnColorNow",  "BitBtnStopColors", "BitBtnSaveHTML",  "BitBtnDelete",
                             "Button1",         "BitBtnAddChild",   "ButtonMove",      "BitBtnInsertLinkImage",
                             "LabelBrowserMode"})
      QVERIFY2(w.findChild<QWidget*>(name), name);
    for (const char* hidden : {"ListBox1", "Memo1", "ListBoxChanged", "ListBoxFTPImages", "PanelMSIE"})
      QVERIFY2(child<QWidget>(w, hidden)->isHidden(), hidden);
    // Shown, the browser's control panel sits below the editing pane's button row, never over it.
    auto* controls = child<QWidget>(w, "PanelMSIE");
    controls->show();
    QApplication::processEvents();
    const QWidget* buttonRow = child<QWidget>(w, "PanelHTMLControls");
    QVERIFY(controls->height() > 0);
    QVERIFY(!controls->geometry().intersects(buttonRow->geometry()));
    QVERIFY(controls->geometry().top() >= buttonRow->geometry().bottom());
    controls->hide();
    QVERIFY(w.findChild<QsciScintilla*>("RE1"));
    QCOMPARE(child<QFrame>(w, "PanelSplitter")->width(), 5);
    QCOMPARE(w.leftPaneWidth(), 200);
    // The three panels the program always had, then how the page is read at the right.
    const auto panels = child<QStatusBar>(w, "StatusBar1")->findChildren<QLabel*>();
    QCOMPARE(panels.size(), 4);
    QCOMPARE(panels[3]->objectName(), QString("StatusEncoding"));
    QCOMPARE(panels[3]->text(), QString("UTF-8, no line end"));  // the new, empty page
    // The panels keep their usual widths at least and share what the window has beyond them.
    QVERIFY(panels[0]->width() >= 95);
    QVERIFY(panels[1]->width() >= 275);
    QVERIFY(panels[1]->width() > 2 * panels[0]->width());
    QCOMPARE(panels[2]->text(), QString::fromStdString("Open HTML File:  " + programDir() + "new.html"));
    QCOMPARE(child<QComboBox>(w, "FilterComboBox1")->count(), 4);
  }

  void startUpOrderAndMessages() {
    RecordingPlatform p;
    TForm1 w(singleProgramFolder(programDir()), p.platform);
    QCOMPARE(p.dialogs.front(), std::string("TFormSplash"));
    // The browser module is not beside the test executable: the start-up says so and goes on.
    QCOMPARE(w.browserAvailable(), false);
    QCOMPARE(p.said.size(), size_t(1));
    QVERIFY(p.said[0].text.rfind("You do not appear to have Microsoft Internet Explorer 3.0 (or higher) installed.",
                                 0) == 0);
    // The tip of the day runs once the event loop starts, not inside the constructor.
    QCOMPARE(p.dialogs.size(), size_t(1));
    QTRY_COMPARE(p.dialogs.size(), size_t(2));
    QCOMPARE(p.dialogs[1], std::string("TTipsForm"));
    QStringList recent;
    for (QAction* a : w.menuBar()->actions().first()->menu()->actions())
      if (QRegularExpression("^Reopen\\d+$").match(a->objectName()).hasMatch()) recent << a->text();
    QCOMPARE(recent, QStringList({"1: ", "2: ", "3: ", "4: "}));
    QVERIFY(QDir(dir_.path() + "/projects").exists());
    QVERIFY(QDir(dir_.path() + "/backup").exists());
  }

  void splitterAndResizeRules() {
    RecordingPlatform p;
    TForm1 w(singleProgramFolder(programDir()), p.platform);
    w.show();
    w.dragSplitterTo(300);
    QCOMPARE(w.leftPaneWidth(), 295);
    w.dragSplitterTo(150);  // too far left: the pane keeps its last width
    QCOMPARE(w.leftPaneWidth(), 295);
    w.dragSplitterTo(204);
    QCOMPARE(w.leftPaneWidth(), 199);
    w.dragSplitterTo(940);
    w.endSplitterDrag();
    QCOMPARE(w.leftPaneWidth(), w.width() * 95 / 100);
    w.dragSplitterTo(400);
    w.endSplitterDrag();
    w.resize(300, 650);
    QTRY_VERIFY(w.leftPaneWidth() <= w.width() * 95 / 100);
  }

  void editTabShowsTheEditorInItsColours() {
    RecordingPlatform p;
    TForm1 w(singleProgramFolder(programDir()), p.platform);
    w.show();
    auto* e = child<QLabel>(w, "PanelE");
    QTest::mouseClick(e, Qt::LeftButton);
    QVERIFY(e->styleSheet().contains("#00FF00"));
    QVERIFY(child<QLabel>(w, "PanelIE")->styleSheet().contains("#808080"));
    QVERIFY(!w.browserShown());
    QVERIFY(w.findChild<QsciScintilla*>("RE1")->isVisible());
  }

  // Every command of the table has its handler; one that is switched off is off in menu and toolbar alike.
  void everyCommandWorksAndADisabledOneIsDisabledEverywhere() {
    RecordingPlatform p;
    TForm1 w(singleProgramFolder(programDir()), p.platform);
    for (const CommandInfo& info : w.commands().commands()) QVERIFY2(w.commands().works(info.name), info.name.c_str());
    w.commands().setEnabled(cmd::SaveHTMLFile1Click, false);
    QVERIFY(!w.commands().enabled("SaveHTMLFile1Click"));
    QVERIFY(!child<QToolButton>(w, "BitBtnSaveHTML")->isEnabled());
    QVERIFY(!w.commands().trigger("SaveHTMLFile1Click"));
    w.commands().setEnabled(cmd::SaveHTMLFile1Click, true);
    QVERIFY(child<QToolButton>(w, "BitBtnSaveHTML")->isEnabled());
    QVERIFY(!w.commands().exists("NoSuchCommandClick"));
  }

  void aClickStopsALongColouringPass() {
    std::string lines, oneLine;
    for (int i = 0; i < 400000; ++i) lines += "<td>cell</td>\r\n";
    for (int i = 0; i < 400000; ++i) oneLine += "<td>cell</td>";  // stopped inside the line
    for (const std::string* text : {&lines, &oneLine}) {
      RecordingPlatform p;
      TForm1 w(singleProgramFolder(programDir()), p.platform);
      w.show();
      auto* editor = w.findChild<QsciScintilla*>("RE1");
      const std::string path = programDir() + "long.html";
      QFile f(QString::fromStdString(path));
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write(text->data(), static_cast<qint64>(text->size()));
      f.close();
      QVERIFY(editor_bytes::loadFile(*editor, path) == editor_bytes::LoadOutcome::Loaded);
      editor_bytes::select(*editor, 100, 5);
      // The click comes once the pass has coloured something, however busy the machine.
      QTimer clicker;
      clicker.setInterval(1);
      QObject::connect(&clicker, &QTimer::timeout, editor, [&] {
        if (editor->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, 0UL) == 0) return;
        clicker.stop();
        QTest::mouseClick(editor->viewport(), Qt::LeftButton);
      });
      clicker.start();
      w.ColorTags();
      // Stopped part way: the end is still uncoloured, the caret is back at 0, wrap is back on.
      const long last = static_cast<long>(text->size()) - 10;
      QCOMPARE(editor->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(last)), 0L);
      QVERIFY(editor->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, 0UL) != 0);
      QCOMPARE(editor_bytes::selectionStart(*editor), 0L);
      QCOMPARE(editor_bytes::selectionLength(*editor), 0L);
      QCOMPARE(editor->SendScintilla(QsciScintillaBase::SCI_GETWRAPMODE), long(QsciScintillaBase::SC_WRAP_WORD));
    }
  }

  // Each shortcut pressed in the editing window reaches its own command: neither a menu's access key nor
  // the editor's key map may swallow it.
  void everyShortcutOfTheTableRunsItsCommand() {
    RecordingPlatform p;
    TForm1 w(singleProgramFolder(programDir()), p.platform);
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto* editor = w.findChild<QsciScintilla*>("RE1");
    editor->setFocus();
    std::string ran;
    int checked = 0;
    for (const CommandInfo& info : w.commands().commands()) {
      if (info.shortcut.empty()) continue;
      w.commands().setHandler(CommandName{info.name.c_str()}, [&ran, name = info.name] { ran = name; });
      ran.clear();
      const QKeySequence chord(QString::fromStdString(info.shortcut));
      QTest::keySequence(editor, chord);
      QCOMPARE(QString::fromStdString(ran), QString::fromStdString(info.name));
      ++checked;
    }
    QVERIFY(checked > 30);
  }

  void onlyChangesToTheTextMarkTheDocumentModified() {
    RecordingPlatform p;
    TForm1 w(singleProgramFolder(programDir()), p.platform);
    w.show();
    auto* editor = w.findChild<QsciScintilla*>("RE1");
    QVERIFY(!w.document().modified());
    QTest::mouseClick(editor->viewport(), Qt::LeftButton);
    QTest::keyClick(editor, Qt::Key_Left);
    QTest::keyClick(editor, Qt::Key_End);
    w.commands().trigger("Copy1Click");
    w.commands().trigger("Cut1Click");  // nothing selected: nothing cut
    QVERIFY(!w.document().modified());
    QTest::keyClicks(editor, "ab");
    QVERIFY(w.document().modified());
    w.commands().trigger("BitBtnUndoClick");  // undo collects the typed run as one step
    QVERIFY(!w.document().modified());        // back at the saved state
    p.systemClipboard.setText("<B>");
    w.commands().trigger("Paste1Click");
    QVERIFY(w.document().modified());
  }

  // An Alt chord that runs nothing (no command, or its command disabled) types nothing into the page.
  void altChordsNeverType() {
    RecordingPlatform p;
    TForm1 w(singleProgramFolder(programDir()), p.platform);
    w.show();
    auto* editor = w.findChild<QsciScintilla*>("RE1");
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_Q, Qt::AltModifier);
    QTest::keyClick(editor, Qt::Key_S, Qt::AltModifier | Qt::ShiftModifier);
    QCOMPARE(editor_bytes::length(*editor), 0L);
    QVERIFY(!w.document().modified());
    QTest::keyClicks(editor, "q");
    QCOMPARE(std::string(editor_bytes::text(*editor)), std::string("q"));
  }

  // "quillon FILE", as the desktop's Open With starts it: a name relative to the current folder is opened
  // byte for byte; a name that is not a readable file leaves the document as it was, with the message.
  void aFileNamedAtStartIsOpened() {
    RecordingPlatform p;
    TForm1 w(singleProgramFolder(programDir()), p.platform);
    w.show();
    QFile page(dir_.path() + "/page.html");
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<p>caf\xe9</p>\r\n");
    page.close();
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    w.openGivenFile("page.html");
    QCOMPARE(w.document().state().path, programDir() + "page.html");
    // The page's bytes, as the window holds them for the set they are read in.
    QCOMPARE(pageBytesOf(editor_bytes::text(*w.findChild<QsciScintilla*>("RE1")), w.pageReading()),
             std::string("<p>caf\xe9</p>\r\n"));
    QVERIFY(!w.document().modified());
    const size_t said = p.said.size();
    w.openGivenFile("no-such-page.html");
    QDir::setCurrent(before);
    QCOMPARE(w.document().state().path, programDir() + "page.html");
    QCOMPARE(p.said.size(), said + 1);
  }

  // The Files tab's menu offers the analysis for a page only: an image or another file has it disabled.
  void analyzeWebPageIsOfferedForPagesOnly() {
    QTemporaryDir programDir;
    const QString files = programDir.path() + "/files/";
    QDir().mkpath(files);
    for (const char* name : {"pic.gif", "page.htm"}) {
      QFile file(files + name);
      QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QFile options(programDir.path() + "/DEFAULT.INI");
    QVERIFY(options.open(QIODevice::WriteOnly));
    options.write(("[Files]\r\nLocation=" + files + "\r\n").toUtf8());
    options.close();
    RecordingPlatform p;
    TForm1 w(singleProgramFolder(programDir.path().toStdString() + "/"), p.platform);
    w.show();
    auto* filter = child<QComboBox>(w, "FilterComboBox1");
    filter->setCurrentIndex(filter->findData("*.*"));
    child<QTabWidget>(w, "PageControl1")->setCurrentIndex(1);
    auto* list = child<QListWidget>(w, "ListBox2");
    const auto analyzeEnabledFor = [&](const QString& name) {
      const auto found = list->findItems(name, Qt::MatchExactly);
      if (found.isEmpty()) return -1;
      list->setCurrentItem(found.front());
      emit list->customContextMenuRequested(QPoint(1, 1));
      for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* menu = qobject_cast<QMenu*>(top);
            menu && menu->objectName() == "PopupMenuFiles" && menu->isVisible()) {
          int enabled = -2;
          for (QAction* action : menu->actions())
            if (action->text() == "Analyze Web Page") enabled = action->isEnabled() ? 1 : 0;
          menu->close();
          return enabled;
        }
      return -3;
    };
    QCOMPARE(analyzeEnabledFor("pic.gif"), 0);
    QCOMPARE(analyzeEnabledFor("page.htm"), 1);
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestMainWindow)
#include "tst_mainwindow.moc"
