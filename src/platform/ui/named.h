#pragma once

namespace quillon {

// Gives a new control the name the rest of the program and the automation driver know it by.
template <typename W>
W* named(W* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

}  // namespace quillon
