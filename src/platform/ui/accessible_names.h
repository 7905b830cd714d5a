#pragma once

class QApplication;
class QWidget;

namespace quillon {

// Gives every control of a window that has no name of its own one a screen reader can say: the label
// beside or above it (which then also becomes the label's buddy, so its shortcut key reaches the control),
// else the title of the group it stands alone in, else its hint, else the text it shows when empty.
void nameControls(QWidget& window);

// Names the controls of every window as it is first shown, for the life of the application.
void nameControlsOfEveryWindow(QApplication& app);

}  // namespace quillon
