// The analysis dialog's stop button ends a site run between pages, and a long page scan asks for it.
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "platform/ui/platform.h"
#include "project/page_scans.h"
#include "project/ui/load_size_form.h"
#include "support/scripted_desk.h"

namespace quillon {

class TestLoadSize : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;

  using Desk = testing::ScriptedDesk;

 private slots:
  void stopEndsASiteRun() {
    const std::string page = (dir_.path() + "/big.htm").toStdString();
    {
      std::ofstream out(page, std::ios::binary);
      for (int i = 0; i < 20000; ++i) out << "<p><img src=\"a" << i % 50 << ".gif\"> words words words</p>\r\n";
    }
    std::vector<Page> pages;
    for (int i = 0; i < 3000; ++i) pages.push_back({"P" + std::to_string(i), page, 1, false});
    Desk desk;
    TFormLoadSize dialog(desk.platform, {(dir_.path() + "/").toStdString(), "", PageTree(pages), 0, "", ""});
    auto* stop = dialog.findChild<QPushButton*>("ButtonStop1");
    QTimer::singleShot(0, stop, &QPushButton::click);
    dialog.findChild<QPushButton*>("ButtonAnalyzeSite1")->click();
    const int rows = dialog.findChild<QTableWidget*>("GridSummary")->rowCount();
    QVERIFY(rows < 3000);
  }

  void aPageStoppedPartWayLeavesNoRow() {
    // One page of a single 48 MB line: the stop lands inside its scan, and its partial figures are not shown.
    const std::string page = (dir_.path() + "/one-line.htm").toStdString();
    {
      std::ofstream out(page, std::ios::binary);
      const std::string tags = "<img src=\"a.gif\"><a href=\"b.htm\">b</a>";
      for (int i = 0; i < 1200000; ++i) out << tags;
    }
    Desk desk;
    TFormLoadSize dialog(desk.platform,
                         {(dir_.path() + "/").toStdString(), "", PageTree({{"One", page, 1, false}}), 0, "", ""});
    auto* stop = dialog.findChild<QPushButton*>("ButtonStop1");
    QTimer::singleShot(30, stop, &QPushButton::click);
    dialog.findChild<QPushButton*>("ButtonAnalyzeSite1")->click();
    QCOMPARE(dialog.findChild<QTableWidget*>("GridSummary")->rowCount(), 0);
  }

  void aLongScanAsksToStop() {
    std::string line;
    for (int i = 0; i < 200000; ++i) line += "<a href=\"x.htm\">x</a>";
    int asked = 0;
    const auto links = scanLinks(line, [&asked] { return ++asked >= 2; });
    QCOMPARE(asked, 2);
    QVERIFY(links.size() < 200000);
    QVERIFY(!links.empty());
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestLoadSize)
#include "tst_load_size.moc"
