#pragma once

#include <QDialog>
#include <string>

class QLineEdit;

namespace quillon {

// "MailTo: Tag": the address for a mailto link. Closing by the window's close box counts as OK with the
// remembered address, as only the Cancel button cancels.
class TFormEmail : public QDialog {
  Q_OBJECT
 public:
  TFormEmail(const std::string& address, QWidget* parent = nullptr);
  bool cancelled() const { return cancelled_; }
  const std::string& address() const { return address_; }

 private:
  std::string address_;
  bool cancelled_ = false;
  QLineEdit* EditAddress = nullptr;
};

}  // namespace quillon
