#pragma once

#include <QObject>
#include <functional>

class QsciScintilla;

namespace quillon {

// Text typed next to a coloured tag takes the colour of the character before it, as a rich edit control
// gives new text the colour at the caret. Attached to the editing window.
class ColourFollowsCaret : public QObject {
  Q_OBJECT
 public:
  // `active` says whether it acts (tags coloured as they are typed make it unneeded).
  ColourFollowsCaret(QsciScintilla& editor, std::function<bool()> active);

 private:
  void modified(int position, int type, const char* text, int length);
  QsciScintilla& editor_;
  std::function<bool()> active_;
};

}  // namespace quillon
