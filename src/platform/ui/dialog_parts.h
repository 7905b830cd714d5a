#pragma once

#include <QListWidget>
#include <QPushButton>
#include <vector>

#include "platform/ui/named.h"

namespace quillon {

// A push button with its caption and the name scripts know it by.
inline QPushButton* namedButton(const char* caption, const char* name, QWidget* parent) {
  return named(new QPushButton(caption, parent), name);
}

// The rows marked in a multiple-selection list, top to bottom.
inline std::vector<int> markedRows(const QListWidget* list) {
  std::vector<int> rows;
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->isSelected()) rows.push_back(i);
  return rows;
}

}  // namespace quillon
