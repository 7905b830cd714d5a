#pragma once

#include <QObject>

class QsciScintilla;

namespace quillon {

// Small behaviours of the editing window, each attached to it (and owned by it) as an event filter.

// Alt with a character key and without Ctrl is a menu or command chord, never text: one whose command is
// disabled (Alt+S on a help page) reaches the editor and types nothing. (AltGr, which does type characters,
// does not arrive as Alt.)
class AltChordsTypeNothing : public QObject {
  Q_OBJECT
 public:
  explicit AltChordsTypeNothing(QsciScintilla& editor);
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// Typed into an 8-bit page, a character the page's set lacks goes in as a numeric character reference: the
// editing window would otherwise put a "?" in its place.
class EightBitTypingAsReferences : public QObject {
  Q_OBJECT
 public:
  explicit EightBitTypingAsReferences(QsciScintilla& editor);
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QsciScintilla& editor_;
};

// A mouse press in the text sets `stop`, the flag a long pass over the text (colouring) watches.
class ClickStopsPass : public QObject {
  Q_OBJECT
 public:
  ClickStopsPass(QsciScintilla& editor, bool& stop);
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool& stop_;
};

}  // namespace quillon
