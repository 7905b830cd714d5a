#include "editor/ui/dialog_placement.h"

#include <Qsci/qsciscintilla.h>
#include <QScreen>
#include <QWidget>

namespace quillon {

namespace {
constexpr int kGap = 16;
}

void keepClearOfSelection(QWidget& dialog, QsciScintilla& editor) {
  if (!dialog.isVisible()) return;
  using S = QsciScintillaBase;
  const long start = editor.SendScintilla(S::SCI_GETSELECTIONSTART);
  const long end = editor.SendScintilla(S::SCI_GETSELECTIONEND);
  const int x = static_cast<int>(editor.SendScintilla(S::SCI_POINTXFROMPOSITION, 0UL, start));
  const int y = static_cast<int>(editor.SendScintilla(S::SCI_POINTYFROMPOSITION, 0UL, start));
  const int xEnd = static_cast<int>(editor.SendScintilla(S::SCI_POINTXFROMPOSITION, 0UL, end));
  const int line = static_cast<int>(editor.SendScintilla(S::SCI_LINEFROMPOSITION, static_cast<unsigned long>(start)));
  const int height = static_cast<int>(editor.SendScintilla(S::SCI_TEXTHEIGHT, static_cast<unsigned long>(line)));
  const QWidget* viewport = editor.viewport();
  const QPoint topLeft = viewport->mapToGlobal(QPoint(std::min(x, xEnd), y));
  const QRect selection(topLeft, QSize(std::max(std::abs(xEnd - x), 8), std::max(height, 8)));
  QRect frame = dialog.frameGeometry();
  if (!frame.intersects(selection)) return;
  const QRect screen = (dialog.screen() ? dialog.screen() : editor.screen())->availableGeometry();
  if (selection.bottom() + kGap + frame.height() <= screen.bottom())
    frame.moveTop(selection.bottom() + kGap);
  else
    frame.moveBottom(std::max(screen.top() + frame.height(), selection.top() - kGap));
  dialog.move(frame.topLeft());
}

}  // namespace quillon
