// The project builder's Indent and Unindent on many marked rows: every marked row moves, the marks stay as
// one run, and rows that are not marked keep their place.
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "platform/ui/platform.h"
#include "project/ui/project_builder_form.h"
#include "support/scripted_desk.h"

namespace quillon {

class TestProjectBuilder : public QObject {
  Q_OBJECT

  using Desk = testing::ScriptedDesk;

 private slots:
  void indentAndUnindentManyMarkedRows() {
    Desk desk;
    TFormProjectBuilder dialog(desk.platform, {"/tmp/", "/tmp/"});
    auto* tabs = dialog.findChild<QTabWidget*>("PageControl");
    QStringList names;
    for (int i = 0; i < 20000; ++i) names << QString("Page %1").arg(i);
    tabs->setCurrentIndex(3);
    dialog.findChild<QPlainTextEdit*>("MemoNames")->setPlainText(names.join('\n'));
    tabs->setCurrentIndex(4);
    auto* list = dialog.findChild<QListWidget*>("ListBoxHierarchy");
    QCOMPARE(list->count(), 20000);
    // Rows 1 to 19999 marked; the first page stays at the top level.
    list->selectionModel()->select(QItemSelection(list->model()->index(1, 0), list->model()->index(19999, 0)),
                                   QItemSelectionModel::ClearAndSelect);
    dialog.findChild<QPushButton*>("ButtonIndent")->click();
    QCOMPARE(list->item(0)->text(), QString("Page 0"));
    QCOMPARE(list->item(1)->text(), QString("     Page 1"));
    QCOMPARE(list->item(19999)->text(), QString("     Page 19999"));
    QCOMPARE(list->selectionModel()->selection().size(), 1);  // one run of marks, not one per row
    QCOMPARE(list->selectionModel()->selectedRows().size(), 19999);
    dialog.findChild<QPushButton*>("ButtonIndent")->click();
    QCOMPARE(list->item(5000)->text(), QString("          Page 5000"));
    dialog.findChild<QPushButton*>("ButtonUnindent")->click();
    dialog.findChild<QPushButton*>("ButtonUnindent")->click();
    dialog.findChild<QPushButton*>("ButtonUnindent")->click();  // nothing left to take away
    QCOMPARE(list->item(5000)->text(), QString("Page 5000"));
    QCOMPARE(list->selectionModel()->selectedRows().size(), 19999);
    QVERIFY(!list->item(0)->isSelected());
  }

  void theNameBoxPromptsWithoutHoldingThePrompt() {
    Desk desk;
    TFormProjectBuilder dialog(desk.platform, {"/tmp/", "/tmp/"});
    auto* name = dialog.findChild<QLineEdit*>("EditProjectName");
    QCOMPARE(name->placeholderText(), QString("Enter Project Name Here"));
    QTest::keyClicks(name, "Site");
    QCOMPARE(name->text(), QString("Site"));
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestProjectBuilder)
#include "tst_project_builder.moc"
