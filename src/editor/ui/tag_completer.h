#pragma once

#include <QObject>
#include <functional>

#include "editor/tag_completion.h"

class QsciScintilla;

namespace quillon {

// Offers end tags, element and attribute names in the editing window's own completion list as the user
// types; the chosen item goes in as one undo step. `active` says whether it offers anything.
class TagCompleter : public QObject {
  Q_OBJECT
 public:
  TagCompleter(QsciScintilla& editor, std::function<bool()> active);

 private:
  void charAdded(int ch);
  void chosen(const char* item, int position);
  QsciScintilla& editor_;
  std::function<bool()> active_;
  CompletionKind shown_ = CompletionKind::None;
};

}  // namespace quillon
