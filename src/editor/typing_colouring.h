#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "base/colour_names.h"

namespace quillon {

// The document as the colourer reads and styles it: the editing window, or a text of a test's own.
class StyledDocument {
 public:
  virtual ~StyledDocument() = default;
  virtual size_t length() const = 0;
  virtual size_t lineStartAt(size_t pos) const = 0;
  virtual size_t lineEndAt(size_t pos) const = 0;        // before the line end's bytes
  virtual size_t nextLineStartAt(size_t pos) const = 0;  // after them; length() on the last line
  // The bytes [from, to), valid until the next call.
  virtual std::string_view range(size_t from, size_t to) = 0;
  // One style number per byte from `from`; everything before the last styled byte counts as styled.
  virtual void setStyles(size_t from, std::string_view styles) = 0;
  // Everything before `pos` counts as styled, as its styles stand.
  virtual void styledTo(size_t pos) = 0;
};

// Tags coloured as the text is typed, with the same rules and result as the colouring pass over the whole
// page, and every byte outside a coloured range in the normal style 0. Styling goes forward from a point
// where the pairing of "<" and ">" starts afresh: a line start, or a point inside a long line that an
// earlier styling marked. After a change, styling that reaches a point where the text and its pairing are
// as before takes the styles that follow as they are, so that a keystroke costs a line (or a stretch of a
// long one), not the rest of the page.
class TypingColourer {
 public:
  explicit TypingColourer(const std::array<ColourValue, 6>& colours) : colours_(colours) {}
  void setColours(const std::array<ColourValue, 6>& colours);
  // `removed` bytes at `at` gave way to `inserted` bytes.
  void changed(size_t at, size_t removed, size_t inserted);
  // Nothing styled is known any more (a new text).
  void forget();
  // Styles from `from` (where the document's styling ends) until at least `wanted` (at a point where the
  // pairing starts afresh, so a stretch of a long line may go a little further) or the document's end.
  // Returns where styling now ends.
  size_t style(StyledDocument& doc, size_t from, size_t wanted);

  // Inside lines longer than this, fresh points are kept about this far apart.
  static constexpr size_t kLongLine = 8192;
  static constexpr size_t kCheckpointGap = 4096;

 private:
  struct Checkpoint {
    size_t at;
    bool verified;  // fresh in the text as it is; else a fresh point of the text before the last change
  };
  size_t startPoint(StyledDocument& doc, size_t pos) const;
  // Styles one line from fresh point `start`; returns the point reached (a fresh point at or past `wanted`,
  // the next line's start, or the end of the styles taken over as they were).
  size_t styleLine(StyledDocument& doc, size_t start, size_t wanted, bool& resynced);
  bool takesOverAt(size_t q, bool lineStart) const;
  // The first place at or after `pos` where styles of before the last change may be taken over.
  size_t nextCandidate(size_t pos) const;
  void record(size_t q);
  void takeOver(StyledDocument& doc, size_t q);
  void dropIsland();

  std::array<ColourValue, 6> colours_;
  std::vector<Checkpoint> checkpoints_;  // sorted by position
  size_t styledEnd_ = 0;
  // Styled before the last change: [floor, end) may be taken over from a fresh point at or after floor.
  size_t islandFloor_ = 0, islandEnd_ = 0;
};

}  // namespace quillon
