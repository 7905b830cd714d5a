#include "editor/ui/editor_key_behaviours.h"

#include <Qsci/qsciscintilla.h>
#include <QKeyEvent>

#include "editor/ui/editor_bytes.h"

namespace quillon {

AltChordsTypeNothing::AltChordsTypeNothing(QsciScintilla& editor) : QObject(&editor) {
  editor.installEventFilter(this);
}

bool AltChordsTypeNothing::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const auto& key = *static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers m = key.modifiers();
  return (m & Qt::AltModifier) && !(m & Qt::ControlModifier) && !key.text().isEmpty() && key.text().at(0).isPrint();
}

EightBitTypingAsReferences::EightBitTypingAsReferences(QsciScintilla& editor) : QObject(&editor), editor_(editor) {
  editor.installEventFilter(this);
}

bool EightBitTypingAsReferences::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const QString text = static_cast<QKeyEvent*>(event)->text();
  if (text.isEmpty() || editor_bytes::isUtf8(editor_)) return false;
  bool outside = false;
  for (const QChar c : text) outside = outside || c.unicode() > 0xFF;
  if (!outside) return false;
  editor_bytes::replaceSelection(editor_, editor_bytes::bytesFor(editor_, text));
  return true;
}

ClickStopsPass::ClickStopsPass(QsciScintilla& editor, bool& stop) : QObject(&editor), stop_(stop) {
  editor.viewport()->installEventFilter(this);
}

bool ClickStopsPass::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) stop_ = true;
  return QObject::eventFilter(watched, event);
}

}  // namespace quillon
