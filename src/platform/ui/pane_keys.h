#pragma once

#include <QList>

class QWidget;

namespace quillon {

// F6 moves the keyboard's focus to the next of the window's panes and Shift+F6 to the one before, so that
// the keyboard alone leaves a pane that keeps Tab for itself (the editing window types a tab). The focus
// goes back to the control that last had it in that pane, else to the pane's first control Tab reaches.
// Panes hidden or disabled are passed over.
void movePanesWithF6(QWidget& window, const QList<QWidget*>& panes);

}  // namespace quillon
