#pragma once

#include <array>

#include "base/colour_names.h"

class QsciScintilla;

// Colours in the editing window are Scintilla styles: one style per named colour, so that tags coloured by
// an earlier pass keep their colour when the class colours change.
namespace quillon::tag_styles {

// Styles 1 to 10 take the ten named colours, each shown as `shown` gives (by default as named); style 0 is
// normal text.
void install(QsciScintilla& editor);
void install(QsciScintilla& editor, const std::array<ColourValue, kColourNames.size()>& shown);
int styleFor(ColourValue colour);
void apply(QsciScintilla& editor, size_t offset, size_t length, ColourValue colour);

}  // namespace quillon::tag_styles
