#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

namespace quillon {

// How often a long run on the window's thread lets the window handle its events.
inline constexpr int kPumpIntervalMs = 20;

// A long run on the window's thread (colouring, slash replacement, site replace, backup, analysis). It lets
// pending events run every kPumpIntervalMs, not for every step, so that a click or the Stop button is seen
// at once without event handling dominating a run of a million steps. `stop` is the flag those events set.
class PumpedPass {
 public:
  explicit PumpedPass(const bool* stop = nullptr) : stop_(stop) {}

  // Lets events run when they are due (the first call always does); call it between steps.
  void pump() {
    if (sincePump_.isValid() && sincePump_.elapsed() < kPumpIntervalMs) return;
    QCoreApplication::processEvents();
    sincePump_.start();
  }
  // pump(), then whether the run must end; call it between steps, and inside long ones.
  bool shouldStop() {
    pump();
    stopped_ = stop_ && *stop_;
    return stopped_;
  }
  bool stopped() const { return stopped_; }

 private:
  const bool* stop_;
  QElapsedTimer sincePump_;
  bool stopped_ = false;
};

}  // namespace quillon
