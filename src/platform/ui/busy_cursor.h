#pragma once

#include <QApplication>

namespace quillon {

// The waiting cursor, shown for as long as this lives.
struct BusyCursor {
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace quillon
