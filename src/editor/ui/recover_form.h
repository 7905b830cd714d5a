#pragma once

#include <QDialog>

#include "editor/recovery_copies.h"
#include "platform/ui/platform.h"

class QLabel;
class QPushButton;

namespace quillon {

// One page's recovery copy, offered at start: Recover opens the page with the recovered text (modified,
// for the user to save), Compare shows how it differs from the file on disk, Discard removes the copy.
// Closing the window keeps the copy for the next start.
class TFormRecover : public QDialog {
  Q_OBJECT
 public:
  enum class Choice { Later, Recover, Discard };
  TFormRecover(Platform& platform, const RecoveryCopy& copy, QWidget* parent = nullptr);
  Choice choice() const { return choice_; }

 private:
  void ButtonCompareClick();

  Platform& platform_;
  const RecoveryCopy& copy_;
  Choice choice_ = Choice::Later;
  QLabel* LabelPage = nullptr;
  QPushButton* ButtonRecover = nullptr;
  QPushButton* ButtonCompare = nullptr;
  QPushButton* ButtonDiscard = nullptr;
};

}  // namespace quillon
