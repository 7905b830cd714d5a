// The help window: its page list, its ends, a missing list or page said in words, the hint that goes once
// the user resizes the window.
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "builders/ui/help_on_top_form.h"
#include "support/scripted_platform.h"

namespace quillon {

class TestHelpOnTop : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;

  void write(const QString& name, const QByteArray& bytes) {
    QFile f(dir_.path() + "/" + name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  std::string helpDir() const { return (dir_.path() + "/").toStdString(); }

 private slots:
  void pagesEndsAndAMissingPage() {
    write("welcome.fil", "one.brn\r\ntwo.brn\r\ngone.brn\r\n");
    write("one.brn", "<HTML><BODY><B>First</B></BODY></HTML>");
    write("two.brn", "plain second page");
    testing::ScriptedPlatform prompts;
    TFormHelpOnTop window(prompts, {helpDir(), true, "two.brn"});
    QVERIFY(window.opened());
    auto* next = window.findChild<QPushButton*>("BitBtn1");
    auto* prev = window.findChild<QPushButton*>("BitBtn2");
    auto* viewer = window.findChild<QTextBrowser*>("REHelp");
    QCOMPARE(window.page(), size_t(1));
    QCOMPARE(viewer->toPlainText(), QString("plain second page"));
    prev->click();
    QCOMPARE(viewer->toPlainText(), QString("First"));
    QVERIFY(!prev->isEnabled());
    QVERIFY(next->isEnabled());
    next->click();
    next->click();  // the listed page is missing: said, and the window carries on
    QCOMPARE(prompts.lastSaid(), std::string("The help page gone.brn cannot be read."));
    QVERIFY(!next->isEnabled());
    QVERIFY(viewer->toPlainText().isEmpty());
    prev->click();
    QVERIFY(next->isEnabled());

    // Out of help mode the first page shows, whatever document is open.
    TFormHelpOnTop plain(prompts, {helpDir(), false, "two.brn"});
    QCOMPARE(plain.page(), size_t(0));
  }

  void hintGoesAtTheUsersResize() {
    write("welcome.fil", "one.brn\r\n");
    write("one.brn", "x");
    testing::ScriptedPlatform prompts;
    TFormHelpOnTop window(prompts, {helpDir(), false, ""});
    window.show();
    auto* hint = window.findChild<QLabel*>("LabelHint");
    QVERIFY(hint->isVisible());
    window.resize(600, 500);
    QTRY_VERIFY(!hint->isVisible());
    auto* viewer = window.findChild<QTextBrowser*>("REHelp");
    QCOMPARE(viewer->width(), window.width() - 15);
    QCOMPARE(viewer->height(), window.height() - 68);
  }

  void missingPageListIsSaidAndTheWindowCloses() {
    QTemporaryDir empty;
    testing::ScriptedPlatform prompts;
    TFormHelpOnTop window(prompts, {(empty.path() + "/").toStdString(), false, ""});
    QSignalSpy closed(&window, &TFormHelpOnTop::closed);
    QVERIFY(!window.opened());
    QTRY_COMPARE(closed.count(), 1);
    QVERIFY(prompts.saidError());
    QCOMPARE(prompts.lastSaid(), std::string("Unable to open the Help files. Have you deleted them?\rReinstall Quillon "
                                             "Pro to recreate the Help files."));
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestHelpOnTop)
#include "tst_help_on_top.moc"
