#pragma once

#include <QObject>
#include <array>

#include "base/colour_names.h"
#include "editor/typing_colouring.h"

class QsciScintilla;

namespace quillon {

// Colours tags as the text changes: the editing window asks for styles as it paints (what is in view at
// once, the rest while the program is idle) and gets them from a TypingColourer. Switched off, the window
// keeps whatever styles it has and the colouring pass is the only colouring.
class ColourAsYouType : public QObject {
  Q_OBJECT
 public:
  explicit ColourAsYouType(QsciScintilla& editor);
  void setOn(bool on);
  bool isOn() const { return on_; }
  // New colours: the whole page is styled again.
  void setColours(const std::array<ColourValue, 6>& colours);

  // How far ahead of what is in view one request is styled: a long line is styled a stretch at a time.
  static constexpr size_t kStretch = 64 * 1024;

 private:
  void styleNeeded(int position);
  void restyleAll();
  QsciScintilla& editor_;
  TypingColourer colourer_;
  bool on_ = false;
};

}  // namespace quillon
