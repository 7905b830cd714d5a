#include <gtest/gtest.h>

#include "builders/body_tag.h"
#include "builders/file_reference.h"
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
  EXPECT_EQ(imageTagText(r), "<IMG BORDER=0 HEIGHT=60 WIDTH=120 SRC=\"Logo.GIF\">")
      << "the case of a typed source is kept";
  r.align = "LEFT";
  r.alt = "Our logo";
  r.useRelative = true;
  r.relativePath = "Images/";
  r.isMap = true;
  EXPECT_EQ(imageTagText(r),
            "<IMG ALIGN=LEFT BORDER=0 HEIGHT=60 WIDTH=120 ALT=\"Our logo\" SRC=\"Images/Logo.GIF\" ISMAP>");
  // The path is only used with the box on; cleared sizes are left out; the border always stays.
  r.useRelative = false;
  r.width.clear();
  r.height.clear();
  r.align.clear();
  r.alt.clear();
  r.isMap = false;
  r.border = 7;
  EXPECT_EQ(imageTagText(r), "<IMG BORDER=7 SRC=\"Logo.GIF\">");
  // A file name cannot end the quoted value or break the line.
  r.source = "x\"onerror=\"a.gif\nb";
  EXPECT_EQ(imageTagText(r), "<IMG BORDER=7 SRC=\"x%22onerror=%22a.gif%0Ab\">");
}

TEST(FileReference, PickedNamesFindTheirFileInEveryBuilder) {
  EXPECT_EQ(referenceToFileName("Logo.GIF"), "Logo.GIF");
  EXPECT_EQ(referenceToFileName("a b.html"), "a b.html");
  EXPECT_EQ(referenceToFileName("50%off#1?.html"), "50%25off%231%3F.html");
  EXPECT_EQ(referenceToFileName("say\"hi\".html"), "say%22hi%22.html");
  EXPECT_EQ(referenceToFileName("caf\xe9.html"), "caf%E9.html") << "a Latin-1 name, as its bytes";
  EXPECT_EQ(referenceToFileName("caf\xc3\xa9.html"), "caf\xc3\xa9.html") << "a UTF-8 name stays readable";
  // The body builder writes a picked background the same way.
  BodyTagRecord body;
  body.tiled = true;
  body.imagePath = "/site/img/50%#bg.gif";
  EXPECT_NE(bodyTag(body).find("BACKGROUND=\"50%25%23bg.gif\""), std::string::npos) << bodyTag(body);
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
