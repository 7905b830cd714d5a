// Every dialog class the automation driver can list is made by its name and carries that name.
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include "app/ui/window_factory.h"
#include "platform/ui/qt_platform.h"

namespace quillon {

class TestWindowFactory : public QObject {
  Q_OBJECT

 private slots:
  void everyListedClassIsMadeUnderItsOwnName() {
    QTemporaryDir dir;
    QtPlatform platform;
    const std::vector<std::string> classes = windowClasses();
    QVERIFY(classes.size() >= 12);
    for (const std::string& name : classes) {
      const std::unique_ptr<QWidget> window =
          createWindow(name, singleProgramFolder(dir.path().toStdString()), platform.platform());
      QVERIFY2(window, name.c_str());
      QCOMPARE(window->objectName().toStdString(), name);
    }
    QVERIFY(!createWindow("TFormNoSuchDialog", singleProgramFolder(dir.path().toStdString()), platform.platform()));
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestWindowFactory)
#include "tst_window_factory.moc"
