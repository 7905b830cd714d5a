#include "editor/ui/recovery_snapshot.h"

#include <Qsci/qsciscintilla.h>

#include <algorithm>

namespace quillon {

using S = QsciScintillaBase;

RecoverySnapshot::RecoverySnapshot(QsciScintilla& editor, std::function<void(std::string)> done, QObject* parent)
    : QObject(parent), editor_(editor), done_(std::move(done)) {
  timer_.setInterval(0);
  connect(&timer_, &QTimer::timeout, this, [this] { piece(); });
  // Any change, told before or after it is made: the pieces taken no longer fit together.
  connect(&editor_, &QsciScintillaBase::SCN_MODIFIED, this,
          [this](int, int type, const char*, int, int, int, int, int, int, int) {
            const int changes =
                S::SC_MOD_INSERTTEXT | S::SC_MOD_DELETETEXT | S::SC_MOD_BEFOREINSERT | S::SC_MOD_BEFOREDELETE;
            if ((type & changes) && running()) start();
          });
}

void RecoverySnapshot::start() {
  bytes_.clear();
  taken_ = 0;
  timer_.start();
}

void RecoverySnapshot::stop() {
  timer_.stop();
  bytes_ = std::string();
}

void RecoverySnapshot::piece() {
  const long length = editor_.SendScintilla(S::SCI_GETLENGTH);
  if (taken_ == 0) bytes_.reserve(static_cast<size_t>(length));
  const long n = std::min(kPieceBytes, length - taken_);
  if (n > 0) {
    // A range that does not span the gap is read in place; one that does moves the gap by no more than
    // the piece.
    const auto* p = reinterpret_cast<const char*>(
        editor_.SendScintilla(S::SCI_GETRANGEPOINTER, static_cast<unsigned long>(taken_), n));
    bytes_.append(p, static_cast<size_t>(n));
    taken_ += n;
  }
  if (taken_ < length) return;
  timer_.stop();
  std::string whole = std::move(bytes_);
  bytes_ = std::string();
  done_(std::move(whole));
}

}  // namespace quillon
