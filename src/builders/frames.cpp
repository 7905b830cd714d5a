#include "builders/frames.h"

#include "base/text_bytes.h"

namespace quillon {

namespace {

constexpr int kPreviewLeft = 16;
constexpr int kPreviewTop = 36;
constexpr int kPreviewWidth = 320;
constexpr int kPreviewHeight = 240;

void addLine(std::string& out, std::string_view line) {
  out += line;
  out += kCrLf;
}

}  // namespace

std::string equalSizes(int k) {
  std::string out = "\"";
  for (int i = 1; i < k; ++i) out += std::to_string(100 / k) + "%,";
  return out + "*\"";
}

std::string frameLine(const FrameSlot& s, int indent) {
  std::string line(static_cast<size_t>(indent), ' ');
  line += "<FRAME NAME=\"" + s.name + "\" SRC=\"" + s.src + "\" SCROLLING=\"" + s.scrolling + "\" ";
  if (s.noResize) line += "NORESIZE";
  if (s.noBorder) line += " FRAMEBORDER=\"0\"";
  return line + ">";
}

std::string framePanelCaption(int main, int part) {
  std::string caption = "Frame" + std::to_string(main);
  if (part >= 1) caption += static_cast<char>('A' + part - 1);
  return caption;
}

void settleFirstSlotName(FramesLayout& layout) {
  FrameSlot& first = layout.slot(1, 1);
  if (first.name == "Frame1" && layout.divided(1))
    first.name = "Frame1A";
  else if (first.name == "Frame1A" && !layout.divided(1))
    first.name = "Frame1";
}

void giveDefaultNames(FramesLayout& layout) {
  for (int main = 1; main <= FramesLayout::kMax; ++main)
    for (int part = 1; part <= FramesLayout::kMax; ++part) {
      FrameSlot& s = layout.slot(main, part);
      if (s.name != "*") continue;
      s.name = part == 1 && !layout.divided(main) ? framePanelCaption(main, 0) : framePanelCaption(main, part);
    }
}

std::string framesWizardText(const FramesLayout& layout) {
  const bool columns = layout.orientation == FrameOrientation::Columns;
  std::string out;
  addLine(out, std::string(columns ? "<FRAMESET ROWS=\"100%\" COLS=" : "<FRAMESET COLS=\"100%\" ROWS=") +
                   equalSizes(layout.mainCount) + ">");
  for (int main = 1; main <= layout.mainCount; ++main) {
    const int parts = layout.parts[static_cast<size_t>(main - 1)];
    if (parts < 2) {
      addLine(out, frameLine(layout.slot(main, 1), 4));
      continue;
    }
    addLine(out, std::string("    <FRAMESET ") + (columns ? "ROWS" : "COLS") + "=" + equalSizes(parts) + ">");
    for (int part = 1; part <= parts; ++part) addLine(out, frameLine(layout.slot(main, part), 8));
    addLine(out, "    </FRAMESET>");
  }
  addLine(out, "<NOFRAMES>");
  addLine(out, "</NOFRAMES>");
  addLine(out, "</FRAMESET>");
  return out;
}

bool templateUsesPink(int design) { return design == 3 || design == 4; }

std::string frameTemplateText(int design, const FrameSlot& yellow, const FrameSlot& white, const FrameSlot& pink) {
  std::string out;
  switch (design) {
    case 2:
      addLine(out, "<FRAMESET COLS=\"100%\" ROWS=\"20%,*\">");
      addLine(out, frameLine(yellow, 4));
      addLine(out, frameLine(white, 4));
      break;
    case 3:
      addLine(out, "<FRAMESET COLS=\"100%\" ROWS=\"20%,60%,*\">");
      addLine(out, frameLine(yellow, 4));
      addLine(out, frameLine(white, 4));
      addLine(out, frameLine(pink, 4));
      break;
    case 4:
      addLine(out, "<FRAMESET ROWS=\"100%\" COLS=\"20%,*\">");
      addLine(out, frameLine(yellow, 4));
      addLine(out, "    <FRAMESET ROWS=\"20%,*\">");
      addLine(out, frameLine(pink, 8));
      addLine(out, frameLine(white, 8));
      addLine(out, "    </FRAMESET>");
      break;
    case 5:
      addLine(out, "<FRAMESET COLS=\"100%\" ROWS=\"80%,*\">");
      addLine(out, frameLine(white, 4));
      addLine(out, frameLine(yellow, 4));
      break;
    default:
      addLine(out, "<FRAMESET ROWS=\"100%\" COLS=\"20%,*\">");
      addLine(out, frameLine(yellow, 4));
      addLine(out, frameLine(white, 4));
      break;
  }
  addLine(out, "<NOFRAMES>");
  addLine(out, "</NOFRAMES>");
  addLine(out, "</FRAMESET>");
  return out;
}

std::vector<FramePanel> framesPreview(FrameOrientation orientation, int mainCount, const std::array<int, 5>& parts) {
  std::vector<FramePanel> panels;
  if (mainCount < 1) return panels;
  const bool columns = orientation == FrameOrientation::Columns;
  for (int main = 1; main <= mainCount; ++main) {
    FramePanel p{main, 0, kPreviewLeft, kPreviewTop, kPreviewWidth, kPreviewHeight};
    if (columns) {
      p.width = kPreviewWidth / mainCount;
      p.left += (main - 1) * p.width;
    } else {
      p.height = kPreviewHeight / mainCount;
      p.top += (main - 1) * p.height;
    }
    panels.push_back(p);
  }
  for (int main = 1; main <= mainCount; ++main) {
    const FramePanel outer = panels[static_cast<size_t>(main - 1)];
    const int count = parts[static_cast<size_t>(main - 1)];
    if (count < 2) continue;
    for (int part = 1; part <= count; ++part) {
      FramePanel p = outer;
      p.part = part;
      if (columns) {
        p.height = kPreviewHeight / count;
        p.top += (part - 1) * p.height;
      } else {
        p.width = kPreviewWidth / count;
        p.left += (part - 1) * p.width;
      }
      panels.push_back(p);
    }
  }
  return panels;
}

}  // namespace quillon
