#pragma once

#include <QDialog>

class QCheckBox;
class QRadioButton;

namespace quillon {

// "Print Options": the outline, the outline with each page's file, or the open HTML file.
class TFormPrintOptions : public QDialog {
  Q_OBJECT
 public:
  enum class Choice { Outline = 1, OutlineWithLinks = 2, Document = 3 };
  TFormPrintOptions(bool documentOpen, bool projectOpen, QWidget* parent = nullptr);
  bool cancelled() const { return cancelled_; }
  // Closed by its window button: the outline is printed, with file names only.
  Choice choice() const;
  bool fileNameOnly() const;

 private:
  bool cancelled_ = false;
  bool pressedPrint_ = false;
  QRadioButton* RadioOutline = nullptr;
  QRadioButton* RadioOutlineLinks = nullptr;
  QRadioButton* RadioDocument = nullptr;
  QCheckBox* CheckFileNameOnly = nullptr;
};

}  // namespace quillon
