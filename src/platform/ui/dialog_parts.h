#pragma once

#include <QItemSelectionModel>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "platform/ui/named.h"

namespace quillon {

// A push button with its caption and the name scripts know it by.
inline QPushButton* namedButton(const char* caption, const char* name, QWidget* parent) {
  return named(new QPushButton(caption, parent), name);
}

// The rows marked in a multiple-selection list, top to bottom.
// Read from the selection's ranges: asking each item would cost the number of ranges per row.
inline std::vector<int> markedRows(const QListWidget* list) {
  std::vector<char> marked(static_cast<size_t>(list->count()), 0);
  for (const QItemSelectionRange& range : list->selectionModel()->selection())
    for (int row = std::max(range.top(), 0); row <= range.bottom() && row < list->count(); ++row)
      marked[static_cast<size_t>(row)] = 1;
  std::vector<int> rows;
  for (size_t i = 0; i < marked.size(); ++i)
    if (marked[i]) rows.push_back(static_cast<int>(i));
  return rows;
}

}  // namespace quillon
