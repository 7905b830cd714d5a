#pragma once

class QsciScintilla;

namespace quillon {

// After a large change with wrapping on, Scintilla re-wraps the document a screenful at a time while the
// program is idle. Each step that wraps lines above the view moves the view's first display line and
// repaints the whole unchanged view, which makes the re-wrap of a page far below its top grow with the
// square of its length. While the re-wrap catches up, repaints are gathered into a few a second; input to
// the editor (keys, mouse, wheel, scroll bars) is shown at once. Nothing happens for small documents or with
// wrapping off.
void catchUpWrapping(QsciScintilla& editor);

}  // namespace quillon
