#include "editor/ui/wrap_catch_up.h"

#include <Qsci/qsciscintilla.h>
#include <QElapsedTimer>
#include <QEvent>
#include <QScrollBar>
#include <QTimer>
#include <vector>

namespace quillon {
namespace {

using S = QsciScintillaBase;

constexpr long kLargeDocument = 1L << 20;  // bytes: below this a re-wrap is over before it is noticed
constexpr int kQuietRepaint = 400;         // ms between repaints of the view while nobody works in it
constexpr int kInputShownFor = 300;        // ms after input in which repaints go through at once
constexpr int kTick = 250;                 // ms between looks at the re-wrap's progress
constexpr int kSettled = 2000;             // ms without progress after which the re-wrap is taken as done
constexpr long kLinesPerSecond = 10000;    // a low estimate of the unpainted re-wrap's pace

class WrapCatchUp : public QObject {
 public:
  explicit WrapCatchUp(QsciScintilla& editor) : QObject(&editor), editor_(editor) {
    for (QObject* watched : watchedObjects()) watched->installEventFilter(this);
    connect(&tick_, &QTimer::timeout, this, &WrapCatchUp::look);
  }

  void restart() {
    const long lines = editor_.SendScintilla(S::SCI_GETLINECOUNT);
    minimumMs_ = static_cast<qint64>(lines * 1000 / kLinesPerSecond);
    sinceStart_.start();
    sinceProgress_.start();
    sinceRepaint_.start();
    sinceInput_.invalidate();
    displayLines_ = displayLineCount();
    active_ = true;
    tick_.start(kTick);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!active_) return false;
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::MouseButtonPress:
      case QEvent::MouseMove:
      case QEvent::Wheel:
      case QEvent::InputMethod:
        sinceInput_.start();
        return false;
      case QEvent::Paint:
        if (watched != editor_.viewport()) return false;
        if ((sinceInput_.isValid() && sinceInput_.elapsed() < kInputShownFor) ||
            sinceRepaint_.elapsed() >= kQuietRepaint) {
          sinceRepaint_.start();
          return false;
        }
        // The view shows what it showed: the backing store keeps that picture until the gathered repaint.
        if (!repaintDue_) {
          repaintDue_ = true;
          QTimer::singleShot(static_cast<int>(kQuietRepaint - sinceRepaint_.elapsed()), this, [this] {
            repaintDue_ = false;
            editor_.viewport()->update();
          });
        }
        return true;
      default:
        return false;
    }
  }

 private:
  std::vector<QObject*> watchedObjects() const {
    return {&editor_, editor_.viewport(), editor_.verticalScrollBar(), editor_.horizontalScrollBar()};
  }

  long displayLineCount() const {
    const long last = editor_.SendScintilla(S::SCI_GETLINECOUNT) - 1;
    return editor_.SendScintilla(S::SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(last));
  }

  void look() {
    const long now = displayLineCount();
    if (now != displayLines_) {
      displayLines_ = now;
      sinceProgress_.start();
    }
    if (sinceStart_.elapsed() < minimumMs_ || sinceProgress_.elapsed() < kSettled) return;
    active_ = false;
    tick_.stop();
    editor_.viewport()->update();
  }

  QsciScintilla& editor_;
  QTimer tick_;
  QElapsedTimer sinceStart_, sinceProgress_, sinceRepaint_, sinceInput_;
  qint64 minimumMs_ = 0;
  long displayLines_ = 0;
  bool active_ = false;
  bool repaintDue_ = false;
};

}  // namespace

void catchUpWrapping(QsciScintilla& editor) {
  if (editor.SendScintilla(S::SCI_GETWRAPMODE) == S::SC_WRAP_NONE) return;
  if (editor.SendScintilla(S::SCI_GETLENGTH) < kLargeDocument) return;
  WrapCatchUp* catchUp = nullptr;
  for (QObject* child : editor.children())
    if ((catchUp = dynamic_cast<WrapCatchUp*>(child))) break;
  if (!catchUp) catchUp = new WrapCatchUp(editor);
  catchUp->restart();
}

}  // namespace quillon
