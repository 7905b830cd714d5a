#include <gtest/gtest.h>

#include "builders/list_tag.h"
#include "builders/table_tag.h"

namespace quillon {
namespace {

TEST(TableTag, TheWorkedExampleAndTheWidthRules) {
  TableTagRecord r;
  r.rows = 1;
  r.cols = 2;
  r.cells = {{"a", "b"}};
  r.border = 2;
  r.widthInPercent = true;
  r.percent = 50;
  r.caption = "T";
  r.captionAtBottom = true;
  EXPECT_EQ(tableTagText(r),
            "<TABLE WIDTH=\"50%\" BORDER=2>\r\n   <CAPTION ALIGN=BOTTOM>T</CAPTION>\r\n<TR>\r\n    <TD>a</TD>\r\n"
            "    <TD>b</TD>\r\n</TR>\r\n</TABLE>\r\n");
  // Defaults: the lone space of a zero pixel width, empty cells.
  EXPECT_EQ(tableTagText(TableTagRecord{}),
            "<TABLE >\r\n<TR>\r\n    <TD></TD>\r\n    <TD></TD>\r\n</TR>\r\n<TR>\r\n    <TD></TD>\r\n    <TD></TD>\r\n"
            "</TR>\r\n</TABLE>\r\n");
  TableTagRecord none;
  none.rows = 0;
  none.widthInPercent = true;
  none.percent = 0;
  EXPECT_EQ(tableTagText(none), "<TABLE>\r\n</TABLE>\r\n");
  TableTagRecord noCols;
  noCols.rows = 1;
  noCols.cols = 0;
  noCols.pixels = 640;
  noCols.padding = 3;
  noCols.spacing = 4;
  noCols.align = "center";
  noCols.valign = "TOP";
  EXPECT_EQ(tableTagText(noCols),
            "<TABLE CELLPADDING=3 CELLSPACING=4 WIDTH=640 ALIGN=center VALIGN=TOP>\r\n<TR>\r\n</TR>\r\n</TABLE>\r\n");
}

TEST(TableTag, ManyRowsBuildInOnePass) {
  TableTagRecord r;
  r.rows = 10000;
  r.cols = 20;
  r.cells.assign(10000, std::vector<std::string>(20, "x"));
  const std::string text = tableTagText(r);
  size_t cells = 0;
  for (size_t at = text.find("<TD>x</TD>"); at != std::string::npos; at = text.find("<TD>x</TD>", at + 1)) ++cells;
  EXPECT_EQ(cells, 200000u);
  EXPECT_EQ(text.size(), 10u + 10000 * (6 + 20 * 16 + 7) + 10);
}

TEST(TableTag, TheSamplerFollowsBorderPaddingAndSpacing) {
  const SamplerLayout l = tableSampler(9, 2, 20);  // clamped to 6 and 8
  EXPECT_EQ(l.bevel, 6);
  EXPECT_EQ(l.cells[0].left, 16);
  EXPECT_EQ(l.cells[0].width, 39);
  EXPECT_EQ(l.cells[0].height, 21);
  EXPECT_EQ(l.cells[1].left, 16 + 39 + 9);
  EXPECT_EQ(l.cells[2].top, 16 + 21 + 9);
}

TEST(ListTag, RowsIndentsAndHiddenEntries) {
  ListTagRecord ordered;
  ordered.ordered = true;
  ordered.rows = 2;
  ordered.items = {"One", "Two", "kept but hidden"};
  EXPECT_EQ(listTagText(ordered), "<OL>\r\n    <LI>One\r\n    <LI>Two\r\n</OL>\r\n");
  ListTagRecord twelve;
  twelve.rows = 12;
  twelve.items[0] = "a";
  twelve.noIndent = true;
  std::string expected = "<UL>\r\n<LI>a\r\n";
  for (int i = 2; i <= 12; ++i) expected += "<LI>\r\n";
  EXPECT_EQ(listTagText(twelve), expected + "</UL>\r\n");
}

}  // namespace
}  // namespace quillon

#include "builders/anchor_tag.h"

namespace quillon {
namespace {

TEST(AnchorTag, LinksAndNamedAnchorsWithTheRelativePath) {
  EXPECT_EQ(anchorTagText({"http://", "Home", false, false, "x/"}), "<A HREF=\"http://\">Home</A>");
  EXPECT_EQ(anchorTagText({"about.htm", "About", false, true, "pages/"}), "<A HREF=\"pages/about.htm\">About</A>");
  EXPECT_EQ(anchorTagText({"top", "Top", true, false, ""}), "<A HREF=#top>Top</A>  <A NAME=top>");
  // The relative path goes into both halves of a named pair; typed quotes pass through.
  EXPECT_EQ(anchorTagText({"top", "T\"op", true, true, "p/"}), "<A HREF=#p/top>T\"op</A>  <A NAME=p/top>");
  EXPECT_EQ(anchorTagText({"", "", false, false, ""}), "<A HREF=\"\"></A>");
}

}  // namespace
}  // namespace quillon

#include "builders/body_tag.h"

namespace quillon {
namespace {

TEST(BodyTag, TagsSkeletonsAndStoredColours) {
  BodyTagRecord r;
  EXPECT_EQ(bodyTagText(r), "<BODY BGCOLOR=#FFFFFF TEXT=\"#000000\" LINK=#0000FF ALINK=#0000A0 VLINK=#800080>\r\n");
  r.tiled = true;
  EXPECT_EQ(bodyTag(r).substr(0, 30), "<BODY BACKGROUND=\"\" TEXT=\"#000");  // tiled without an image
  r.imagePath = "/site/img/tile.gif";
  r.usePath = true;
  r.relativePath = "img/";
  EXPECT_EQ(bodyTag(r), "<BODY BACKGROUND=\"img/tile.gif\" TEXT=\"#000000\" LINK=#0000FF ALINK=#0000A0 VLINK=#800080>");
  r.usePath = false;
  r.head = true;
  r.title = true;
  r.titleText = "Home";
  EXPECT_EQ(bodyTagText(r), "<HEAD>\r\n    <TITLE>Home</TITLE>\r\n</HEAD>\r\n" + bodyTag(r) + "\r\n</BODY>\r\n");
  BodyTagRecord meta;
  meta.meta = true;
  meta.description = "d\"q";
  meta.keywords = "k";
  EXPECT_EQ(bodyTagText(meta),
            "    <META Name=\"Description\" Content=\"d\"q\">\r\n    <META Name=\"Keywords\" Content=\"k\">\r\n" +
                bodyTag(meta) + "\r\n</BODY>\r\n");  // </BODY> although its flag is off
}

}  // namespace
}  // namespace quillon
