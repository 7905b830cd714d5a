// The two toolbars and the tag panel's pages at the window's default and smallest sizes, at the scale the
// test runs in (QT_SCALE_FACTOR): every button shows an icon drawn for the screen's pixels, no button is cut
// off, squeezed or lies over another, and a button the tag panel has no room for is offered, enabled as it
// is, in the page's "»" menu.
#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/ui/mainwindow.h"
#include "platform/ui/overflow_row.h"
#include "platform/ui/qt_platform.h"
#include "support/window_desk.h"

namespace quillon {

class TestToolbars : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;

  using Desk = testing::WindowDesk;

  // The icon comes in the screen's own pixels, not a smaller picture stretched to fit.
  static bool drawnSharp(QToolButton& b) {
    const qreal scale = b.devicePixelRatioF();
    const QPixmap drawn = b.icon().pixmap(b.iconSize(), scale);
    return drawn.size() == b.iconSize() * scale;
  }

  void checkRows(QWidget& window) {
    const QRect visible = window.rect();
    int buttons = 0;
    for (QWidget* row : window.findChildren<QWidget*>("ToolbarRow")) {
      std::vector<QRect> taken;
      for (QToolButton* b : row->findChildren<QToolButton*>()) {
        if (!b->isVisible()) continue;
        ++buttons;
        QVERIFY2(!b->icon().isNull(), qPrintable(b->objectName()));
        QVERIFY2(drawnSharp(*b), qPrintable(b->objectName() + "'s icon is stretched"));
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
    for (const QString& name : icons.entryList({"*.png", "*.svg"}))
      QFile::copy(icons.filePath(name), dir_.path() + "/icons/" + name);
    QFile options(dir_.path() + "/OPTIONS.INI");
    QVERIFY(options.open(QIODevice::WriteOnly));
    options.write("[Help]\r\nShowTips=0\r\n");
  }

  // What a row shows fits whole; what it does not is in its menu, in order, enabled and checked as it is.
  void checkOverflowRow(QWidget& window, OverflowRow* row) {
    QVERIFY(row);
    const QRect visible = window.rect();
    {
      std::vector<QRect> taken;
      const QRect rowArea(row->mapTo(&window, QPoint(0, 0)), row->size());
      for (QWidget* w : row->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isHidden()) continue;
        const QRect r(w->mapTo(&window, QPoint(0, 0)), w->size());
        QVERIFY2(visible.contains(r) && rowArea.contains(r), qPrintable(w->objectName() + " is cut off"));
        QVERIFY2(r.width() >= w->sizeHint().width(), qPrintable(w->objectName() + " is squeezed"));
        for (const QRect& other : taken) QVERIFY2(!other.intersects(r), qPrintable(w->objectName() + " overlaps"));
        taken.push_back(r);
        if (auto* b = qobject_cast<QToolButton*>(w);
            b && b != row->moreButton() && b->objectName() != "BitBtnStopColors") {
          QVERIFY2(!b->icon().isNull(), qPrintable(b->objectName()));
          QVERIFY2(drawnSharp(*b), qPrintable(b->objectName() + "'s icon is stretched"));
        }
      }
      const auto hidden = row->hiddenControls();
      QCOMPARE(row->moreButton()->isVisible(), !hidden.empty());
      emit row->moreButton()->menu()->aboutToShow();
      const auto offered = row->moreButton()->menu()->actions();
      QCOMPARE(static_cast<size_t>(offered.size()), hidden.size());
      for (size_t k = 0; k < hidden.size(); ++k) {
        auto* b = qobject_cast<QAbstractButton*>(hidden[k]);
        QVERIFY(b);
        QCOMPARE(offered[static_cast<int>(k)]->text(), b->text());
        QCOMPARE(offered[static_cast<int>(k)]->isEnabled(), b->isEnabled());
        QCOMPARE(offered[static_cast<int>(k)]->isChecked(), b->isChecked());
      }
    }
  }

  // Every page of the tag panel in turn, and the editing pane's row of page buttons.
  void checkTagPages(TForm1& window) {
    auto* pages = window.findChild<QTabWidget*>("PageControl2");
    QVERIFY(pages);
    for (int i = 0; i < pages->count(); ++i) {
      pages->setCurrentIndex(i);
      QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
      checkOverflowRow(window, qobject_cast<OverflowRow*>(pages->widget(i)));
    }
    checkOverflowRow(window, window.findChild<OverflowRow*>("PanelHTMLButtons"));
  }

  void defaultAndSmallestSizes() {
    Desk desk;
    TForm1 w(singleProgramFolder(dir_.path().toStdString()), desk.platform);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    checkRows(w);
    checkTagPages(w);
    const QSize smallest = w.minimumSizeHint().expandedTo(w.minimumSize());
    w.resize(smallest);
    QTRY_COMPARE(w.size(), smallest);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    checkRows(w);
    checkTagPages(w);
    // At the smallest size the first page cannot show all its buttons; a hidden one still works from the menu.
    auto* pages = w.findChild<QTabWidget*>("PageControl2");
    pages->setCurrentIndex(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    auto* first = qobject_cast<OverflowRow*>(pages->widget(0));
    QVERIFY(!first->hiddenControls().empty());
    auto* menu = first->moreButton()->menu();
    emit menu->aboutToShow();
    QAction* lineBreak = nullptr;
    for (QAction* a : menu->actions())
      if (a->text() == "BR") lineBreak = a;
    QVERIFY2(lineBreak, "the <BR> button is neither shown nor offered");
    QVERIFY(!w.document().modified());
    lineBreak->trigger();
    QVERIFY2(w.document().modified(), "the hidden button's command did not run");
    // The editing pane's row keeps the page's own buttons whole too: Wrap, when hidden, toggles from the menu.
    auto* html = w.findChild<OverflowRow*>("PanelHTMLButtons");
    auto* wrap = w.findChild<QAbstractButton*>("CheckWrap");
    QVERIFY(wrap->isHidden());
    emit html->moreButton()->menu()->aboutToShow();
    const bool wrapped = wrap->isChecked();
    html->moreButton()->menu()->actions().last()->trigger();
    QCOMPARE(wrap->isChecked(), !wrapped);
  }

  // Each builder button is reachable by a name of its own, whichever tag page holds it.
  void builderButtonsHaveTheirOwnNames() {
    Desk desk;
    TForm1 w(singleProgramFolder(dir_.path().toStdString()), desk.platform);
    const std::vector<std::pair<const char*, const char*>> named = {{"BitBtnPowerBody", "Power Body Tag"},
                                                                    {"BitBtnPowerAnchor", "Power Anchor Tag"},
                                                                    {"BitBtnPowerImage", "Power Image Tag/Preview"},
                                                                    {"BitBtnPowerTable", "Power Table Tag"},
                                                                    {"BitBtn3", "POWER Table Tag"},
                                                                    {"BitBtnPowerList", "Power List Tag"},
                                                                    {"BitBtnList", "Power LIST Tag"},
                                                                    {"BitBtnPowerFrame", "POWER Frame Tag"},
                                                                    {"BitBtnPFrame", "POWER Frame"},
                                                                    {"BitBtnSetDialog", "FRAMESET Dialog"},
                                                                    {"BitBtnFrameDialog", "FRAME Dialog"}};
    for (const auto& [name, hint] : named) {
      const auto found = w.findChildren<QToolButton*>(name);
      QVERIFY2(found.size() == 1, name);
      QCOMPARE(found.front()->toolTip(), QString(hint));
    }
  }
};

}  // namespace quillon

QTEST_MAIN(quillon::TestToolbars)
#include "tst_toolbars.moc"
