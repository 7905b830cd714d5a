#pragma once

#include "base/colour_names.h"

class QsciScintilla;

// Colours in the editing window are Scintilla styles: one style per named colour, so that tags coloured by
// an earlier pass keep their colour when the class colours change.
namespace quillon::tag_styles {

// Styles 1 to 10 take the ten named colours; style 0 is normal text.
void install(QsciScintilla& editor);
int styleFor(ColourValue colour);
void apply(QsciScintilla& editor, size_t offset, size_t length, ColourValue colour);

}  // namespace quillon::tag_styles
