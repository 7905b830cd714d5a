#include "editor/typing_colouring.h"

#include <algorithm>
#include <string>

#include "editor/tag_colouring.h"

namespace quillon {

namespace {

constexpr size_t kPairsPerBatch = 256;

}  // namespace

void TypingColourer::setColours(const std::array<ColourValue, 6>& colours) {
  colours_ = colours;
  forget();
}

void TypingColourer::forget() {
  checkpoints_.clear();
  styledEnd_ = islandFloor_ = islandEnd_ = 0;
}

void TypingColourer::changed(size_t at, size_t removed, size_t inserted) {
  const size_t oldEnd = at + removed;
  const auto shifted = [&](size_t p) { return p - removed + inserted; };
  // A fresh point depends only on the text before it: those up to the change stay fresh. The styles after
  // the change, up to where styling had come, become the island to take over; the fresh points in it are
  // its candidates, to be found fresh again.
  std::vector<Checkpoint> kept;
  kept.reserve(checkpoints_.size());
  if (styledEnd_ > at) {
    const bool island = styledEnd_ >= oldEnd;
    for (const Checkpoint& c : checkpoints_) {
      if (!c.verified) continue;
      if (c.at <= at)
        kept.push_back(c);
      else if (island && c.at >= oldEnd && c.at < styledEnd_)
        kept.push_back({shifted(c.at), false});
    }
    islandFloor_ = island ? at + inserted : 0;
    islandEnd_ = island ? shifted(styledEnd_) : 0;
    styledEnd_ = at;
  } else {
    // The change lies beyond the styled part: an island after it keeps its place; one it falls in, or
    // before which it changes the pairing of the island's line, is given up.
    const bool islandStays = islandEnd_ > islandFloor_ && (islandFloor_ >= oldEnd || islandEnd_ <= at);
    for (const Checkpoint& c : checkpoints_) {
      if (!c.verified && !islandStays) continue;
      if (c.at <= at)
        kept.push_back(c);
      else if (c.at >= oldEnd)
        kept.push_back({shifted(c.at), false});
    }
    if (!islandStays) {
      islandFloor_ = islandEnd_ = 0;
    } else if (islandFloor_ >= oldEnd) {
      islandFloor_ = shifted(islandFloor_);
      islandEnd_ = shifted(islandEnd_);
    }
  }
  checkpoints_ = std::move(kept);
}

void TypingColourer::dropIsland() {
  islandFloor_ = islandEnd_ = 0;
  std::erase_if(checkpoints_, [](const Checkpoint& c) { return !c.verified; });
}

size_t TypingColourer::startPoint(StyledDocument& doc, size_t pos) const {
  const size_t lineStart = doc.lineStartAt(pos);
  auto after = std::upper_bound(checkpoints_.begin(), checkpoints_.end(), pos,
                                [](size_t p, const Checkpoint& c) { return p < c.at; });
  while (after != checkpoints_.begin()) {
    --after;
    if (after->at < lineStart) break;
    if (after->verified) return after->at;
  }
  return lineStart;
}

bool TypingColourer::takesOverAt(size_t q, bool lineStart) const {
  if (islandEnd_ <= islandFloor_ || q >= islandEnd_) return false;
  // A line start right at the change's end may not have been one before it.
  if (lineStart) return q > islandFloor_;
  if (q < islandFloor_) return false;
  const auto c = std::lower_bound(checkpoints_.begin(), checkpoints_.end(), q,
                                  [](const Checkpoint& c, size_t p) { return c.at < p; });
  return c != checkpoints_.end() && c->at == q;
}

void TypingColourer::takeOver(StyledDocument& doc, size_t q) {
  for (Checkpoint& c : checkpoints_)
    if (c.at >= q && c.at < islandEnd_) c.verified = true;
  doc.styledTo(islandEnd_);
  styledEnd_ = islandEnd_;
  dropIsland();
}

void TypingColourer::record(size_t q) {
  auto at = std::lower_bound(checkpoints_.begin(), checkpoints_.end(), q,
                             [](const Checkpoint& c, size_t p) { return c.at < p; });
  if (at != checkpoints_.end() && at->at == q) {
    at->verified = true;
    return;
  }
  // Kept sparse: a verified point close before makes this one unneeded.
  if (at != checkpoints_.begin() && std::prev(at)->verified && q - std::prev(at)->at < kCheckpointGap) return;
  checkpoints_.insert(at, {q, true});
}

size_t TypingColourer::nextCandidate(size_t pos) const {
  if (islandEnd_ <= islandFloor_) return std::string_view::npos;
  const auto c = std::lower_bound(checkpoints_.begin(), checkpoints_.end(), std::max(pos, islandFloor_),
                                  [](const Checkpoint& c, size_t p) { return c.at < p; });
  return c != checkpoints_.end() && c->at < islandEnd_ ? c->at : std::string_view::npos;
}

size_t TypingColourer::styleLine(StyledDocument& doc, size_t start, size_t wanted, bool& resynced) {
  const size_t lineEnd = doc.lineEndAt(start);
  const size_t next = doc.nextLineStartAt(start);
  const bool longLine = lineEnd - doc.lineStartAt(start) > kLongLine;
  LineColourer colourer(doc.range(start, lineEnd), start);
  std::vector<ColouredRange> ranges;
  size_t flushed = start;
  std::string styles;
  const auto flush = [&](size_t to) {
    styles.assign(to - flushed, '\0');
    for (const ColouredRange& r : ranges) {
      const char style = static_cast<char>(styleForColour(r.colour));
      std::fill_n(styles.begin() + static_cast<long>(r.offset - flushed), r.length, style);
    }
    ranges.clear();
    doc.setStyles(flushed, styles);
    flushed = to;
  };
  size_t candidate = longLine ? nextCandidate(start + 1) : std::string_view::npos;
  // A pair at a time: the places where the pairing may start afresh are the ends of pairs.
  while (!colourer.next(colours_, ranges, 1)) {
    const size_t at = colourer.position();
    while (candidate != std::string_view::npos && candidate < at) candidate = nextCandidate(candidate + 1);
    const bool checkHere = at == candidate || at >= wanted || (longLine && at - flushed >= kCheckpointGap);
    if (!checkHere || colourer.freshPoint() != at) continue;
    if (at == candidate && takesOverAt(at, false)) {
      flush(at);
      resynced = true;
      return at;
    }
    if (longLine && at - flushed >= kCheckpointGap) {
      flush(at);
      record(at);
    }
    if (at >= wanted) {
      if (flushed < at) flush(at);
      if (longLine) record(at);
      return at;
    }
  }
  flush(next);
  return next;
}

size_t TypingColourer::style(StyledDocument& doc, size_t from, size_t wanted) {
  const size_t length = doc.length();
  wanted = std::min(wanted, length);
  size_t pos = startPoint(doc, std::min({from, styledEnd_, length}));
  while (pos < wanted) {
    bool resynced = false;
    const size_t reached = styleLine(doc, pos, wanted, resynced);
    if (resynced) {
      takeOver(doc, reached);
      pos = styledEnd_;
      if (pos >= wanted || pos >= length) return pos;
      pos = startPoint(doc, pos);
      continue;
    }
    if (reached <= pos) break;  // a document that does not move on to its next line
    styledEnd_ = std::max(styledEnd_, reached);
    if (islandEnd_ > islandFloor_ && styledEnd_ >= islandEnd_) dropIsland();  // styled past all it held
    if (reached >= length) return length;
    if (reached == doc.lineStartAt(reached) && takesOverAt(reached, true)) {
      takeOver(doc, reached);
      pos = styledEnd_;
      if (pos >= wanted || pos >= length) return pos;
      pos = startPoint(doc, pos);
      continue;
    }
    pos = reached;
  }
  return std::max(pos, styledEnd_);
}

}  // namespace quillon
