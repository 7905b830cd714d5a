#include "editor/tag_completion.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "editor/html_names.h"

namespace quillon {
namespace {

TEST(TagCompletion, AnEndTagClosesTheInnermostElementStillOpen) {
  EXPECT_EQ(innermostOpenElement("<html><body><table><tr><td>x</td>"), "tr");
  // Void and self-closed elements, comments, scripts and end tags of elements left open inside.
  EXPECT_EQ(innermostOpenElement("<div><p>a<br><img src=x><span/><!-- <li> --><script>if (a<b) x='<em>';</script>"),
            "p");
  EXPECT_EQ(innermostOpenElement("<ul><li>one<li>two</ul><p>"), "p");
  EXPECT_EQ(innermostOpenElement("<a href=\"x>y\">link"), "a");
  EXPECT_EQ(innermostOpenElement("<B>bold</b>"), "");
  EXPECT_EQ(innermostOpenElement("<TABLE><TR>"), "TR");  // as written
  const CompletionOffer end = completionAt("<table><tr><td>cell</");
  EXPECT_EQ(end.kind, CompletionKind::EndTag);
  EXPECT_EQ(end.items, std::vector<std::string>{"td"});
  EXPECT_EQ(end.typed, 0u);
  EXPECT_EQ(completionText(end.kind, "td").text, "td>");
  EXPECT_EQ(completionAt("<table></t").items, std::vector<std::string>{"table"});
  EXPECT_EQ(completionAt("<table></x").kind, CompletionKind::None);
  EXPECT_EQ(completionAt("nothing open </").kind, CompletionKind::None);
}

TEST(TagCompletion, ElementNamesAndTheAttributesATagLacksAreOffered) {
  const CompletionOffer elements = completionAt("<p>x</p><ta");
  EXPECT_EQ(elements.kind, CompletionKind::Element);
  EXPECT_EQ(elements.typed, 2u);
  EXPECT_EQ(elements.items, (std::vector<std::string>{"table"}));
  EXPECT_EQ(completionAt("<TA").items, (std::vector<std::string>{"TABLE"}));
  EXPECT_EQ(completionAt("<h").items,
            (std::vector<std::string>{"h1", "h2", "h3", "h4", "h5", "h6", "head", "header", "hgroup", "hr", "html"}));
  EXPECT_EQ(completionAt("a < b").kind, CompletionKind::None);
  EXPECT_EQ(completionAt("<zz").kind, CompletionKind::None);

  const CompletionOffer attributes = completionAt("<img src=\"a.gif\" ");
  EXPECT_EQ(attributes.kind, CompletionKind::Attribute);
  const auto& items = attributes.items;
  EXPECT_NE(std::find(items.begin(), items.end(), "alt"), items.end());
  EXPECT_NE(std::find(items.begin(), items.end(), "class"), items.end());
  EXPECT_EQ(std::find(items.begin(), items.end(), "src"), items.end());   // there already
  EXPECT_EQ(std::find(items.begin(), items.end(), "href"), items.end());  // not an img's
  EXPECT_EQ(completionText(CompletionKind::Attribute, "alt").text, "alt=\"\"");
  EXPECT_EQ(completionText(CompletionKind::Attribute, "alt").caretBack, 1u);
  EXPECT_EQ(completionText(CompletionKind::Attribute, "hidden").text, "hidden");
  // Inside a quoted value, after a closed tag, or in a tag of no element: nothing.
  EXPECT_EQ(completionAt("<img alt=\"a ").kind, CompletionKind::None);
  EXPECT_EQ(completionAt("<img> ").kind, CompletionKind::None);
  EXPECT_EQ(completionAt("<blink ").kind, CompletionKind::None);
  const auto input = htmlAttributes("input");
  EXPECT_TRUE(std::is_sorted(input.begin(), input.end()));
}

}  // namespace
}  // namespace quillon
