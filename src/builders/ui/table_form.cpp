#include "builders/ui/table_form.h"

#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <climits>

#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"

namespace quillon {

namespace {

QSpinBox* spin(QWidget* parent, const char* name, int low, int high, int step, int value) {
  auto* s = named(new QSpinBox(parent), name);
  s->setRange(low, high);  // no negative value can be entered: it stays at the lower bound
  s->setSingleStep(step);
  s->setValue(value);
  return s;
}

QComboBox* suggestions(QWidget* parent, const char* name, const QStringList& items) {
  auto* c = named(new QComboBox(parent), name);
  c->setEditable(true);
  c->addItems(items);
  c->setCurrentIndex(-1);
  c->setEditText(QString());
  return c;
}

}  // namespace

TFormTable::TFormTable(Clipboard& clipboard, QWidget* parent) : QDialog(parent), clipboard_(clipboard) {
  setObjectName("TFormTable");
  setWindowTitle("POWER Table Tag");
  auto* outer = new QVBoxLayout(this);
  auto* pages = named(new QTabWidget(this), "PageControl1");
  auto* page = named(new QWidget(pages), "TabSheetDesign");
  pages->addTab(page, "Table Design");
  outer->addWidget(pages);

  auto* grid = new QGridLayout(page);
  auto* form = new QFormLayout;
  // The grid keeps a slot for every cell, so its size is bounded: 50,000 rows of 100 columns still build and
  // insert in a moment, where an unbounded count would ask for gigabytes on a mistyped digit.
  SpinRows = spin(page, "SpinRows", 0, kMaxTableRows, 1, 2);
  SpinCols = spin(page, "SpinCols", 0, kMaxTableColumns, 1, 2);
  form->addRow("# Rows", SpinRows);
  form->addRow("# Col", SpinCols);
  auto* width = named(new QGroupBox("Table Width", page), "GroupBoxWidth");
  auto* wl = new QGridLayout(width);
  RadioPixels = named(new QRadioButton("# of pixels", width), "RadioPixels");
  RadioPercent = named(new QRadioButton("% of screen", width), "RadioPercent");
  RadioPixels->setChecked(true);
  SpinPixels = spin(width, "SpinPixels", 0, 1024, 10, 0);
  SpinPercent = spin(width, "SpinPercent", 0, 100, 5, 90);
  wl->addWidget(RadioPixels, 0, 0);
  wl->addWidget(SpinPixels, 0, 1);
  wl->addWidget(RadioPercent, 1, 0);
  wl->addWidget(SpinPercent, 1, 1);
  SpinBorder = spin(page, "SpinBorder", 0, 8, 1, 0);
  SpinPad = spin(page, "SpinPad", 0, INT_MAX, 1, 0);
  SpinSpace = spin(page, "SpinSpace", 0, INT_MAX, 1, 0);
  form->addRow("Border Thickness", SpinBorder);
  form->addRow("Cell Padding", SpinPad);
  form->addRow("Cell Spacing", SpinSpace);
  ComboAlignTable =
      suggestions(page, "ComboAlignTable",
                  {"LEFT", "RIGHT", "TOP", "MIDDLE", "BOTTOM", "TEXTTOP", "BASELINE", "ABSMIDDLE", "ABSBOTTOM"});
  ComboVAlign = suggestions(page, "ComboVAlign", {"TOP", "MIDDLE", "BOTTOM"});
  form->addRow("Table Alignment", ComboAlignTable);
  form->addRow("V Align", ComboVAlign);
  grid->addLayout(form, 0, 0);
  grid->addWidget(width, 1, 0);

  grid->addWidget(buildCaptionBox(page), 2, 0, 1, 2);

  grid->addWidget(buildSampler(page), 0, 1, 2, 1);

  Grid1 = named(new QTableWidget(2, 2, page), "Grid1", "Table cells");
  // The arrow keys move between cells; Tab leaves the table, so the keyboard alone reaches the buttons.
  Grid1->setTabKeyNavigation(false);
  Grid1->horizontalHeader()->hide();
  Grid1->verticalHeader()->hide();
  grid->addWidget(Grid1, 3, 0, 1, 2);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* ok = named(new QPushButton("OK -  Insert Table", this), "BitBtn1");
  ok->setDefault(true);
  auto* cancel = named(new QPushButton("Cancel", this), "BitBtn2");
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  outer->addLayout(buttons);

  connect(SpinRows, &QSpinBox::valueChanged, this, [this] { SpinRowsChange(); });
  connect(SpinCols, &QSpinBox::valueChanged, this, [this] { SpinRowsChange(); });
  for (QSpinBox* s : {SpinBorder, SpinPad, SpinSpace})
    connect(s, &QSpinBox::valueChanged, this, [this] { SpinBorderChange(); });
  connect(ok, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  const SamplerLayout layout = tableSampler(0, 0, 0);
  for (int i = 0; i < 3; ++i)
    sampleCells_[i]->setGeometry(layout.cells[i].left, layout.cells[i].top, layout.cells[i].width,
                                 layout.cells[i].height);
}

QWidget* TFormTable::buildCaptionBox(QWidget* page) {
  auto* caption = named(new QGroupBox("Table Caption (optional)", page), "GroupBoxCaption");
  auto* cl = new QHBoxLayout(caption);
  EditCaption = named(new QLineEdit(caption), "EditCaption");
  RadioCapTop = named(new QRadioButton("Top", caption), "RadioCapTop");
  RadioCapBot = named(new QRadioButton("Bottom", caption), "RadioCapBot");
  RadioCapTop->setChecked(true);
  cl->addWidget(EditCaption, 1);
  cl->addWidget(RadioCapTop);
  cl->addWidget(RadioCapBot);
  return caption;
}

// Three cells drawn with the border, padding and spacing chosen.
QWidget* TFormTable::buildSampler(QWidget* page) {
  auto* sampler = named(new QGroupBox("Effect Sampler", page), "GroupBoxSampler");
  auto* sl = new QVBoxLayout(sampler);
  PanelSampler = named(new QFrame(sampler), "PanelSampler");
  PanelSampler->setFrameShape(QFrame::Panel);
  PanelSampler->setFrameShadow(QFrame::Raised);
  PanelSampler->setFixedSize(150, 90);
  for (int i = 0; i < 3; ++i) {
    sampleCells_[i] = new QLabel(QString("Cell %1").arg(i + 1), PanelSampler);
    sampleCells_[i]->setFrameShape(QFrame::Box);
    sampleCells_[i]->setAlignment(Qt::AlignCenter);
  }
  LabelSamplerHint =
      named(new QLabel("Try changing the border, padding, or spacing values and see what happens.", sampler),
            "LabelSamplerHint");
  LabelSamplerHint->setWordWrap(true);
  sl->addWidget(PanelSampler);
  sl->addWidget(LabelSamplerHint);
  return sampler;
}

void TFormTable::SpinRowsChange() {
  Grid1->setRowCount(SpinRows->value());
  Grid1->setColumnCount(SpinCols->value());
}

void TFormTable::SpinBorderChange() {
  LabelSamplerHint->hide();
  const SamplerLayout layout = tableSampler(SpinBorder->value(), SpinPad->value(), SpinSpace->value());
  PanelSampler->setLineWidth(layout.bevel);
  for (int i = 0; i < 3; ++i)
    sampleCells_[i]->setGeometry(layout.cells[i].left, layout.cells[i].top, layout.cells[i].width,
                                 layout.cells[i].height);
}

TableTagRecord TFormTable::record() const {
  TableTagRecord r;
  r.rows = SpinRows->value();
  r.cols = SpinCols->value();
  r.widthInPercent = RadioPercent->isChecked();
  r.pixels = SpinPixels->value();
  r.percent = SpinPercent->value();
  r.border = SpinBorder->value();
  r.padding = SpinPad->value();
  r.spacing = SpinSpace->value();
  r.align = toBytes(ComboAlignTable->currentText());
  r.valign = toBytes(ComboVAlign->currentText());
  r.caption = toBytes(EditCaption->text());
  r.captionAtBottom = RadioCapBot->isChecked();
  r.cells.resize(static_cast<size_t>(Grid1->rowCount()));
  for (int row = 0; row < Grid1->rowCount(); ++row)
    for (int col = 0; col < Grid1->columnCount(); ++col)
      if (const QTableWidgetItem* item = Grid1->item(row, col)) {
        auto& cells = r.cells[static_cast<size_t>(row)];
        cells.resize(static_cast<size_t>(Grid1->columnCount()));
        cells[static_cast<size_t>(col)] = toBytes(item->text());
      }
  return r;
}

void TFormTable::BitBtn1Click() {
  handBack_.post(clipboard_, tableTagText(record()));
  accept();
}

}  // namespace quillon
