#pragma once

#include <chrono>
#include <map>
#include <mutex>
#include <vector>

#include "publish/event_loop.h"

namespace quillon {

class PollEventLoop : public EventLoop {
 public:
  PollEventLoop();
  ~PollEventLoop() override;

  int watch(int fd, unsigned events, std::function<void(unsigned)> fn) override;
  void setEvents(int watchId, unsigned events) override;
  void unwatch(int watchId) override;
  int startTimer(int ms, Callback fn) override;
  void stopTimer(int timerId) override;
  void post(Callback fn) override;
  bool pumpOnce(int timeoutMs) override;

  // Pumps until done() is true or timeoutMs has passed; false on the time-out.
  bool runUntil(const std::function<bool()>& done, int timeoutMs);

 private:
  using Clock = std::chrono::steady_clock;
  struct Watch {
    int fd;
    unsigned events;
    std::function<void(unsigned)> fn;
  };
  struct Timer {
    std::chrono::milliseconds period;
    Clock::time_point due;
    Callback fn;
  };

  int wakeRead_ = -1, wakeWrite_ = -1;
  int nextId_ = 1;
  std::map<int, Watch> watches_;
  std::map<int, Timer> timers_;
  std::mutex postedMutex_;
  std::vector<Callback> posted_;
};

}  // namespace quillon
