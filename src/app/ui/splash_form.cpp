#include "app/ui/splash_form.h"

#include <QScreen>

#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

namespace quillon {

TFormSplash::TFormSplash(Mode mode, QWidget* parent) : QDialog(parent), mode_(mode) {
  setObjectName("TFormSplash");
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setFixedSize(420, mode == Mode::About ? 414 : 251);
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setSingleShot(true);
  Timer1->setInterval(2200);
  connect(Timer1, &QTimer::timeout, this, &QDialog::accept);
  Button1 = new QPushButton("&OK", this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(170, 360, 80, 28);
  Button1->setVisible(mode == Mode::About);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  if (mode == Mode::StartUp) QTimer::singleShot(0, this, &TFormSplash::startClosingTimer);
}

void TFormSplash::startClosingTimer() {
  if (mode_ == Mode::StartUp) Timer1->start();
}

void TFormSplash::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QLinearGradient fill(0, 0, 0, 251);
  fill.setColorAt(0, QColor(0x1d, 0x3b, 0x5c));
  fill.setColorAt(1, QColor(0x6b, 0x8f, 0xb5));
  p.fillRect(rect(), fill);
  p.setPen(Qt::white);
  QFont big = font();
  big.setPointSize(26);
  big.setBold(true);
  p.setFont(big);
  p.drawText(QRect(0, 60, width(), 60), Qt::AlignCenter, "Quillon Pro");
  QFont small = font();
  small.setPointSize(11);
  p.setFont(small);
  p.drawText(QRect(0, 120, width(), 30), Qt::AlignCenter, "Brindle Quillon Pro");
  // The version sits at the lower right of the picture: above the OK button when the window has one.
  const int bottom = mode_ == Mode::About ? Button1->y() - 8 : height() - 21;
  p.drawText(QRect(0, bottom - 30, width() - 16, 30), Qt::AlignRight | Qt::AlignVCenter, "v2.0");
}

// Centred on the screen, whatever window it belongs to.
void TFormSplash::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

}  // namespace quillon
