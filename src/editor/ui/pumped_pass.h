#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

namespace quillon {

// A long pass over the text on the window's thread (colouring, slash replacement). It lets pending events
// run every few milliseconds, not for every line, so that a click or the Stop button is seen at once
// without event handling dominating a million-line pass; `stop` is the flag those events set.
class PumpedPass {
 public:
  explicit PumpedPass(const bool& stop) : stop_(stop) { sincePump_.start(); }

  // True when the pass must end; call it between lines, and inside long lines.
  bool shouldStop() {
    if (stopped_) return true;
    if (sincePump_.elapsed() >= 5) {
      QCoreApplication::processEvents();
      sincePump_.restart();
    }
    stopped_ = stop_;
    return stopped_;
  }
  bool stopped() const { return stopped_; }

 private:
  const bool& stop_;
  QElapsedTimer sincePump_;
  bool stopped_ = false;
};

}  // namespace quillon
