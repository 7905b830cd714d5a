// The list builder grows with its entry lines: the list type box and the buttons keep their room.
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "builders/ui/list_form.h"
#include "support/scripted_platform.h"

namespace quillon {

class TestListForm : public QObject {
  Q_OBJECT

 private slots:
  void entryLinesNeverSquashTheRest() {
    testing::ScriptedPlatform desk;
    TFormList dialog(desk);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.findChild<QSpinBox*>("SpinEdit1")->setValue(10);
    auto* type = dialog.findChild<QGroupBox*>("GroupBoxType");
    QTRY_VERIFY_WITH_TIMEOUT(type->height() >= type->minimumSizeHint().height(), 1000);
    QVERIFY2(type->height() >= type->minimumSizeHint().height(),
             qPrintable(QString("%1 < %2, dialog %3 of min %4")
                            .arg(type->height())
                            .arg(type->minimumSizeHint().height())
                            .arg(dialog.height())
                            .arg(dialog.minimumSizeHint().height())));
    for (const char* name : {"Button1", "Button2"}) {
      auto* button = dialog.findChild<QPushButton*>(name);
      QVERIFY2(button->isVisible() && button->height() >= button->minimumSizeHint().height(), name);
      QVERIFY2(dialog.rect().contains(button->geometry()), name);
    }
    auto* last = dialog.findChild<QLineEdit*>("Edit10");
    QVERIFY(last->isVisible());
    QVERIFY(last->height() >= last->minimumSizeHint().height());
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestListForm)
#include "tst_list_form.moc"
