// Pane layout: the splitter, resizing, the E/IE side tabs, and the editing window's key and mouse presses.
#include <QKeyEvent>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTimer>
#include <Qsci/qsciscintilla.h>

#include "app/pane_layout.h"
#include "app/ui/mainwindow.h"
#include "editor/ui/editor_bytes.h"
#include "publish/ui/embedded_browser.h"

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

void TForm1::PanelEClick() {
  PanelMSIE->hide();
  if (browserAvailable_) OleContainer1->hide();
  if (browserView_) EmbeddedBrowser::stop(browserView_);
  browserShown_ = false;
  RE1->show();
  PanelE->setStyleSheet("background-color: #00FF00;");
  PanelP->setStyleSheet("background-color: #808080;");
  PanelIE->setStyleSheet("background-color: #808080;");
}

// Typed into an 8-bit page, a character the page's set lacks goes in as a numeric character reference: the
// editing window would otherwise put a "?" in its place.
bool TForm1::typedIntoEightBitPage(const QString& text) {
  if (text.isEmpty() || editor_bytes::isUtf8(*RE1)) return false;
  bool outside = false;
  for (const QChar c : text) outside = outside || c.unicode() > 0xFF;
  if (!outside) return false;
  editor_bytes::replaceSelection(*RE1, editor_bytes::bytesFor(*RE1, text));
  return true;
}

// Alt with a character key and without Ctrl: a menu or command chord, never text. (AltGr, which does type
// characters, does not arrive as Alt here.)
static bool altChordOnly(const QKeyEvent& key) {
  const Qt::KeyboardModifiers m = key.modifiers();
  return (m & Qt::AltModifier) && !(m & Qt::ControlModifier) && !key.text().isEmpty() && key.text().at(0).isPrint();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (!RE1 || !PanelE) {
    // Still being built.
  } else if (watched == RE1 && type == QEvent::KeyPress && altChordOnly(*static_cast<QKeyEvent*>(event))) {
    // An Alt chord whose command is disabled (Alt+S on a help page) reaches the editor: it types nothing.
    return true;
  } else if (watched == RE1 && type == QEvent::KeyPress && typedIntoEightBitPage(static_cast<QKeyEvent*>(event)->text())) {
    return true;
  } else if (watched == RE1->viewport() && type == QEvent::MouseButtonPress) {
    stopColoring_ = true;  // RE1MouseDown
  } else if (watched == PanelSplitter) {
    if (type == QEvent::MouseButtonPress) TimerSplitter->start();
    else if (type == QEvent::MouseButtonRelease) endSplitterDrag();
  } else if (type == QEvent::MouseButtonPress && (watched->objectName() == "EditURL" || watched->objectName() == "EditMisc")) {
    // A click into a snippet entry field empties it and drops the list's selection.
    static_cast<QLineEdit*>(watched)->clear();
    (watched->objectName() == "EditURL" ? ListBoxURL : ListBoxMisc)->clearSelection();
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
