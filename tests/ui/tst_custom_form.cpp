// The custom tag dialog's fields complete the tags as they are typed.
#include <QLineEdit>
#include <QTest>

#include "editor/ui/custom_form.h"
#include "support/scripted_platform.h"

namespace quillon {

class TestCustomForm : public QObject {
  Q_OBJECT

 private slots:
  void typingCompletesTheTags() {
    testing::ScriptedPlatform prompts;
    TFormCustom dialog(TFormCustom::Mode::Add, prompts);
    dialog.show();
    auto* start = dialog.findChild<QLineEdit*>("EditStart");
    auto* end = dialog.findChild<QLineEdit*>("EditEnd");
    start->clear();
    QTest::keyClicks(start, "B");
    QCOMPARE(start->text(), QString("<B>"));
    QCOMPARE(start->cursorPosition(), 2);
    QCOMPARE(end->text(), QString("</B>"));
    QTest::keyClicks(start, " X=1");  // typed before the ">"
    QCOMPARE(start->text(), QString("<B X=1>"));
    QCOMPARE(end->text(), QString("</B X=1>"));
    end->setText("I");
    end->setFocus();
    QTest::keyClick(end, Qt::Key_End);
    QCOMPARE(end->text(), QString("</I>"));
    end->clear();
    QTest::keyClick(end, Qt::Key_Delete);  // a cleared end tag stays empty
    QCOMPARE(end->text(), QString());
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestCustomForm)
#include "tst_custom_form.moc"
