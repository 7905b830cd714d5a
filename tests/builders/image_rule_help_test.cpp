#include <gtest/gtest.h>

#include "builders/help_pages.h"
#include "builders/horizontal_rule.h"
#include "builders/image_tag.h"

namespace quillon {
namespace {

TEST(ImageTag, WorkedExamplesAndLeftOutFields) {
  ImageTagRecord r;
  r.source = "Logo.GIF";
  r.width = "120";
  r.height = "60";
  EXPECT_EQ(imageTagText(r), "<IMG BORDER=0 HEIGHT=60 WIDTH=120 SRC=\"logo.gif\">");
  r.align = "LEFT";
  r.alt = "Our logo";
  r.useRelative = true;
  r.relativePath = "Images/";
  r.isMap = true;
  EXPECT_EQ(imageTagText(r), "<IMG ALIGN=LEFT BORDER=0 HEIGHT=60 WIDTH=120 ALT=\"Our logo\" SRC=\"Images/logo.gif\" ISMAP>");
  // The path is only used with the box on; cleared sizes are left out; the border always stays.
  r.useRelative = false;
  r.width.clear();
  r.height.clear();
  r.align.clear();
  r.alt.clear();
  r.isMap = false;
  r.border = 7;
  EXPECT_EQ(imageTagText(r), "<IMG BORDER=7 SRC=\"logo.gif\">");
  // A file name cannot end the quoted value or break the line.
  r.source = "x\"onerror=\"a.gif\nb";
  EXPECT_EQ(imageTagText(r), "<IMG BORDER=7 SRC=\"x%22onerror=%22a.gif%0Ab\">");
}

TEST(HorizontalRule, TagTextsAndSampleGeometry) {
  HorizontalRuleRecord r;
  EXPECT_EQ(horizontalRuleText(r), "<HR ALIGN=\"CENTER\"  SIZE=\"2\"  WIDTH=\"50%\">");
  RuleSample s = ruleSample(r);
  EXPECT_EQ(s.width, 160);
  EXPECT_EQ(s.left, 80);
  EXPECT_EQ(s.height, 2);
  r.inPercent = false;
  r.pixels = 300;
  r.noShade = true;
  EXPECT_EQ(horizontalRuleText(r), "<HR ALIGN=\"CENTER\"  SIZE=\"2\"  WIDTH=\"300\" NOSHADE>");
  r.pixels = 1600;  // wider than the sample strip: capped
  r.align = "RIGHT";
  s = ruleSample(r);
  EXPECT_EQ(s.width, 320);
  EXPECT_EQ(s.left, 0);
  r.pixels = 101;
  s = ruleSample(r);
  EXPECT_EQ(s.width, 50);
  EXPECT_EQ(s.left, 270);
  r.align = "LEFT";
  EXPECT_EQ(ruleSample(r).left, 0);
  r.inPercent = true;
  r.percent = 33;
  r.align = "CENTER";
  s = ruleSample(r);
  EXPECT_EQ(s.width, 105);
  EXPECT_EQ(s.left, 107);
}

TEST(HelpPages, ListAndTheFirstPageShown) {
  const auto pages = helpPageList("welcome.brn\r\nprojects.brn\r\n\r\nkeys.brn");
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[2], "keys.brn");
  EXPECT_EQ(firstHelpPage(pages, true, "projects.brn"), 1u);
  EXPECT_EQ(firstHelpPage(pages, false, "projects.brn"), 0u);
  EXPECT_EQ(firstHelpPage(pages, true, "PROJECTS.BRN"), 0u);  // compared exactly
  EXPECT_EQ(firstHelpPage({}, true, "x"), 0u);
}

}  // namespace
}  // namespace quillon
