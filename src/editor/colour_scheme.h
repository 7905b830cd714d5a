#pragma once

#include <array>
#include <string>
#include <string_view>

#include "base/colour_names.h"

namespace quillon {

// Which colours the program is drawn in: the desktop's, or light or dark whatever the desktop uses.
enum class Scheme { System, Light, Dark };

// "System", "Light" or "Dark", as stored; any other text is System.
Scheme schemeNamed(std::string_view name);
std::string_view schemeName(Scheme scheme);

// WCAG 2 relative luminance (0 black to 1 white) and contrast ratio (1 to 21).
double relativeLuminance(ColourValue colour);
double contrastRatio(ColourValue a, ColourValue b);

// A palette is dark when its window colour is darker than mid-grey.
bool windowColourIsDark(ColourValue window);

// The colour, mixed towards white on a dark background (towards black on a light one) just enough to reach
// `minimum` contrast with it; the colour itself when it already does.
ColourValue readableOn(ColourValue colour, ColourValue background, double minimum = 4.5);

// The palette colours the editing window is drawn in.
struct SchemeColours {
  ColourValue background = 0xFFFFFF;
  ColourValue text = 0x000000;
  ColourValue selectionBack = 0xD77800;
  ColourValue selectionText = 0xFFFFFF;
  ColourValue margin = 0xEFEFEF;
  ColourValue marginText = 0x000000;
};

// The colour each of the ten named tag colours is shown in. In a dark scheme a colour that some tag class
// has at its default is shown in a variant readable on the background; every other colour, and every
// colour in a light scheme, is shown exactly as named.
std::array<ColourValue, kColourNames.size()> shownTagColours(bool dark, ColourValue background,
                                                             const std::array<std::string, 6>& classColours);

}  // namespace quillon
