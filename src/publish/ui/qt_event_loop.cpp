#include "publish/ui/qt_event_loop.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QSocketNotifier>
#include <QTimer>

namespace quillon {

QtEventLoop::QtEventLoop(QObject* parent) : QObject(parent) {}

QtEventLoop::~QtEventLoop() = default;

int QtEventLoop::watch(int fd, unsigned events, std::function<void(unsigned)> fn) {
  const int id = nextId_++;
  Watch& w = watches_[id];
  w.fn = std::move(fn);
  w.read = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
  w.write = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write);
  // The handler may remove this very watch: look it up again on each notice.
  connect(w.read.get(), &QSocketNotifier::activated, this, [this, id] {
    if (auto it = watches_.find(id); it != watches_.end()) it->second.fn(Readable);
  });
  connect(w.write.get(), &QSocketNotifier::activated, this, [this, id] {
    if (auto it = watches_.find(id); it != watches_.end()) it->second.fn(Writable);
  });
  setEvents(id, events);
  return id;
}

void QtEventLoop::setEvents(int watchId, unsigned events) {
  const auto it = watches_.find(watchId);
  if (it == watches_.end()) return;
  it->second.read->setEnabled(events & Readable);
  it->second.write->setEnabled(events & Writable);
}

void QtEventLoop::unwatch(int watchId) {
  const auto it = watches_.find(watchId);
  if (it == watches_.end()) return;
  it->second.read->setEnabled(false);
  it->second.write->setEnabled(false);
  // Deleted later: the notifier may be the one whose signal is running now.
  it->second.read.release()->deleteLater();
  it->second.write.release()->deleteLater();
  watches_.erase(it);
}

int QtEventLoop::startTimer(int ms, Callback fn) {
  const int id = nextId_++;
  auto* timer = new QTimer(this);
  timer->setInterval(ms);
  connect(timer, &QTimer::timeout, this, [fn = std::move(fn)] { fn(); });
  timer->start();
  timers_[id] = timer;
  return id;
}

void QtEventLoop::stopTimer(int timerId) {
  const auto it = timers_.find(timerId);
  if (it == timers_.end()) return;
  it->second->stop();
  it->second->deleteLater();
  timers_.erase(it);
}

void QtEventLoop::post(Callback fn) {
  QMetaObject::invokeMethod(
      this, [fn = std::move(fn)] { fn(); }, Qt::QueuedConnection);
}

bool QtEventLoop::pumpOnce(int timeoutMs) {
  QCoreApplication::processEvents(QEventLoop::AllEvents, timeoutMs);
  return true;
}

}  // namespace quillon
