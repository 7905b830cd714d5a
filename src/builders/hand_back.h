#pragma once

#include <string>

#include "editor/insertion.h"
#include "platform/prompts.h"

namespace quillon {

// What an accepted builder dialog leaves for the main window: its text on the (emptied) clipboard, the
// insert request raised, and the text's length recorded.
struct BuilderHandBack {
  bool insertRequested = false;
  size_t length = 0;

  // `insert` false: "Copy Tag to Clipboard", the text stays on the clipboard only.
  void post(Clipboard& clipboard, const std::string& text, bool insert = true) {
    clipboard.clear();
    clipboard.setText(text);
    length = text.size();
    insertRequested = insert;
  }
};

enum class HandBackSelection { Dropped, Replaced };

// Pasting the clipboard's text where the selection was (dropped: at its start; replaced: over it), then
// selecting the last `length` bytes before the caret.
inline Insertion handBackInsertion(const EditView& state, const BuilderHandBack& handBack, const std::string& pasted,
                                   HandBackSelection selection) {
  Insertion in;
  in.start = state.selStart;
  in.removeLength = selection == HandBackSelection::Replaced ? state.selLength : 0;
  in.text = pasted;
  const size_t caret = in.start + pasted.size();
  const size_t length = handBack.length <= caret ? handBack.length : caret;
  in.selStart = caret - length;
  in.selLength = length;
  return in;
}

}  // namespace quillon
