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
  Clock::time_point now() const override;

  // From now on the loop's time stands still while anything happens and, once nothing has happened for a few
  // real milliseconds, jumps to the next timer: a wait of seconds for a silent peer takes milliseconds.
  void useFakeTime();

  // Pumps until done() is true or timeoutMs of real time have passed; false on the time-out.
  bool runUntil(const std::function<bool()>& done, int timeoutMs);

 private:
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

  bool fakeTime_ = false;
  Clock::time_point fakeNow_;
  int wakeRead_ = -1, wakeWrite_ = -1;
  int nextId_ = 1;
  std::map<int, Watch> watches_;
  std::map<int, Timer> timers_;
  std::mutex postedMutex_;
  std::vector<Callback> posted_;
};

}  // namespace quillon
