#pragma once

#include <QDialog>
#include <string>

class QLineEdit;

namespace quillon {

// "Edit Entry": one snippet's text, replaced on OK.
class TFormEditSnip : public QDialog {
  Q_OBJECT
 public:
  TFormEditSnip(const std::string& text, QWidget* parent = nullptr);
  std::string text() const;

 private:
  QLineEdit* EditEntry = nullptr;
};

}  // namespace quillon
