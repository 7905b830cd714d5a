// Every dialog works from the keyboard alone: Tab and Shift+Tab reach each enabled control of every page,
// no control keeps Tab for itself, and the control with the focus looks different from itself without it.
#include <Qsci/qsciscintilla.h>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/ui/command_registry.h"
#include "app/ui/mainwindow.h"
#include "app/ui/window_factory.h"
#include "support/quiet_start.h"
#include "support/window_desk.h"

namespace quillon {

class TestKeyboardReach : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;

  static bool insideAnother(QWidget* w, QWidget* window) {
    for (QWidget* up = w->parentWidget(); up && up != window; up = up->parentWidget())
      if (qobject_cast<QComboBox*>(up) || qobject_cast<QAbstractSpinBox*>(up) || qobject_cast<QAbstractItemView*>(up) ||
          qobject_cast<QsciScintillaBase*>(up))
        return true;
    return false;
  }

  // The controls Tab should stop at on the page now shown.
  static QList<QWidget*> reachable(QWidget& window) {
    QList<QWidget*> controls;
    for (QWidget* w : window.findChildren<QWidget*>()) {
      if (!w->isVisibleTo(&window) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus) || w->focusProxy() ||
          w->objectName().startsWith("qt_") || insideAnother(w, &window))
        continue;
      controls << w;
    }
    return controls;
  }

  static QString label(QWidget& window, QWidget* w) {
    return window.objectName() + "/" + (w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName());
  }

  // Radio buttons of one set are one stop: Tab enters the set, the arrow keys choose within it.
  static bool reached(QWidget* w, const QSet<QWidget*>& seen) {
    if (seen.contains(w)) return true;
    if (qobject_cast<QRadioButton*>(w))
      for (QWidget* other : seen)
        if (qobject_cast<QRadioButton*>(other) && other->parentWidget() == w->parentWidget()) return true;
    return false;
  }

  // Walks the page with Tab and back with Shift+Tab; records traps, controls never reached, and controls
  // that look the same with the focus as without it.
  static int walk(QWidget& window, QStringList& problems) {
    const QList<QWidget*> controls = reachable(window);
    if (controls.isEmpty()) return 0;
    int looked = 0;
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
      QSet<QWidget*> seen;
      QWidget* before = QApplication::focusWidget();
      QImage beforeFocused;
      for (int i = 0; i < 2 * controls.size() + 4; ++i) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
        QTest::keyClick(target, key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        QWidget* now = QApplication::focusWidget();
        if (!now) continue;
        if (now == before && controls.size() > 1) {
          problems << "Tab stays in " + label(window, now);
          break;
        }
        if (key == Qt::Key_Tab && before && !beforeFocused.isNull() && !seen.contains(now)) {
          ++looked;
          if (before->grab().toImage() == beforeFocused) problems << "no visible focus on " + label(window, before);
        }
        before = now;
        beforeFocused = now->grab().toImage();
        seen << now;
      }
      for (QWidget* w : controls)
        if (!reached(w, seen))
          problems << QString(key == Qt::Key_Tab ? "Tab" : "Shift+Tab") + " never reaches " + label(window, w);
    }
    return looked;
  }

 private slots:
  // The editing window keeps Tab (it types one); F6 and Shift+F6 leave it for the site pane and come back,
  // each pane getting back the control it last had.
  void f6MovesBetweenTheMainWindowsPanes() {
    testing::WindowDesk desk;
    const ProgramFolders folders = singleProgramFolder(dir_.path().toStdString());
    TForm1 w(folders, desk.platform);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto* editor = w.findChild<QsciScintilla*>("RE1");
    auto* sitePane = w.findChild<QWidget*>("PanelOutline");
    QVERIFY(editor && sitePane);
    editor->setFocus();
    QTRY_VERIFY(editor->hasFocus());
    QTest::keyClick(editor, Qt::Key_F6);
    QWidget* inSite = QApplication::focusWidget();
    QVERIFY(inSite && sitePane->isAncestorOf(inSite));
    QTest::keyClick(inSite, Qt::Key_Tab);
    QWidget* nextInSite = QApplication::focusWidget();
    QVERIFY(nextInSite != inSite && sitePane->isAncestorOf(nextInSite));
    QTest::keyClick(nextInSite, Qt::Key_F6);
    QCOMPARE(QApplication::focusWidget(), editor);
    QTest::keyClick(editor, Qt::Key_F6, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), nextInSite);
  }

  // Find and Replace take the keyboard when asked for, also when they are open already behind the main
  // window: what is typed next goes into the text to find, never into the page.
  void findAndReplaceTakeTheKeyboard() {
    testing::WindowDesk desk;
    const ProgramFolders folders = singleProgramFolder(dir_.path().toStdString());
    TForm1 w(folders, desk.platform);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    for (const char* command : {"BitBtnFindClick", "Replace1Click"}) {
      for (int time = 0; time < 2; ++time) {
        QApplication::setActiveWindow(&w);
        w.findChild<QsciScintilla*>("RE1")->setFocus();
        QTRY_VERIFY(w.isActiveWindow());
        QVERIFY(w.commands().trigger(command));
        QWidget* dialog = QApplication::activeWindow();
        QTRY_VERIFY2((dialog = QApplication::activeWindow()) && dialog != &w, command);
        QWidget* focus = QApplication::focusWidget();
        QVERIFY2(focus && focus->objectName() == "EditFind" && dialog->isAncestorOf(focus), command);
      }
    }
  }

  // Return in a field of Settings applies them, as Return does in the other dialogs.
  void returnAppliesTheSettings() {
    testing::WindowDesk desk;
    const ProgramFolders folders = singleProgramFolder(dir_.path().toStdString());
    TForm1 main(folders, desk.platform);
    const std::unique_ptr<QWidget> dialog = createWindow("TFormOptions", folders, desk.platform);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    auto* field = dialog->findChild<QLineEdit*>("EditNet");
    QVERIFY(field);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);
    QTRY_VERIFY(!dialog->isVisible());
    QCOMPARE(static_cast<QDialog*>(dialog.get())->result(), static_cast<int>(QDialog::Accepted));
  }

  void everyDialogWorksFromTheKeyboard() {
    QVERIFY(testing::writeQuietStart(dir_.path()));
    testing::WindowDesk desk;
    const ProgramFolders folders = singleProgramFolder(dir_.path().toStdString());
    // The main window sets up what every window of the program shares (names, focus rings).
    TForm1 main(folders, desk.platform);
    QStringList problems;
    int controlsSeen = 0;
    for (const std::string& name : windowClasses()) {
      const std::unique_ptr<QWidget> dialog = createWindow(name, folders, desk.platform);
      dialog->show();
      dialog->activateWindow();
      // A window with nothing to show (help without its files) closes itself as soon as it is up.
      if (!QTest::qWaitForWindowActive(dialog.get()) && !dialog->isVisible()) continue;
      QVERIFY2(dialog->isActiveWindow(), name.c_str());
      // Each page of each set of pages, as a user would show it with Ctrl+Tab.
      controlsSeen += walk(*dialog, problems);
      for (QTabWidget* pages : dialog->findChildren<QTabWidget*>())
        for (int page = 1; page < pages->count(); ++page)
          if (pages->isVisibleTo(dialog.get()) && pages->isTabEnabled(page)) {
            pages->setCurrentIndex(page);
            controlsSeen += walk(*dialog, problems);
          }
    }
    QVERIFY(controlsSeen > 100);
    for (const QString& problem : problems) qWarning("%s", qPrintable(problem));
    QVERIFY2(problems.isEmpty(), qPrintable(QString::number(problems.size()) + " problems"));
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestKeyboardReach)
#include "tst_keyboard_reach.moc"
