#pragma once

#include <QDialog>

class QPushButton;
class QTimer;

namespace quillon {

// The product picture with its version: at start-up it closes itself after 2.2 seconds; as the About box
// it is taller and waits for its OK button.
class TFormSplash : public QDialog {
  Q_OBJECT
 public:
  enum class Mode { StartUp, About };
  explicit TFormSplash(Mode mode, QWidget* parent = nullptr);
  // Starts the closing timer (start-up mode only); called by whoever runs the window.
  void startClosingTimer();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  Mode mode_;
  QTimer* Timer1 = nullptr;
  QPushButton* Button1 = nullptr;
};

}  // namespace quillon
