#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "platform/ui/platform.h"
#include "project/move_rows.h"

class QListWidget;

namespace quillon {

// "Move Pages within Site": the project's pages as indented rows, moved up, down, in or out with their
// sub-pages. Reads and, on OK, writes the exchange files "temp.ttt" (outline) and "temp2.ttt" (links).
class TFormMove : public QDialog {
  Q_OBJECT
 public:
  TFormMove(Platform& platform, std::string programDir, QWidget* parent = nullptr);
  const std::vector<MoveRow>& rows() const { return rows_; }

 private:
  void act(MoveOutcome (*move)(std::vector<MoveRow>&, size_t));
  void showRows(size_t select);
  void BitBtnOKClick();

  Platform& platform_;
  std::string programDir_;
  std::vector<MoveRow> rows_;
  QListWidget* ListBoxRows = nullptr;
};

}  // namespace quillon
