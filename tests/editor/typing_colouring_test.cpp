#include "editor/typing_colouring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "editor/tag_colouring.h"

namespace quillon {
namespace {

// A document that keeps its styles as the editing window does: inserted bytes come in with style 0, and a
// change moves the styled end back to it.
class TestDocument : public StyledDocument {
 public:
  explicit TestDocument(std::string text) : text_(std::move(text)), styles_(text_.size(), '\0') {}
  size_t length() const override { return text_.size(); }
  size_t lineStartAt(size_t pos) const override {
    while (pos > 0 && !isLineStart(pos)) --pos;
    return pos;
  }
  size_t lineEndAt(size_t pos) const override {
    while (pos < text_.size() && text_[pos] != '\r' && text_[pos] != '\n') ++pos;
    return pos;
  }
  size_t nextLineStartAt(size_t pos) const override {
    pos = lineEndAt(pos);
    if (pos < text_.size() && text_[pos] == '\r') {
      ++pos;
      if (pos < text_.size() && text_[pos] == '\n') ++pos;
    } else if (pos < text_.size()) {
      ++pos;  // an LF
    }
    return pos;
  }
  std::string_view range(size_t from, size_t to) override { return std::string_view(text_).substr(from, to - from); }
  void setStyles(size_t from, std::string_view styles) override {
    styles_.replace(from, styles.size(), styles);
    styledBytes += styles.size();
    endStyled = from + styles.size();
  }
  void styledTo(size_t pos) override { endStyled = pos; }

  void edit(TypingColourer& colourer, size_t at, size_t removed, const std::string& inserted) {
    text_.replace(at, removed, inserted);
    styles_.replace(at, removed, std::string(inserted.size(), '\0'));
    endStyled = std::min(endStyled, at);
    colourer.changed(at, removed, inserted.size());
  }
  // The styles the colouring pass gives the text as it is, on a page of normal text.
  std::string passStyles(const std::array<ColourValue, 6>& colours) const {
    std::string styles(text_.size(), '\0');
    for (const ColouredRange& r : colourTags(text_, colours))
      std::fill_n(styles.begin() + static_cast<long>(r.offset), r.length, static_cast<char>(styleForColour(r.colour)));
    return styles;
  }
  const std::string& text() const { return text_; }
  const std::string& styles() const { return styles_; }
  size_t endStyled = 0;
  size_t styledBytes = 0;

 private:
  bool isLineStart(size_t pos) const {
    return text_[pos - 1] == '\n' || (text_[pos - 1] == '\r' && (pos >= text_.size() || text_[pos] != '\n'));
  }
  std::string text_, styles_;
};

const std::array<ColourValue, 6> kColours = {ColorFromName("clRed"),    ColorFromName("clBlue"),
                                             ColorFromName("clGreen"),  ColorFromName("clPurple"),
                                             ColorFromName("clMaroon"), ColorFromName("clNavy")};

std::string pageOf(const char* name) {
  std::ifstream in(std::string(QUILLON_TEST_DATA) + "/check/site/" + name, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Where the styles first differ from the pass's, with the text around it; empty when they agree.
std::string firstDifference(const TestDocument& doc) {
  const std::string want = doc.passStyles(kColours);
  const auto [got, expected] = std::mismatch(doc.styles().begin(), doc.styles().end(), want.begin());
  if (got == doc.styles().end()) return {};
  const size_t at = static_cast<size_t>(got - doc.styles().begin());
  return "style " + std::to_string(*got) + " instead of " + std::to_string(*expected) + " at " + std::to_string(at) +
         " in \"" + doc.text().substr(at - std::min<size_t>(at, 40), 80) + "\"";
}

void styleAll(TestDocument& doc, TypingColourer& colourer) {
  for (int guard = 0; doc.endStyled < doc.length(); ++guard) {
    ASSERT_LT(guard, 1000) << "styling stands still at " << doc.endStyled;
    colourer.style(doc, doc.endStyled, doc.length());
  }
}

TEST(TypingColourer, RandomEditsOfRealPagesGiveWhatTheWholePassGives) {
  std::mt19937 random(20261210);
  std::string longLine;
  for (int i = 0; i < 3000; ++i) longLine += i % 7 ? "<td class=x>cell</td>" : "<a href=\"#\">x</a> > <b>";
  for (const std::string& page :
       {pageOf("index.html") + pageOf("about.html"), longLine + "\r\n" + pageOf("contact.html")}) {
    TestDocument doc(page);
    TypingColourer colourer(kColours);
    styleAll(doc, colourer);
    ASSERT_EQ(firstDifference(doc), "");
    const std::string pieces[] = {"<", ">", "a", " ", "\r\n", "\n", "<a href=x>", "</table>", "\r", "<li"};
    for (int step = 0; step < 400; ++step) {
      const size_t at = random() % (doc.length() + 1);
      if (random() % 3 == 0 && at < doc.length())
        doc.edit(colourer, at, std::min<size_t>(1 + random() % 12, doc.length() - at), "");
      else
        doc.edit(colourer, at, 0, pieces[random() % std::size(pieces)]);
      // What the window shows first, then the rest as idle time gives it.
      colourer.style(doc, doc.endStyled, std::min(doc.length(), at + random() % 3000));
      // What counts as styled is final already.
      const std::string wrong = firstDifference(doc);
      ASSERT_TRUE(wrong.empty() || std::stoul(wrong.substr(wrong.find(" at ") + 4)) >= doc.endStyled)
          << "after step " << step << ", before " << doc.endStyled << ": " << wrong;
      if (step % 3 == 0) continue;  // several edits before the rest is styled
      styleAll(doc, colourer);
      ASSERT_EQ(firstDifference(doc), "") << "after step " << step;
    }
  }
}

TEST(TypingColourer, AKeystrokeRestylesItsLineOrAStretchOfALongLineNotTheRest) {
  std::string page;
  for (int i = 0; i < 20000; ++i) page += "<tr><td>row " + std::to_string(i) + "</td></tr>\r\n";
  TestDocument lines(page);
  TypingColourer colourer(kColours);
  styleAll(lines, colourer);
  lines.styledBytes = 0;
  lines.edit(colourer, page.size() / 2, 0, "x");
  styleAll(lines, colourer);
  EXPECT_LT(lines.styledBytes, 200u);
  EXPECT_EQ(firstDifference(lines), "");

  std::string one;
  for (int i = 0; i < 200000; ++i) one += "<td>cell</td>";  // 2.6 MB on one line
  TestDocument single(one);
  TypingColourer longColourer(kColours);
  // Asked for the first screen only: a stretch, not the line.
  longColourer.style(single, 0, 2000);
  EXPECT_LT(single.endStyled, 20000u);
  styleAll(single, longColourer);
  single.styledBytes = 0;
  single.edit(longColourer, one.size() / 2 + 2, 0, "x");  // typed into a cell
  styleAll(single, longColourer);
  EXPECT_LT(single.styledBytes, 3 * TypingColourer::kCheckpointGap);
  EXPECT_EQ(firstDifference(single), "");
  // A "<" typed in the middle changes the pairing of the whole rest of the line: all of it is restyled.
  single.edit(longColourer, one.size() / 2, 0, "<");
  styleAll(single, longColourer);
  EXPECT_EQ(firstDifference(single), "");
}

}  // namespace
}  // namespace quillon
