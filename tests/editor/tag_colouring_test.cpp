#include "editor/tag_colouring.h"

#include <gtest/gtest.h>

#include "base/text_bytes.h"

namespace quillon {
namespace {

// Six distinct colours, so each range names its class.
const std::array<ColourValue, 6> kColours = {0, 1, 2, 3, 4, 5};

std::vector<ColouredRange> ranges(std::string_view text) { return colourTags(text, kColours); }
ColouredRange r(size_t offset, size_t length, TagClass c) { return {offset, length, static_cast<ColourValue>(c)}; }

TEST(TagColouring, ClassesByPattern) {
  EXPECT_EQ(tagClass("<B>"), TagClass::Font);
  EXPECT_EQ(tagClass("<a href=x.html>"), TagClass::Href);
  EXPECT_EQ(tagClass("<a  href=x>"), TagClass::Default);
  EXPECT_EQ(tagClass("<address>"), TagClass::Default);
  EXPECT_EQ(tagClass("</address>"), TagClass::Href);
  EXPECT_EQ(tagClass("<link rel=x>"), TagClass::List);
  EXPECT_EQ(tagClass("<thead>"), TagClass::Table);
  EXPECT_EQ(tagClass("<IMG SRC=a.gif>"), TagClass::Img);
  EXPECT_EQ(tagClass("<a href=x><img src=y>"), TagClass::Img);  // later tests win
}

TEST(TagColouring, PairsOnALine) {
  EXPECT_EQ(ranges("<B>bold</B>"), (std::vector<ColouredRange>{r(0, 3, TagClass::Font), r(7, 4, TagClass::Font)}));
  EXPECT_EQ(
      ranges("<table border=1><tr><td>"),
      (std::vector<ColouredRange>{r(0, 16, TagClass::Table), r(16, 4, TagClass::Table), r(20, 4, TagClass::Table)}));
  EXPECT_EQ(ranges("<!-- a > b -->"), (std::vector<ColouredRange>{r(0, 8, TagClass::Default)}));
  EXPECT_EQ(ranges("x > y <b>"), (std::vector<ColouredRange>{r(3, 3, TagClass::Default)}));
  EXPECT_TRUE(ranges("no tags at all").empty());
  EXPECT_TRUE(ranges("<a href=\"x\"\r\n>").empty());  // a tag spanning lines is not coloured
}

TEST(TagColouring, TrueOffsetsForEveryKindOfLineEnd) {
  const std::string text = "<p>\r\n<b>\n<i>\r<u>";
  EXPECT_EQ(ranges(text), (std::vector<ColouredRange>{r(0, 3, TagClass::Default), r(5, 3, TagClass::Font),
                                                      r(9, 3, TagClass::Font), r(13, 3, TagClass::Font)}));
  for (const auto& range : ranges(text)) EXPECT_EQ(text[range.offset], '<');
}

TEST(TagColouring, LongLinesAreLinear) {
  std::string line;
  for (int i = 0; i < 200000; ++i) line += "<td>x";
  const auto result = ranges(line);
  ASSERT_EQ(result.size(), 200000u);
  EXPECT_EQ(result.back().offset, line.size() - 5);
}

TEST(TagColouring, ForEachLineGivesLineStarts) {
  std::vector<std::pair<std::string, size_t>> seen;
  forEachLine("a\r\n\nb\rc\r\n", [&](std::string_view l, size_t o) { seen.emplace_back(std::string(l), o); });
  EXPECT_EQ(seen, (std::vector<std::pair<std::string, size_t>>{{"a", 0}, {"", 3}, {"b", 4}, {"c", 6}}));
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

TEST(TagColouring, ATagIsReadFromTheWorkingLineWithRetiredPairs) {
  // "<<b>>": the first pair is "<<b>"; then the working line reads "$<b$>", whose tag "<b$>" is no FONT tag.
  EXPECT_EQ(ranges("<<b>>"), (std::vector<ColouredRange>{r(0, 4, TagClass::Font), r(1, 4, TagClass::Default)}));
  // "<!-- <b> -->": "<!-- <b>" holds "<b>"; then "<b$ -->" does not.
  EXPECT_EQ(ranges("<!-- <b> -->"), (std::vector<ColouredRange>{r(0, 8, TagClass::Font), r(5, 7, TagClass::Default)}));
}

TEST(TagColouring, ALineColouredInStepsGivesTheSameRanges) {
  std::string line;
  for (int i = 0; i < 1000; ++i) line += i % 7 ? "<td>x" : "> y <<b>>";
  std::vector<ColouredRange> whole, stepped;
  colourLine(line, 10, kColours, whole);
  LineColourer colourer(line, 10);
  size_t steps = 0;
  while (!colourer.next(kColours, stepped, 3)) ++steps;
  EXPECT_EQ(stepped, whole);
  EXPECT_GT(steps, 100u);
}

}  // namespace
}  // namespace quillon
