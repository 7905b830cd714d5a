#pragma once

#include <atomic>

namespace quillon {

// Work running on another thread whose result the window still waits for (spelling suggestions). The
// automation driver's wait-idle waits until none is left.
class BackgroundWork {
 public:
  static void started() { count().fetch_add(1); }
  static void finished() { count().fetch_sub(1); }
  static bool pending() { return count().load() > 0; }

 private:
  static std::atomic<int>& count() {
    static std::atomic<int> n{0};
    return n;
  }
};

}  // namespace quillon
