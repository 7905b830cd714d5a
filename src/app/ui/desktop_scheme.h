#pragma once

#include <QPalette>

#include "editor/colour_scheme.h"

class QColor;

// The program's light and dark: the desktop's palette, followed as it changes, or one of the program's own.
namespace quillon::desktop_scheme {

// System leaves the desktop's palette in charge (taking it back if another was set); Light and Dark set
// the program's own palette over the whole program.
void apply(Scheme scheme);
QPalette lightPalette();
QPalette darkPalette();

// Whether the program is drawn dark now, judged from the window colour.
bool drawnDark(const QPalette& palette);
ColourValue colourValue(const QColor& colour);
// The editing window's colours from a palette.
SchemeColours editorColours(const QPalette& palette);

}  // namespace quillon::desktop_scheme
