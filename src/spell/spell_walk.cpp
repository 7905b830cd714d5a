#include "spell/spell_walk.h"

namespace quillon {

SpellWalk::SpellWalk(size_t selStart, size_t selLength)
    : selStart_(selStart),
      selLength_(selLength),
      restBegun_(selLength == 0),
      restStart_(selStart + selLength),
      startOffered_(selLength > 0 || selStart + selLength == 0) {}

SpellWalk::Range SpellWalk::first(size_t textLength) const {
  if (selLength_ > 0) return {selStart_, selStart_ + selLength_};
  return {restStart_, textLength};
}

const char* SpellWalk::question() const {
  if (!restBegun_) return kCheckRemainder;
  if (!startOffered_) return kCheckFromStart;
  return nullptr;
}

std::optional<SpellWalk::Range> SpellWalk::answer(bool yes, size_t selectionEnd, size_t textLength) {
  if (!restBegun_) {
    // The selection is done; the rest follows only on Yes.
    restBegun_ = true;
    if (!yes) {
      remainderDeclined_ = true;
      return std::nullopt;
    }
    return Range{selectionEnd, textLength};
  }
  if (startOffered_) return std::nullopt;
  startOffered_ = true;
  if (!yes) return std::nullopt;
  // The text before the caret is as it was: changes were made after it.
  return Range{0, restStart_};
}

}  // namespace quillon
