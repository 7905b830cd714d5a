// Pane layout: the splitter, resizing, the E/IE side tabs, and the presses on the panes' own controls.
#include <Qsci/qsciscintilla.h>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTimer>

#include "app/pane_layout.h"
#include "app/ui/mainwindow.h"
#include "app/ui/preview_pane.h"

namespace quillon {

void TForm1::setLeftPaneWidth(int width) { PanelOutline->setFixedWidth(width); }

void TForm1::dragSplitterTo(int cursorXInWindow) {
  if (const auto width = pane_layout::widthWhileDragging(cursorXInWindow)) setLeftPaneWidth(*width);
}

void TForm1::endSplitterDrag() {
  TimerSplitter->stop();
  setLeftPaneWidth(pane_layout::widthAfterDrag(leftPaneWidth(), width()));
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  setLeftPaneWidth(pane_layout::widthOnWindowResize(leftPaneWidth(), width()));
}

void TForm1::PanelEClick() { preview_->showEditor(); }

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (!RE1 || !PanelE) {
    // Still being built.
  } else if (watched == PanelSplitter) {
    if (type == QEvent::MouseButtonPress)
      TimerSplitter->start();
    else if (type == QEvent::MouseButtonRelease)
      endSplitterDrag();
  } else if (watched == PanelE && type == QEvent::MouseButtonRelease) {
    PanelEClick();
  } else if (watched == PanelIE && (type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick)) {
    PanelIEClick();
  } else if (watched == LabelBrowserMode && type == QEvent::MouseButtonDblClick) {
    LabelBrowserModeDblClick();
  } else if (watched == PanelHTMLWindow && type == QEvent::Resize) {
    setLeftPaneWidth(pane_layout::widthOnEditorPaneResize(leftPaneWidth(), width()));
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace quillon
