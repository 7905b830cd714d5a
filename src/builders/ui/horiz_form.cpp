#include "builders/ui/horiz_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"

namespace quillon {

// The rule drawn where the tag would put it on a 640-pixel page, at half scale.
class RuleSampleView : public QWidget {
 public:
  explicit RuleSampleView(QWidget* parent) : QWidget(parent) { setFixedSize(320, 40); }
  void show(const RuleSample& sample, bool shaded) {
    sample_ = sample;
    shaded_ = shaded;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const int top = (height() - sample_.height) / 2;
    const QRect rule(sample_.left, top, sample_.width, sample_.height);
    if (shaded_) {
      p.fillRect(rule, QColor(0xC0, 0xC0, 0xC0));
      p.setPen(QColor(0x80, 0x80, 0x80));
      p.drawLine(rule.topLeft(), rule.topRight());
      p.drawLine(rule.topLeft(), rule.bottomLeft());
    } else {
      p.fillRect(rule, QColor(0x80, 0x80, 0x80));
    }
  }

 private:
  RuleSample sample_;
  bool shaded_ = true;
};

TFormHoriz::TFormHoriz(Clipboard& clipboard, QWidget* parent) : QDialog(parent), clipboard_(clipboard) {
  setObjectName("TFormHoriz");
  setWindowTitle("POWER Horizontal Line Tag");
  auto* v = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  RadioPercent = named(new QRadioButton("% of Screen", this), "RadioPercent");
  RadioPixels = named(new QRadioButton("# of Pixels", this), "RadioPixels");
  RadioPercent->setChecked(true);
  SpinPercent = named(new QSpinBox(this), "SpinPercent");
  SpinPercent->setRange(1, 100);
  SpinPercent->setSingleStep(5);
  SpinPercent->setValue(50);
  SpinPixels = named(new QSpinBox(this), "SpinPixels");
  SpinPixels->setRange(1, 1600);
  SpinPixels->setSingleStep(20);
  SpinPixels->setValue(100);
  SpinThick = named(new QSpinBox(this), "SpinThick");
  SpinThick->setRange(1, 20);
  SpinThick->setValue(2);
  ComboAlign = named(new QComboBox(this), "ComboAlign");
  ComboAlign->addItems({"LEFT", "RIGHT", "CENTER"});
  ComboAlign->setCurrentText("CENTER");
  CheckNoShade = named(new QCheckBox("No Shade (removes beveled 3-D effect)", this), "CheckNoShade");
  grid->addWidget(RadioPercent, 0, 0);
  grid->addWidget(SpinPercent, 0, 1);
  grid->addWidget(RadioPixels, 1, 0);
  grid->addWidget(SpinPixels, 1, 1);
  grid->addWidget(new QLabel("Thickness:", this), 2, 0);
  grid->addWidget(SpinThick, 2, 1);
  grid->addWidget(new QLabel("Alignment:", this), 3, 0);
  grid->addWidget(ComboAlign, 3, 1);
  grid->addWidget(CheckNoShade, 4, 0, 1, 2);
  v->addLayout(grid);
  v->addWidget(named(new QLabel("Sample Line, as if this page were 640 pixels wide", this), "LabelSample"));
  sample_ = new RuleSampleView(this);
  v->addWidget(sample_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* ok = named(new QPushButton("OK", this), "Button1");
  ok->setDefault(true);
  auto* cancel = named(new QPushButton("Cancel", this), "Button2");
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  v->addLayout(buttons);

  connect(RadioPercent, &QRadioButton::toggled, this, [this] { widthModeClick(); });
  for (QSpinBox* spin : {SpinPercent, SpinPixels, SpinThick})
    connect(spin, &QSpinBox::valueChanged, this, [this] { redrawSample(); });
  connect(ComboAlign, &QComboBox::currentTextChanged, this, [this] { redrawSample(); });
  connect(CheckNoShade, &QCheckBox::toggled, this, [this] { redrawSample(); });
  connect(ok, &QPushButton::clicked, this, [this] {
    handBack_.post(clipboard_, horizontalRuleText(record()));
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  widthModeClick();
}

void TFormHoriz::widthModeClick() {
  SpinPercent->setEnabled(RadioPercent->isChecked());
  SpinPixels->setEnabled(!RadioPercent->isChecked());
  redrawSample();
}

void TFormHoriz::redrawSample() { sample_->show(ruleSample(record()), !CheckNoShade->isChecked()); }

HorizontalRuleRecord TFormHoriz::record() const {
  HorizontalRuleRecord r;
  r.inPercent = RadioPercent->isChecked();
  r.percent = SpinPercent->value();
  r.pixels = SpinPixels->value();
  r.thickness = SpinThick->value();
  r.align = toBytes(ComboAlign->currentText());
  r.noShade = CheckNoShade->isChecked();
  return r;
}

}  // namespace quillon
