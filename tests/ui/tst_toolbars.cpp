// The two toolbars at the window's default and smallest sizes: every button shows an icon, and no button
// is cut off or lies over another.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/ui/mainwindow.h"
#include "platform/ui/qt_platform.h"
#include "support/scripted_platform.h"

namespace quillon {

class TestToolbars : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;

  struct Desk : testing::ScriptedPlatform, ModalRunner, PrintDialogs {
    Desk() { fallback = Answer::No; }
    int runModal(QDialog&, bool selfClosing) override { return selfClosing ? QDialog::Accepted : QDialog::Rejected; }
    bool choose(QPrinter&, const std::string&) override { return false; }
    QtClipboard clipboard;
    Platform platform{*this, *this, *this, clipboard, *this, *this};
  };

  void checkRows(QWidget& window) {
    const QRect visible = window.rect();
    int buttons = 0;
    for (QWidget* row : window.findChildren<QWidget*>("ToolbarRow")) {
      std::vector<QRect> taken;
      for (QToolButton* b : row->findChildren<QToolButton*>()) {
        if (!b->isVisible()) continue;
        ++buttons;
        QVERIFY2(!b->icon().isNull(), qPrintable(b->objectName()));
        const QRect r(b->mapTo(&window, QPoint(0, 0)), b->size());
        QVERIFY2(visible.contains(r), qPrintable(b->objectName() + " is cut off"));
        QVERIFY2(r.width() >= b->sizeHint().width(), qPrintable(b->objectName() + " is squeezed"));
        for (const QRect& other : taken) QVERIFY2(!other.intersects(r), qPrintable(b->objectName() + " overlaps"));
        taken.push_back(r);
      }
    }
    QVERIFY(buttons >= 20);
  }

 private slots:
  void initTestCase() {
    // The shipped fallback icons, as an installed program directory holds them.
    const QDir icons(QCoreApplication::applicationDirPath() + "/../bin/icons");
    QVERIFY(QDir().mkpath(dir_.path() + "/icons"));
    for (const QString& name : icons.entryList({"*.png"})) QFile::copy(icons.filePath(name), dir_.path() + "/icons/" + name);
    QFile options(dir_.path() + "/OPTIONS.INI");
    QVERIFY(options.open(QIODevice::WriteOnly));
    options.write("[Help]\r\nShowTips=0\r\n");
  }

  void defaultAndSmallestSizes() {
    Desk desk;
    TForm1 w(singleProgramFolder(dir_.path().toStdString()), desk.platform);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    checkRows(w);
    w.resize(w.minimumSizeHint().expandedTo(w.minimumSize()));
    QTest::qWait(50);
    checkRows(w);
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestToolbars)
#include "tst_toolbars.moc"
