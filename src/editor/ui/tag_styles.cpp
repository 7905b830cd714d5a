#include "editor/ui/tag_styles.h"

#include <Qsci/qsciscintilla.h>

#include "editor/tag_colouring.h"

namespace quillon::tag_styles {

namespace {
using S = QsciScintillaBase;
// Scintilla colours are 0xBBGGRR, as colour values are.
long scintillaColour(ColourValue v) { return static_cast<long>(v & 0xFFFFFF); }
}  // namespace

void install(QsciScintilla& editor) {
  std::array<ColourValue, kColourNames.size()> named{};
  for (size_t i = 0; i < kColourNames.size(); ++i) named[i] = ColorFromName(kColourNames[i]);
  install(editor, named);
}

void install(QsciScintilla& editor, const std::array<ColourValue, kColourNames.size()>& shown) {
  for (size_t i = 0; i < kColourNames.size(); ++i)
    editor.SendScintilla(S::SCI_STYLESETFORE, static_cast<unsigned long>(1 + i), scintillaColour(shown[i]));
}

int styleFor(ColourValue colour) { return styleForColour(colour); }

void apply(QsciScintilla& editor, size_t offset, size_t length, ColourValue colour) {
  editor.SendScintilla(S::SCI_STARTSTYLING, static_cast<unsigned long>(offset), 0L);
  editor.SendScintilla(S::SCI_SETSTYLING, static_cast<unsigned long>(length), static_cast<long>(styleFor(colour)));
}

}  // namespace quillon::tag_styles
