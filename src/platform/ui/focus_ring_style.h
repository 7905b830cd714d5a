#pragma once

class QApplication;

namespace quillon {

// Draws a ring in the palette's highlight colour around the control that has the keyboard's focus, once
// the user moves the focus with the keyboard: lists, trees, tables, text areas and push buttons, which the
// desktop's style marks faintly or (a default button, an empty list) not at all. The style underneath
// stays the desktop's. Calling it again does nothing.
void showFocusRings(QApplication& app);

}  // namespace quillon
