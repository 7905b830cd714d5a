#include "publish/poll_event_loop.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <optional>

namespace quillon {

namespace {
// How long a loop on fake time waits for real events before it counts as quiet and its time jumps.
constexpr int kFakeQuietMs = 20;
}  // namespace

PollEventLoop::PollEventLoop() {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
    wakeRead_ = fds[0];
    wakeWrite_ = fds[1];
  }
}

PollEventLoop::~PollEventLoop() {
  if (wakeRead_ >= 0) ::close(wakeRead_);
  if (wakeWrite_ >= 0) ::close(wakeWrite_);
}

int PollEventLoop::watch(int fd, unsigned events, std::function<void(unsigned)> fn) {
  const int id = nextId_++;
  watches_[id] = {fd, events, std::move(fn)};
  return id;
}

void PollEventLoop::setEvents(int watchId, unsigned events) {
  if (auto it = watches_.find(watchId); it != watches_.end()) it->second.events = events;
}

void PollEventLoop::unwatch(int watchId) { watches_.erase(watchId); }

int PollEventLoop::startTimer(int ms, Callback fn) {
  const int id = nextId_++;
  timers_[id] = {std::chrono::milliseconds(ms), now() + std::chrono::milliseconds(ms), std::move(fn)};
  return id;
}

PollEventLoop::Clock::time_point PollEventLoop::now() const { return fakeTime_ ? fakeNow_ : Clock::now(); }

void PollEventLoop::useFakeTime() {
  fakeNow_ = Clock::now();
  fakeTime_ = true;
}

void PollEventLoop::stopTimer(int timerId) { timers_.erase(timerId); }

void PollEventLoop::post(Callback fn) {
  {
    std::lock_guard<std::mutex> lock(postedMutex_);
    posted_.push_back(std::move(fn));
  }
  const char byte = 1;
  [[maybe_unused]] const ssize_t w = ::write(wakeWrite_, &byte, 1);
}

bool PollEventLoop::pumpOnce(int timeoutMs) {
  const auto start = now();
  int wait = timeoutMs;
  std::optional<Clock::time_point> nextDue;
  for (const auto& [id, t] : timers_) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(t.due - start).count();
    wait = std::max(0, std::min(wait, static_cast<int>(left)));
    if (!nextDue || t.due < *nextDue) nextDue = t.due;
  }
  std::vector<pollfd> fds;
  std::vector<int> ids;
  fds.push_back({wakeRead_, POLLIN, 0});
  for (const auto& [id, w] : watches_) {
    short events = 0;
    if (w.events & Readable) events |= POLLIN;
    if (w.events & Writable) events |= POLLOUT;
    if (!events) continue;
    fds.push_back({w.fd, events, 0});
    ids.push_back(id);
  }
  int n = ::poll(fds.data(), fds.size(), fakeTime_ ? std::min(wait, kFakeQuietMs) : wait);
  if (n < 0 && errno != EINTR) n = 0;
  bool ran = false;

  if (fds[0].revents & POLLIN) {
    char drain[64];
    while (::read(wakeRead_, drain, sizeof drain) > 0) {
    }
  }
  std::vector<Callback> posted;
  {
    std::lock_guard<std::mutex> lock(postedMutex_);
    posted.swap(posted_);
  }
  for (auto& fn : posted) {
    fn();
    ran = true;
  }
  for (size_t i = 1; i < fds.size(); ++i) {
    if (!fds[i].revents) continue;
    unsigned ready = 0;
    if (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) ready |= Readable;
    if (fds[i].revents & (POLLOUT | POLLERR)) ready |= Writable;
    const auto it = watches_.find(ids[i - 1]);  // an earlier handler may have removed it
    if (it == watches_.end()) continue;
    ready &= it->second.events | (fds[i].revents & (POLLHUP | POLLERR) ? Readable : 0u);
    if (!ready) continue;
    const auto fn = it->second.fn;
    fn(ready);
    ran = true;
  }
  if (fakeTime_ && !ran && n <= 0)
    fakeNow_ = nextDue ? std::max(start, *nextDue) : start + std::chrono::milliseconds(timeoutMs);
  const auto after = now();
  std::vector<int> due;
  for (const auto& [id, t] : timers_)
    if (t.due <= after) due.push_back(id);
  for (int id : due) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) continue;
    it->second.due = after + it->second.period;
    const auto fn = it->second.fn;
    fn();
    ran = true;
  }
  return ran;
}

bool PollEventLoop::runUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    if (left <= 0) return false;
    pumpOnce(static_cast<int>(std::min<long long>(left, 50)));
  }
  return true;
}

}  // namespace quillon
