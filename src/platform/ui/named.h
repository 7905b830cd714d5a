#pragma once

#include <QString>

namespace quillon {

// Gives a new control the name the rest of the program and the automation driver know it by.
template <typename W>
W* named(W* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

// The same, for a control no caption or label names: `spoken` is what a screen reader says for it.
template <typename W>
W* named(W* widget, const char* name, const char* spoken) {
  widget->setObjectName(name);
  widget->setAccessibleName(QString::fromUtf8(spoken));
  return widget;
}

}  // namespace quillon
