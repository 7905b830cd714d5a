#pragma once

#include <QObject>
#include <array>
#include <map>

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
  // New colours: the whole page is styled again, and every other page when it is next shown.
  void setColours(const std::array<ColourValue, 6>& colours);
  // The window shows another of its documents (each keeps its own styles); a document closed for good.
  void documentShown();
  void forgetDocument(long document);

  // How far ahead of what is in view one request is styled: a long line is styled a stretch at a time.
  static constexpr size_t kStretch = 64 * 1024;

 private:
  void styleNeeded(int position);
  void restyleAll();
  void sayTextChanged();
  bool changeToSay_ = false;
  // The colourer of the document in the window: each document's styles have their own checkpoints.
  TypingColourer& colourer();
  QsciScintilla& editor_;
  std::array<ColourValue, 6> colours_{};
  std::map<long, TypingColourer> colourers_;
  // Each document's styles are of the colours and switch state of one generation; the window's own
  // document is restyled when it is shown with an older one.
  std::map<long, int> generationOf_;
  int generation_ = 0;
  bool on_ = false;
};

}  // namespace quillon
