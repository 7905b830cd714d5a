#pragma once

#include <chrono>
#include <functional>

namespace quillon {

// What the network code needs from an event loop: watch descriptors, run timers, take calls posted from other
// threads. PollEventLoop (poll(2)) serves tests and command-line tools; the program uses a Qt one.
class EventLoop {
 public:
  enum Events : unsigned { Readable = 1, Writable = 2 };
  using Callback = std::function<void()>;
  using Clock = std::chrono::steady_clock;

  virtual ~EventLoop() = default;
  // Calls fn(ready events) while fd is ready for any of `events`; returns an id for setEvents/unwatch.
  virtual int watch(int fd, unsigned events, std::function<void(unsigned)> fn) = 0;
  virtual void setEvents(int watchId, unsigned events) = 0;
  virtual void unwatch(int watchId) = 0;
  // A timer calling fn every `ms` milliseconds until stopped; returns its id (never 0).
  virtual int startTimer(int ms, Callback fn) = 0;
  virtual void stopTimer(int timerId) = 0;
  // Runs fn on the loop's thread soon; callable from any thread.
  virtual void post(Callback fn) = 0;
  // Runs what is ready, waiting at most timeoutMs for something; false when nothing ran.
  virtual bool pumpOnce(int timeoutMs) = 0;
  // The loop's time, which time-outs and elapsed times are measured in.
  virtual Clock::time_point now() const { return Clock::now(); }
};

}  // namespace quillon
