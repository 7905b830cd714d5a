// The FTP screen's transfer buttons stay where they are when the "connected" line appears.
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "platform/ui/platform.h"
#include "publish/auto_ftp_list.h"
#include "publish/ui/ftp_form.h"
#include "support/scripted_desk.h"

namespace quillon {

class TestFtpForm : public QObject {
  Q_OBJECT

  using Desk = testing::ScriptedDesk;

 private slots:
  void theConnectedLineMovesNothing() {
    QTemporaryDir dir;
    const std::string programDir = dir.path().toStdString() + "/";
    Desk desk;
    AutoFtpList list;
    TFormFTP dialog(desk.platform, {programDir, programDir}, list);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* label = dialog.findChild<QLabel*>("LabelDisconnect");
    QVERIFY(label && label->isHidden());
    // Shown on the transfer tab, where the label lives.
    for (QWidget* w = label->parentWidget(); w && w != &dialog; w = w->parentWidget()) w->show();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    std::vector<QPoint> before;
    const char* names[] = {"ButtonDisconnect", "BitBtn1", "ButtonTransfer"};
    for (const char* name : names) before.push_back(dialog.findChild<QPushButton*>(name)->mapTo(&dialog, QPoint(0, 0)));
    label->show();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    for (size_t i = 0; i < before.size(); ++i)
      QCOMPARE(dialog.findChild<QPushButton*>(names[i])->mapTo(&dialog, QPoint(0, 0)), before[i]);
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestFtpForm)
#include "tst_ftp_form.moc"
