#include "editor/colour_scheme.h"

#include <gtest/gtest.h>

#include "base/settings.h"

namespace quillon {
namespace {

ColourValue rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

TEST(ColourScheme, ContrastFollowsTheWcagFormula) {
  EXPECT_NEAR(contrastRatio(0x000000, 0xFFFFFF), 21.0, 1e-9);
  EXPECT_NEAR(contrastRatio(0xFFFFFF, 0xFFFFFF), 1.0, 1e-9);
  // Known values: pure red on white, and #767676 grey on white (the lightest grey that passes 4.5:1).
  EXPECT_NEAR(contrastRatio(rgb(255, 0, 0), 0xFFFFFF), 4.00, 0.01);
  EXPECT_NEAR(contrastRatio(rgb(0x76, 0x76, 0x76), 0xFFFFFF), 4.54, 0.01);
  EXPECT_DOUBLE_EQ(contrastRatio(rgb(0, 0, 128), 0x000000), contrastRatio(0x000000, rgb(0, 0, 128)));
  // Channel order: the low byte is red, so blue on black is far darker than red on black.
  EXPECT_LT(relativeLuminance(rgb(0, 0, 255)), relativeLuminance(rgb(255, 0, 0)));
}

TEST(ColourScheme, DarkPalettesAreJudgedFromTheWindowColour) {
  EXPECT_TRUE(windowColourIsDark(rgb(0x2D, 0x2D, 0x2D)));
  EXPECT_TRUE(windowColourIsDark(rgb(0x35, 0x35, 0x35)));
  EXPECT_TRUE(windowColourIsDark(rgb(0x23, 0x26, 0x29)));
  EXPECT_FALSE(windowColourIsDark(rgb(0xEF, 0xEF, 0xEF)));
  EXPECT_FALSE(windowColourIsDark(rgb(0xF6, 0xF5, 0xF4)));
  EXPECT_FALSE(windowColourIsDark(0xFFFFFF));
  EXPECT_EQ(schemeNamed("Dark"), Scheme::Dark);
  EXPECT_EQ(schemeNamed("Light"), Scheme::Light);
  EXPECT_EQ(schemeNamed("System"), Scheme::System);
  EXPECT_EQ(schemeNamed("dark"), Scheme::Dark) << "as a hand-edited settings file may say it";
  EXPECT_EQ(schemeNamed("LIGHT"), Scheme::Light);
  EXPECT_EQ(schemeNamed("Purple"), Scheme::System);
  EXPECT_EQ(schemeNamed(""), Scheme::System);
  EXPECT_EQ(schemeName(Scheme::Dark), "Dark");
}

// Every default tag colour reads at 4.5:1 or more on dark backgrounds from the program's own to the
// lightest a dark palette has, and keeps its hue; a colour the user chose stays as chosen.
TEST(ColourScheme, DefaultTagColoursHaveReadableDarkVariants) {
  const RunSettings defaults;
  for (int grey = 0x00; grey <= 0x45; grey += 5) {
    const ColourValue background = rgb(grey, grey, grey);
    const auto shown = shownTagColours(true, background, defaults.tagColourNames);
    for (const std::string& name : defaults.tagColourNames) {
      const ColourValue named = ColorFromName(name);
      const ColourValue variant = shown[static_cast<size_t>(ColorNameIndex(named))];
      EXPECT_GE(contrastRatio(variant, background), 4.5) << name << " on grey " << grey;
      // Still red: red stays the strongest channel, by a wide margin.
      EXPECT_GT((variant & 0xFF) - ((variant >> 8) & 0xFF), 80) << name;
      EXPECT_EQ((variant >> 8) & 0xFF, (variant >> 16) & 0xFF) << name;
    }
  }
  // Navy chosen for one class: navy it stays, and red, still the default of the others, reads.
  std::array<std::string, 6> chosen = defaults.tagColourNames;
  chosen[1] = "clNavy";
  const auto shown = shownTagColours(true, rgb(0x1E, 0x1E, 0x1E), chosen);
  EXPECT_EQ(shown[static_cast<size_t>(ColorNameIndex(ColorFromName("clNavy")))], ColorFromName("clNavy"));
  EXPECT_NE(shown[static_cast<size_t>(ColorNameIndex(ColorFromName("clRed")))], ColorFromName("clRed"));
  // Every class chosen away from red: red is shown as named.
  chosen.fill("clBlue");
  EXPECT_EQ(shownTagColours(true, 0x000000, chosen)[static_cast<size_t>(ColorNameIndex(ColorFromName("clRed")))],
            ColorFromName("clRed"));
}

TEST(ColourScheme, LightSchemeShowsEveryColourAsNamed) {
  const RunSettings defaults;
  const auto shown = shownTagColours(false, 0xFFFFFF, defaults.tagColourNames);
  for (size_t i = 0; i < kColourNames.size(); ++i) EXPECT_EQ(shown[i], ColorFromName(kColourNames[i]));
  // The default red on white is short of 4.5:1 (4.0:1, as the colour has always been); black text reads.
  EXPECT_GE(contrastRatio(ColorFromName("clRed"), 0xFFFFFF), 3.0);
  EXPECT_GE(contrastRatio(0x000000, 0xFFFFFF), 4.5);
}

TEST(ColourScheme, ReadableOnMixesOnlyAsFarAsNeeded) {
  // Already readable: unchanged.
  EXPECT_EQ(readableOn(0xFFFFFF, 0x000000), 0xFFFFFF);
  EXPECT_EQ(readableOn(rgb(255, 0, 0), 0x000000), rgb(255, 0, 0));
  // Navy on a dark background is lightened just past 4.5:1, not to white.
  const ColourValue lighter = readableOn(rgb(0, 0, 128), rgb(0x1E, 0x1E, 0x1E));
  EXPECT_GE(contrastRatio(lighter, rgb(0x1E, 0x1E, 0x1E)), 4.5);
  EXPECT_LT(contrastRatio(lighter, rgb(0x1E, 0x1E, 0x1E)), 4.8);
  EXPECT_GT((lighter >> 16) & 0xFF, lighter & 0xFF);  // still blue
  // Yellow-ish on white is darkened.
  const ColourValue darker = readableOn(rgb(255, 255, 0), 0xFFFFFF);
  EXPECT_GE(contrastRatio(darker, 0xFFFFFF), 4.5);
  // A background too light for any mix to reach the mark: the best there is, white.
  EXPECT_EQ(readableOn(rgb(0x80, 0, 0), rgb(0x70, 0x70, 0x70), 10.0), 0xFFFFFF);
}

}  // namespace
}  // namespace quillon
