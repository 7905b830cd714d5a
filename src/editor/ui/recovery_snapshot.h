#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <string>

class QsciScintilla;

namespace quillon {

// A copy of the editing window's bytes taken a piece at a time, one piece per turn of the event loop, so
// that copying a 50 MB page never holds the window up; an edit while it is taken starts it again. When the
// copy is whole, `done` gets it.
class RecoverySnapshot : public QObject {
  Q_OBJECT
 public:
  RecoverySnapshot(QsciScintilla& editor, std::function<void(std::string)> done, QObject* parent = nullptr);
  void start();
  void stop();
  bool running() const { return timer_.isActive(); }

  static constexpr long kPieceBytes = 2 * 1024 * 1024;

 private:
  void piece();
  QsciScintilla& editor_;
  std::function<void(std::string)> done_;
  QTimer timer_;
  std::string bytes_;
  long taken_ = 0;
};

}  // namespace quillon
