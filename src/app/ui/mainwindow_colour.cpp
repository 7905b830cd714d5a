// Tag colouring: the pass over the document, the Color box and the Stop button.
#include <Qsci/qsciscintilla.h>
#include <QCheckBox>
#include <QScopeGuard>

#include "app/command_names.h"
#include "app/ui/mainwindow.h"
#include "base/text_bytes.h"
#include "editor/tag_colouring.h"
#include "editor/ui/editor_bytes.h"
#include "editor/ui/tag_styles.h"
#include "platform/ui/pumped_pass.h"

namespace quillon {

std::vector<CommandRecord> TForm1::colourCommands() {
  return {{cmd::BitBtnColorNowClick, "&Color Tags Now", "Ctrl+K", "applications-graphics",
           call(&TForm1::BitBtnColorNowClick)},
          {cmd::CheckBoxColoredTagsClick, "Turn Colored Tags On/Off", "", "", call(&TForm1::CheckBoxColoredTagsClick)},
          {cmd::BitBtnStopColorsMouseDown, "Stop Colored Tag Processing", "", "",
           call(&TForm1::BitBtnStopColorsMouseDown)}};
}

void TForm1::ColorTags() {
  stopColoring_ = false;
  editor_bytes::setWordWrap(*RE1, false);
  std::array<ColourValue, 6> colours;
  for (size_t i = 0; i < colours.size(); ++i) colours[i] = ColorFromName(settings_.tagColourNames[i]);
  // A copy: events that run between lines may edit the window, and offsets are taken from the text as the
  // pass found it.
  const std::string text(editor_bytes::text(*RE1));
  std::vector<ColouredRange> ranges;
  // The editing window is drawn once the pass ends, not at every pause of it: drawing lays out the line in
  // view, and on one long line of tags that cost at every pause made the pass quadratic.
  RE1->setUpdatesEnabled(false);
  const auto redraw = qScopeGuard([this] { RE1->setUpdatesEnabled(true); });
  // Stopped between lines and inside a long line alike.
  PumpedPass pass(&stopColoring_);
  forEachLine(text, [&](std::string_view line, size_t offset) {
    if (pass.shouldStop()) return;
    LineColourer colourer(line, offset);
    for (bool lineDone = false; !lineDone;) {
      ranges.clear();
      lineDone = colourer.next(colours, ranges, 4096);
      const long length = editor_bytes::length(*RE1);
      for (const ColouredRange& r : ranges)
        if (static_cast<long>(r.offset + r.length) <= length) tag_styles::apply(*RE1, r.offset, r.length, r.colour);
      if (!lineDone && pass.shouldStop()) return;
    }
  });
  editor_bytes::setWordWrap(*RE1, settings_.wrap);
  editor_bytes::select(*RE1, 0, 0);
}

void TForm1::BitBtnColorNowClick() {
  if (!session_->state().path.empty()) ColorTags();
}

void TForm1::colourIfWanted() {
  if (CheckBoxColoredTags->isChecked()) ColorTags();
}

void TForm1::CheckBoxColoredTagsClick() { setSetting(&RunSettings::colored, CheckBoxColoredTags->isChecked()); }

}  // namespace quillon
