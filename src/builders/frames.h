#pragma once

#include <array>
#include <string>
#include <vector>

namespace quillon {

// One frame's data as the builder collects it. A name of "*" means "not named yet".
struct FrameSlot {
  std::string src;
  std::string name = "*";
  bool noResize = true;
  bool noBorder = false;
  std::string scrolling = "Auto";
};

enum class FrameOrientation { Columns, Rows };

// The wizard's layout: 2 to 5 main frames side by side (columns) or stacked (rows), each divided into 1
// to 5 parts, and 25 slots of frame data numbered 5*(main-1) + part. Slots outside the layout keep their
// data but are not written.
struct FramesLayout {
  static constexpr int kMax = 5;
  FrameOrientation orientation = FrameOrientation::Columns;
  int mainCount = 2;
  std::array<int, kMax> parts = {1, 1, 1, 1, 1};
  std::array<FrameSlot, kMax * kMax> slotData;

  // main and part count from 1.
  FrameSlot& slot(int main, int part) { return slotData[static_cast<size_t>((main - 1) * kMax + (part - 1))]; }
  const FrameSlot& slot(int main, int part) const {
    return slotData[static_cast<size_t>((main - 1) * kMax + (part - 1))];
  }
  bool divided(int main) const { return parts[static_cast<size_t>(main - 1)] >= 2; }
};

// `"50%,*"`: k-1 equal integer percentages and an asterisk for the rest, in double quotes (k >= 2).
std::string equalSizes(int k);

// `<FRAME NAME="n" SRC="s" SCROLLING="Auto" NORESIZE>` after `indent` blanks.
std::string frameLine(const FrameSlot& slot, int indent);

// "Frame2" for a main frame (part 0), "Frame2A" ... "Frame2E" for its parts 1 to 5.
std::string framePanelCaption(int main, int part);

// On entering the data step: the first slot's name follows whether main frame 1 is divided.
void settleFirstSlotName(FramesLayout& layout);

// Every slot still named "*" gets its panel's caption; a main frame's only slot is named after the main
// frame, the first part of a divided one after its part.
void giveDefaultNames(FramesLayout& layout);

// The whole frame document body, every line ending CR LF.
std::string framesWizardText(const FramesLayout& layout);

// One of the five fixed template designs (1 to 5) from the yellow, white and pink frame records.
std::string frameTemplateText(int design, const FrameSlot& yellow, const FrameSlot& white, const FrameSlot& pink);
// Designs 3 and 4 have a third (pink) frame.
bool templateUsesPink(int design);

// A panel of the layout preview, in the wizard panel's pixels. `part` is 0 for a main frame panel.
struct FramePanel {
  int main = 1;
  int part = 0;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The preview: a 320 x 240 area at (16, 36), main frames in equal integer shares, the parts of a divided
// main frame in equal shares inside it. Main panels come first, then the parts of each.
std::vector<FramePanel> framesPreview(FrameOrientation orientation, int mainCount, const std::array<int, 5>& parts);

}  // namespace quillon
