#include <gtest/gtest.h>

#include "builders/frame_tags.h"
#include "builders/frames.h"

namespace quillon {
namespace {

TEST(FramesWizard, EqualSizesLeaveTheRestToTheAsterisk) {
  EXPECT_EQ(equalSizes(2), "\"50%,*\"");
  EXPECT_EQ(equalSizes(3), "\"33%,33%,*\"");
  EXPECT_EQ(equalSizes(5), "\"20%,20%,20%,20%,*\"");
}

TEST(FramesWizard, FrameLineFlagsAndSpacing) {
  FrameSlot s;
  s.name = "Frame1";
  s.src = "a.htm";
  EXPECT_EQ(frameLine(s, 4), "    <FRAME NAME=\"Frame1\" SRC=\"a.htm\" SCROLLING=\"Auto\" NORESIZE>");
  s.noResize = false;
  EXPECT_EQ(frameLine(s, 8), "        <FRAME NAME=\"Frame1\" SRC=\"a.htm\" SCROLLING=\"Auto\" >");
  s.noBorder = true;
  EXPECT_EQ(frameLine(s, 4), "    <FRAME NAME=\"Frame1\" SRC=\"a.htm\" SCROLLING=\"Auto\"  FRAMEBORDER=\"0\">");
}

TEST(FramesWizard, WorkedExampleWithDefaultNames) {
  FramesLayout layout;
  layout.parts = {1, 2, 1, 1, 1};
  giveDefaultNames(layout);
  EXPECT_EQ(framesWizardText(layout),
            "<FRAMESET ROWS=\"100%\" COLS=\"50%,*\">\r\n"
            "    <FRAME NAME=\"Frame1\" SRC=\"\" SCROLLING=\"Auto\" NORESIZE>\r\n"
            "    <FRAMESET ROWS=\"50%,*\">\r\n"
            "        <FRAME NAME=\"Frame2A\" SRC=\"\" SCROLLING=\"Auto\" NORESIZE>\r\n"
            "        <FRAME NAME=\"Frame2B\" SRC=\"\" SCROLLING=\"Auto\" NORESIZE>\r\n"
            "    </FRAMESET>\r\n"
            "<NOFRAMES>\r\n</NOFRAMES>\r\n</FRAMESET>\r\n");
}

TEST(FramesWizard, RowsThreeMainFramesAndSlotsOutsideTheLayout) {
  FramesLayout layout;
  layout.orientation = FrameOrientation::Rows;
  layout.mainCount = 3;
  layout.parts = {1, 1, 3, 1, 1};
  layout.slot(3, 2).name = "nav";
  layout.slot(3, 2).src = "nav.htm";
  layout.slot(3, 4).name = "kept";  // part 4 of a three-part frame: kept, not written
  giveDefaultNames(layout);
  const std::string text = framesWizardText(layout);
  EXPECT_EQ(text.substr(0, text.find("\r\n")), "<FRAMESET COLS=\"100%\" ROWS=\"33%,33%,*\">");
  EXPECT_NE(text.find("    <FRAMESET COLS=\"33%,33%,*\">\r\n        <FRAME NAME=\"Frame3A\""), std::string::npos);
  EXPECT_NE(text.find("<FRAME NAME=\"nav\" SRC=\"nav.htm\""), std::string::npos);
  EXPECT_NE(text.find("Frame3C"), std::string::npos);
  EXPECT_EQ(text.find("kept"), std::string::npos);
  EXPECT_EQ(layout.slot(3, 4).name, "kept");
}

TEST(FramesWizard, PartCountSetBackWritesOnlyTheFirstSlot) {
  FramesLayout layout;
  layout.parts = {3, 1, 1, 1, 1};
  layout.slot(1, 1).name = "top";
  layout.slot(1, 2).name = "middle";
  layout.parts[0] = 1;
  giveDefaultNames(layout);
  const std::string text = framesWizardText(layout);
  EXPECT_NE(text.find("    <FRAME NAME=\"top\""), std::string::npos);
  EXPECT_EQ(text.find("middle"), std::string::npos);
  EXPECT_EQ(text.find("    <FRAMESET"), std::string::npos);
  EXPECT_EQ(layout.slot(1, 2).name, "middle");
}

TEST(FramesWizard, UnvisitedDividedFrameFiveAndNeighboursKeepTheirNames) {
  FramesLayout layout;
  layout.mainCount = 5;
  layout.parts = {1, 1, 1, 5, 2};
  layout.slot(4, 5).name = "own";
  giveDefaultNames(layout);
  EXPECT_EQ(layout.slot(5, 1).name, "Frame5A");
  EXPECT_EQ(layout.slot(5, 2).name, "Frame5B");
  EXPECT_EQ(layout.slot(4, 5).name, "own");
  EXPECT_EQ(layout.slot(4, 4).name, "Frame4D");
  EXPECT_EQ(layout.slot(2, 1).name, "Frame2");
}

TEST(FramesWizard, FirstSlotNameFollowsDivisionOnEnteringTheDataStep) {
  FramesLayout layout;
  layout.slot(1, 1).name = "Frame1";
  layout.parts[0] = 2;
  settleFirstSlotName(layout);
  EXPECT_EQ(layout.slot(1, 1).name, "Frame1A");
  layout.parts[0] = 1;
  settleFirstSlotName(layout);
  EXPECT_EQ(layout.slot(1, 1).name, "Frame1");
  layout.slot(1, 1).name = "mine";
  layout.parts[0] = 4;
  settleFirstSlotName(layout);
  EXPECT_EQ(layout.slot(1, 1).name, "mine");
}

TEST(FramesTemplates, DesignsAndTheirFrameOrder) {
  FrameSlot yellow, white, pink;
  yellow.name = "Frame1";
  white.name = "Frame2";
  pink.name = "Frame3";
  pink.noBorder = true;
  EXPECT_EQ(frameTemplateText(1, yellow, white, pink),
            "<FRAMESET ROWS=\"100%\" COLS=\"20%,*\">\r\n"
            "    <FRAME NAME=\"Frame1\" SRC=\"\" SCROLLING=\"Auto\" NORESIZE>\r\n"
            "    <FRAME NAME=\"Frame2\" SRC=\"\" SCROLLING=\"Auto\" NORESIZE>\r\n"
            "<NOFRAMES>\r\n</NOFRAMES>\r\n</FRAMESET>\r\n");
  EXPECT_EQ(frameTemplateText(4, yellow, white, pink),
            "<FRAMESET ROWS=\"100%\" COLS=\"20%,*\">\r\n"
            "    <FRAME NAME=\"Frame1\" SRC=\"\" SCROLLING=\"Auto\" NORESIZE>\r\n"
            "    <FRAMESET ROWS=\"20%,*\">\r\n"
            "        <FRAME NAME=\"Frame3\" SRC=\"\" SCROLLING=\"Auto\" NORESIZE FRAMEBORDER=\"0\">\r\n"
            "        <FRAME NAME=\"Frame2\" SRC=\"\" SCROLLING=\"Auto\" NORESIZE>\r\n"
            "    </FRAMESET>\r\n"
            "<NOFRAMES>\r\n</NOFRAMES>\r\n</FRAMESET>\r\n");
  const std::string five = frameTemplateText(5, yellow, white, pink);
  EXPECT_LT(five.find("Frame2"), five.find("Frame1"));
  EXPECT_EQ(five.find("Frame3"), std::string::npos);
  EXPECT_NE(frameTemplateText(3, yellow, white, pink).find("ROWS=\"20%,60%,*\""), std::string::npos);
  EXPECT_TRUE(templateUsesPink(3));
  EXPECT_FALSE(templateUsesPink(5));
}

TEST(FramesPreview, PanelsShareThePreviewInIntegerParts) {
  const auto columns = framesPreview(FrameOrientation::Columns, 3, {1, 2, 1, 1, 1});
  ASSERT_EQ(columns.size(), 5u);
  EXPECT_EQ(columns[2].left, 16 + 2 * 106);
  EXPECT_EQ(columns[2].width, 106);
  EXPECT_EQ(columns[2].height, 240);
  EXPECT_EQ(columns[4].main, 2);
  EXPECT_EQ(columns[4].part, 2);
  EXPECT_EQ(columns[4].left, 16 + 106);
  EXPECT_EQ(columns[4].top, 36 + 120);
  const auto rows = framesPreview(FrameOrientation::Rows, 2, {3, 1, 1, 1, 1});
  EXPECT_EQ(rows[1].top, 36 + 120);
  EXPECT_EQ(rows[1].width, 320);
  EXPECT_EQ(rows[4].left, 16 + 2 * 106);
  EXPECT_EQ(rows[4].height, 120);
  EXPECT_EQ(framePanelCaption(5, 5), "Frame5E");
  EXPECT_EQ(framePanelCaption(3, 0), "Frame3");
}

TEST(FrameTags, FramesetAroundTheEnclosedLines) {
  EXPECT_EQ(framesetText("100%", "50%,50%", "a\r\nb\r\n"),
            "<FRAMESET COLS=\"100%\" ROWS=\"50%,50%\">\r\n    a\r\n    b\r\n</FRAMESET>\r\n");
  EXPECT_EQ(framesetText("", "", ""), "<FRAMESET>\r\n</FRAMESET>\r\n");
  EXPECT_EQ(framesetText("", "*,*", "a\nb"), "<FRAMESET ROWS=\"*,*\">\r\n    a\r\n    b\r\n</FRAMESET>");
  // An enclosed empty line is kept as an indented empty line.
  EXPECT_EQ(framesetText("", "", "x\r\n\r\ny\r\n"), "<FRAMESET>\r\n    x\r\n    \r\n    y\r\n</FRAMESET>\r\n");
}

TEST(FrameTags, FrameLineHasItsOwnNoResizeBlank) {
  FrameTagRecord r;
  r.name = "Index";
  r.url = "table.html";
  EXPECT_EQ(frameTagText(r), "<FRAME NAME=\"Index\" SRC=\"table.html\" SCROLLING=\"Auto\"  NORESIZE>\r\n");
  r.noBorder = true;
  EXPECT_EQ(frameTagText(r),
            "<FRAME NAME=\"Index\" SRC=\"table.html\" SCROLLING=\"Auto\"  NORESIZE FRAMEBORDER=\"0\">\r\n");
  r.noResize = false;
  r.noBorder = false;
  EXPECT_EQ(frameTagText(r), "<FRAME NAME=\"Index\" SRC=\"table.html\" SCROLLING=\"Auto\" >\r\n");
}

}  // namespace
}  // namespace quillon
