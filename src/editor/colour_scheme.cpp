#include "editor/colour_scheme.h"

#include <cmath>

#include "base/settings.h"
#include "base/text_bytes.h"

namespace quillon {

namespace {

double channel(int value) {
  const double c = value / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int red(ColourValue c) { return c & 0xFF; }
int green(ColourValue c) { return (c >> 8) & 0xFF; }
int blue(ColourValue c) { return (c >> 16) & 0xFF; }
ColourValue rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

int mix(int from, int to, double part) { return static_cast<int>(std::lround(from + (to - from) * part)); }

}  // namespace

Scheme schemeNamed(std::string_view name) {
  if (equalsIgnoringAsciiCase(name, "Light")) return Scheme::Light;
  if (equalsIgnoringAsciiCase(name, "Dark")) return Scheme::Dark;
  return Scheme::System;
}

std::string_view schemeName(Scheme scheme) {
  switch (scheme) {
    case Scheme::Light:
      return "Light";
    case Scheme::Dark:
      return "Dark";
    case Scheme::System:
      break;
  }
  return "System";
}

double relativeLuminance(ColourValue c) {
  return 0.2126 * channel(red(c)) + 0.7152 * channel(green(c)) + 0.0722 * channel(blue(c));
}

double contrastRatio(ColourValue a, ColourValue b) {
  const double la = relativeLuminance(a), lb = relativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Mid-grey by luminance (#777777 is 0.18): the point where black and white text contrast equally.
bool windowColourIsDark(ColourValue window) { return relativeLuminance(window) < 0.18; }

ColourValue readableOn(ColourValue colour, ColourValue background, double minimum) {
  if (contrastRatio(colour, background) >= minimum) return colour;
  const int towards = windowColourIsDark(background) ? 255 : 0;
  // The smallest mix that reads, found by halving: contrast grows steadily with the mix.
  double low = 0, high = 1;
  for (int step = 0; step < 20; ++step) {
    const double part = (low + high) / 2;
    const ColourValue mixed =
        rgb(mix(red(colour), towards, part), mix(green(colour), towards, part), mix(blue(colour), towards, part));
    (contrastRatio(mixed, background) >= minimum ? high : low) = part;
  }
  return rgb(mix(red(colour), towards, high), mix(green(colour), towards, high), mix(blue(colour), towards, high));
}

std::array<ColourValue, kColourNames.size()> shownTagColours(bool dark, ColourValue background,
                                                             const std::array<std::string, 6>& classColours) {
  const RunSettings defaults;
  std::array<bool, kColourNames.size()> atDefault{};
  for (size_t k = 0; k < classColours.size(); ++k)
    if (classColours[k] == defaults.tagColourNames[k]) {
      const int index = ColorNameIndex(ColorFromName(classColours[k]));
      if (index >= 0) atDefault[static_cast<size_t>(index)] = true;
    }
  std::array<ColourValue, kColourNames.size()> shown{};
  for (size_t i = 0; i < kColourNames.size(); ++i) {
    const ColourValue named = ColorFromName(kColourNames[i]);
    shown[i] = dark && atDefault[i] ? readableOn(named, background) : named;
  }
  return shown;
}

}  // namespace quillon
