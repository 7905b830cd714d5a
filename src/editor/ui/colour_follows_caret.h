#pragma once

#include <QObject>

class QsciScintilla;

namespace quillon {

// Text typed next to a coloured tag takes the colour of the character before it, as a rich edit control
// gives new text the colour at the caret. Attached to the editing window.
class ColourFollowsCaret : public QObject {
  Q_OBJECT
 public:
  explicit ColourFollowsCaret(QsciScintilla& editor);

 private:
  void modified(int position, int type, const char* text, int length);
  QsciScintilla& editor_;
};

}  // namespace quillon
