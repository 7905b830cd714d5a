#pragma once

#include <QDialog>
#include <string>

class QListWidget;
class QPushButton;

namespace quillon {

// The encodings a page can be shown in: UTF-8 and the one-byte sets, the page's present one chosen.
class TFormReopenEncoding : public QDialog {
  Q_OBJECT
 public:
  TFormReopenEncoding(const std::string& current, const std::string& pageName, QWidget* parent = nullptr);
  // The chosen encoding's name ("UTF-8", "windows-1252"); valid once accepted.
  std::string chosen() const;

 private:
  QListWidget* ListBoxEncodings = nullptr;
  QPushButton* BitBtnOK = nullptr;
  QPushButton* BitBtnCancel = nullptr;
};

}  // namespace quillon
