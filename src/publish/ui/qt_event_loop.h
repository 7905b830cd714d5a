#pragma once

#include <QObject>
#include <map>
#include <memory>

#include "publish/event_loop.h"

class QSocketNotifier;
class QTimer;

namespace quillon {

// The program's event loop as the network code sees it: socket notifiers, timers and queued calls of Qt.
class QtEventLoop : public QObject, public EventLoop {
  Q_OBJECT
 public:
  explicit QtEventLoop(QObject* parent = nullptr);
  ~QtEventLoop() override;

  int watch(int fd, unsigned events, std::function<void(unsigned)> fn) override;
  void setEvents(int watchId, unsigned events) override;
  void unwatch(int watchId) override;
  int startTimer(int ms, Callback fn) override;
  void stopTimer(int timerId) override;
  void post(Callback fn) override;
  bool pumpOnce(int timeoutMs) override;

 private:
  struct Watch {
    std::unique_ptr<QSocketNotifier> read, write;
    std::function<void(unsigned)> fn;
  };
  int nextId_ = 1;
  std::map<int, Watch> watches_;
  std::map<int, QTimer*> timers_;
};

}  // namespace quillon
