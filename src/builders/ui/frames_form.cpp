#include "builders/ui/frames_form.h"
#include "builders/file_reference.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <functional>

#include "base/text_bytes.h"
#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"

namespace quillon {

namespace {

constexpr int kPreviewAreaWidth = 16 + 320 + 60;
constexpr int kPreviewAreaHeight = 36 + 240 + 40;
constexpr int kSpinWidth = 48;
constexpr int kSpinHeight = 24;
constexpr std::array<int, 5> kPictureLeft = {19, 101, 188, 271, 357};
constexpr int kPictureTop = 15;
constexpr int kPictureWidth = 70;
constexpr int kPictureHeight = 56;

const QColor kYellow(0xFF, 0xFF, 0x80);
const QColor kPink(0xFF, 0xC0, 0xCB);

// A spin box changed only by its arrows.
class ArrowSpinBox : public QSpinBox {
 public:
  ArrowSpinBox(int low, int high, QWidget* parent) : QSpinBox(parent) {
    setRange(low, high);
    lineEdit()->setReadOnly(true);
  }
};

const char* kHelpText =
    "<h3>Frames</h3>"
    "<p>A frame document divides the browser window into several areas, each showing a page of its own. "
    "In place of a BODY it holds a FRAMESET, which lists the sizes of its rows or columns, and one FRAME "
    "line for each area. A FRAMESET may hold further FRAMESETs to divide an area again.</p>"
    "<h3>ROWS and COLS</h3>"
    "<p>ROWS stacks the areas from top to bottom, COLS places them side by side. Each size is a "
    "percentage of the window (\"25%\"), a number of pixels (\"120\"), or an asterisk (\"*\") for the "
    "space that remains. The builder writes equal percentages and an asterisk for the last area; change "
    "them afterwards in the editing window to the sizes you want.</p>"
    "<h3>The frame data</h3>"
    "<p><b>URL Source</b> (SRC) is the page shown in the frame at first. <b>Name</b> (NAME) lets links "
    "in other frames show their pages in this one, through their TARGET. <b>Scrolling</b> is Auto "
    "(scroll bars when the page does not fit), Yes (always) or No (never). <b>No Border</b> removes the "
    "border around the frame; <b>No Resize</b> stops the reader from dragging the frame's edges.</p>"
    "<p>Step 1 chooses rows or columns and how many; step 2 divides each of them into up to five parts; "
    "step 3 takes the data of each frame: click a frame in the picture to fill in its data. Frames left "
    "without a name are named after their place (Frame1, Frame2A, ...).</p>";

}  // namespace

// A frame area of the layout preview: white, yellow while its data is being entered.
class FramePanelView : public QLabel {
 public:
  FramePanelView(const FramePanel& panel, std::function<void(int, int)> clicked, QWidget* parent)
      : QLabel(toQString(framePanelCaption(panel.main, panel.part)), parent),
        panel_(panel),
        clicked_(std::move(clicked)) {
    setObjectName("Panel" + text());
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setGeometry(panel.left, panel.top, panel.width, panel.height);
    setHighlighted(false);
  }
  const FramePanel& panel() const { return panel_; }
  void setHighlighted(bool on) {
    QPalette p = palette();
    p.setColor(QPalette::Window, on ? kYellow : QColor(Qt::white));
    setPalette(p);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) clicked_(panel_.main, panel_.part);
  }

 private:
  FramePanel panel_;
  std::function<void(int, int)> clicked_;
};

// A small drawing of one template design's frames in their colours.
class TemplatePicture : public QWidget {
 public:
  TemplatePicture(int design, std::function<void(int)> chosen, QWidget* parent)
      : QWidget(parent), design_(design), chosen_(std::move(chosen)) {
    static const char* names[] = {"Shape1", "Shape3", "Shape5", "Shape8", "Shape11"};
    setObjectName(names[design - 1]);
    setGeometry(kPictureLeft[static_cast<size_t>(design - 1)] + 3, kPictureTop + 3, kPictureWidth, kPictureHeight);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const int w = width() - 1;
    const int h = height() - 1;
    auto area = [&](double x, double y, double aw, double ah, const QColor& c) {
      const QRect r(static_cast<int>(x * w), static_cast<int>(y * h), static_cast<int>(aw * w),
                    static_cast<int>(ah * h));
      p.fillRect(r, c);
      p.setPen(Qt::black);
      p.drawRect(r);
    };
    switch (design_) {
      case 1:
        area(0, 0, 0.2, 1, kYellow), area(0.2, 0, 0.8, 1, Qt::white);
        break;
      case 2:
        area(0, 0, 1, 0.2, kYellow), area(0, 0.2, 1, 0.8, Qt::white);
        break;
      case 3:
        area(0, 0, 1, 0.2, kYellow), area(0, 0.2, 1, 0.6, Qt::white), area(0, 0.8, 1, 0.2, kPink);
        break;
      case 4:
        area(0, 0, 0.2, 1, kYellow), area(0.2, 0, 0.8, 0.2, kPink), area(0.2, 0.2, 0.8, 0.8, Qt::white);
        break;
      default:
        area(0, 0, 1, 0.8, Qt::white), area(0, 0.8, 1, 0.2, kYellow);
        break;
    }
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) chosen_(design_);
  }

 private:
  int design_;
  std::function<void(int)> chosen_;
};

Tformframes::Tformframes(Platform& platform, std::string startFolder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      platform_(platform),
      startFolder_(std::move(startFolder)) {
  setObjectName("Tformframes");
  setWindowTitle("Frame Builder");
  auto* v = new QVBoxLayout(this);
  PageControl1 = named(new QTabWidget(this), "PageControl1");
  PageControl1->addTab(buildWizardPage(), "Use Frame Builder");
  PageControl1->addTab(buildTemplatePage(), "Use Frame Templates");
  PageControl1->addTab(buildHelpPage(), "Help with Frames");
  v->addWidget(PageControl1);
  showStep();
  chooseTemplate(1);
}

QWidget* Tformframes::buildWizardPage() {
  auto* page = new QWidget(this);
  auto* v = new QVBoxLayout(page);
  LabelStep = named(new QLabel(page), "LabelStep");
  QFont bold = LabelStep->font();
  bold.setBold(true);
  LabelStep->setFont(bold);
  LabelHelp = named(new QLabel(page), "LabelHelp");
  LabelHelp->setWordWrap(true);
  v->addWidget(LabelStep);
  v->addWidget(LabelHelp);

  GroupBoxLayout = named(new QGroupBox("Layout", page), "GroupBoxLayout");
  auto* g = new QFormLayout(GroupBoxLayout);
  RadioButton1 = named(new QRadioButton("Columns", GroupBoxLayout), "RadioButton1");
  RadioButton2 = named(new QRadioButton("Rows", GroupBoxLayout), "RadioButton2");
  RadioButton1->setChecked(true);
  g->addRow(RadioButton1);
  g->addRow(RadioButton2);
  SpinEditStartNumber = named(new ArrowSpinBox(2, 5, GroupBoxLayout), "SpinEditStartNumber");
  g->addRow("Initial # of rows or columns (max=5)", SpinEditStartNumber);
  connect(RadioButton1, &QRadioButton::toggled, this,
          [this](bool columns) { layout_.orientation = columns ? FrameOrientation::Columns : FrameOrientation::Rows; });
  connect(SpinEditStartNumber, &QSpinBox::valueChanged, this, [this](int n) { layout_.mainCount = n; });

  auto* middle = new QHBoxLayout;
  PanelPreview = named(new QWidget(page), "PanelPreview");
  PanelPreview->setFixedSize(kPreviewAreaWidth, kPreviewAreaHeight);
  for (size_t i = 0; i < partSpins_.size(); ++i) {
    partSpins_[i] = new ArrowSpinBox(1, 5, PanelPreview);
    partSpins_[i]->setObjectName(QString("SpinEdit%1").arg(i + 1));
    partSpins_[i]->setAccessibleName(QString("Frames in part %1").arg(i + 1));
    partSpins_[i]->resize(kSpinWidth, kSpinHeight);
    connect(partSpins_[i], &QSpinBox::valueChanged, this, [this, i](int parts) {
      layout_.parts[i] = parts;
      redrawPanels();
    });
  }
  middle->addWidget(GroupBoxLayout, 0, Qt::AlignTop);
  middle->addWidget(PanelPreview);

  GroupBoxData = named(new QGroupBox("Frame Data", page), "GroupBoxData");
  auto* d = new QFormLayout(GroupBoxData);
  EditName = named(new QLineEdit(GroupBoxData), "EditName");
  EditURL = named(new QLineEdit(GroupBoxData), "EditURL");
  auto* open = named(new QPushButton("...", GroupBoxData), "BitBtnOpenURL");
  auto* urlRow = new QHBoxLayout;
  urlRow->addWidget(EditURL);
  urlRow->addWidget(open);
  ComboBoxScroll = named(new QComboBox(GroupBoxData), "ComboBoxScroll");
  ComboBoxScroll->addItems({"Auto", "Yes", "No"});
  CheckBoxResize = named(new QCheckBox("No Resize", GroupBoxData), "CheckBoxResize");
  CheckBoxBorder = named(new QCheckBox("No Border", GroupBoxData), "CheckBoxBorder");
  d->addRow("Name:", EditName);
  d->addRow("URL Souce:", urlRow);
  d->addRow("Scrolling:", ComboBoxScroll);
  d->addRow(CheckBoxResize);
  d->addRow(CheckBoxBorder);
  middle->addWidget(GroupBoxData, 0, Qt::AlignTop);
  middle->addStretch();
  v->addLayout(middle);
  connect(open, &QPushButton::clicked, this, [this] {
    if (const auto name = chooseFileName()) EditURL->setText(toQString(*name));
  });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  ButtonBack = named(new QPushButton("<  Back", page), "ButtonBack");
  ButtonNext = named(new QPushButton("Next  >", page), "ButtonNext");
  ButtonNext->setDefault(true);
  auto* cancel = named(new QPushButton("Cancel", page), "ButtonCancel");
  buttons->addWidget(ButtonBack);
  buttons->addWidget(ButtonNext);
  buttons->addWidget(cancel);
  v->addLayout(buttons);
  connect(ButtonNext, &QPushButton::clicked, this, [this] { ButtonNextClick(); });
  connect(ButtonBack, &QPushButton::clicked, this, [this] { ButtonBackClick(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  return page;
}

Tformframes::TemplateGroup Tformframes::buildTemplateGroup(QWidget* parent, const char* colour, const char* defaultName,
                                                           const char* button) {
  TemplateGroup g;
  g.box = new QGroupBox(QString(colour) + " Frame", parent);
  g.box->setObjectName(QString("GroupBox") + colour);
  auto* f = new QFormLayout(g.box);
  g.name = new QLineEdit(defaultName, g.box);
  g.name->setObjectName(QString("EditTemplateName") + colour);
  g.url = new QLineEdit(g.box);
  g.url->setObjectName(QString("EditTemplateURL") + colour);
  auto* browse = named(new QPushButton("...", g.box), button);
  auto* urlRow = new QHBoxLayout;
  urlRow->addWidget(g.url);
  urlRow->addWidget(browse);
  g.scrolling = new QComboBox(g.box);
  g.scrolling->setObjectName(QString("ComboTemplateScroll") + colour);
  g.scrolling->addItems({"Auto", "Yes", "No"});
  g.noResize = new QCheckBox("No Resize", g.box);
  g.noResize->setObjectName(QString("CheckTemplateResize") + colour);
  g.noResize->setChecked(true);
  g.noBorder = new QCheckBox("No Border", g.box);
  g.noBorder->setObjectName(QString("CheckTemplateBorder") + colour);
  f->addRow("Name:", g.name);
  f->addRow("URL Source:", urlRow);
  f->addRow("Scrolling:", g.scrolling);
  f->addRow(g.noResize);
  f->addRow(g.noBorder);
  QPalette p = g.box->palette();
  p.setColor(QPalette::Window, std::string_view(colour) == "Yellow" ? kYellow
                               : std::string_view(colour) == "Pink" ? kPink
                                                                    : QColor(Qt::white));
  g.box->setPalette(p);
  g.box->setAutoFillBackground(true);
  QLineEdit* url = g.url;
  connect(browse, &QPushButton::clicked, this, [this, url] {
    if (const auto name = chooseFileName()) url->setText(toQString(*name));
  });
  return g;
}

QWidget* Tformframes::buildTemplatePage() {
  auto* page = new QWidget(this);
  auto* v = new QVBoxLayout(page);
  v->addWidget(named(new QLabel("Click a design, fill in its frames, then press Finish.", page), "LabelTemplates"));
  auto* strip = named(new QWidget(page), "PanelTemplates");
  strip->setFixedSize(kPictureLeft.back() + kPictureWidth + 12, kPictureTop + kPictureHeight + 12);
  ShapeHighlight = named(new QWidget(strip), "ShapeHighlight");
  ShapeHighlight->setStyleSheet("background: red;");
  ShapeHighlight->resize(kPictureWidth + 6, kPictureHeight + 6);
  for (int design = 1; design <= 5; ++design)
    pictures_[static_cast<size_t>(design - 1)] = new TemplatePicture(
        design, [this](int d) { chooseTemplate(d); }, strip);
  v->addWidget(strip);
  auto* groups = new QHBoxLayout;
  yellow_ = buildTemplateGroup(page, "Yellow", "Frame1", "BitBtn1");
  white_ = buildTemplateGroup(page, "White", "Frame2", "BitBtn2");
  pink_ = buildTemplateGroup(page, "Pink", "Frame3", "BitBtn3");
  groups->addWidget(yellow_.box);
  groups->addWidget(white_.box);
  groups->addWidget(pink_.box);
  v->addLayout(groups);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* finish = named(new QPushButton("&Finish", page), "ButtonCreateTempFrames");
  auto* cancel = named(new QPushButton("&Cancel", page), "ButtonCancel2");
  buttons->addWidget(finish);
  buttons->addWidget(cancel);
  v->addLayout(buttons);
  connect(finish, &QPushButton::clicked, this, [this] { ButtonCreateTempFramesClick(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  return page;
}

QWidget* Tformframes::buildHelpPage() {
  auto* page = new QWidget(this);
  auto* v = new QVBoxLayout(page);
  auto* text = named(new QTextBrowser(page), "MemoHelp", "Help");
  text->setHtml(kHelpText);
  v->addWidget(text);
  auto* row = new QHBoxLayout;
  row->addStretch();
  auto* exit = named(new QPushButton("E&xit", page), "Button1");
  row->addWidget(exit);
  v->addLayout(row);
  connect(exit, &QPushButton::clicked, this, &QDialog::reject);
  return page;
}

void Tformframes::showStep() {
  static const char* titles[] = {"Frame Builder Step#1:  Choose Rows or Columns",
                                 "Frame Builder Step#2:  Create Subframes", "Frame Builder Step#3:  Enter Frame Data"};
  static const char* helps[] = {
      "Choose whether the window is divided into columns side by side or rows stacked on each other, and into how "
      "many.",
      "Divide each row or column into parts with the arrows beside it, or leave it as one frame.",
      "Click a frame in the picture and enter its data. Press Finish when every frame is done."};
  const int shown = std::min(step_, 3);
  LabelStep->setText(titles[shown - 1]);
  LabelHelp->setText(helps[shown - 1]);
  GroupBoxLayout->setVisible(step_ == 1);
  PanelPreview->setVisible(step_ >= 2);
  GroupBoxData->setVisible(step_ == 3);
  ButtonBack->setEnabled(step_ > 1);
  ButtonNext->setText(step_ == 3 ? "Finish  >" : "Next  >");
  const bool columns = layout_.orientation == FrameOrientation::Columns;
  for (size_t i = 0; i < partSpins_.size(); ++i) {
    QSpinBox* spin = partSpins_[i];
    spin->setVisible(step_ == 2 && static_cast<int>(i) < layout_.mainCount);
    const int n = layout_.mainCount;
    if (columns)
      spin->move(16 + static_cast<int>(i) * (320 / n) + (320 / n - kSpinWidth) / 2, 36 + 240 + 8);
    else
      spin->move(16 + 320 + 8, 36 + static_cast<int>(i) * (240 / n) + (240 / n - kSpinHeight) / 2);
  }
}

void Tformframes::ButtonNextClick() {
  if (step_ < 4) ++step_;
  if (step_ == 2) {
    for (int i = layout_.mainCount; i < FramesLayout::kMax; ++i) partSpins_[static_cast<size_t>(i)]->setValue(1);
    for (size_t i = 0; i < partSpins_.size(); ++i) layout_.parts[i] = partSpins_[i]->value();
    redrawPanels();
  } else if (step_ == 3) {
    settleFirstSlotName(layout_);
    selectPanel(1, layout_.divided(1) ? 1 : 0);
  } else if (step_ == 4) {
    storeDataPanel();
    giveDefaultNames(layout_);
    finish(framesWizardText(layout_));
    return;
  }
  showStep();
}

void Tformframes::ButtonBackClick() {
  if (step_ == 3) storeDataPanel();
  if (step_ > 1) --step_;
  if (step_ == 2) redrawPanels();
  showStep();
}

void Tformframes::redrawPanels() {
  for (FramePanelView* panel : panels_) delete panel;
  panels_.clear();
  for (const FramePanel& p : framesPreview(layout_.orientation, layout_.mainCount, layout_.parts)) {
    auto* view = new FramePanelView(
        p, [this](int main, int part) { Panel21Click(main, part); }, PanelPreview);
    view->lower();
    if (p.part > 0) view->raise();
    view->show();
    panels_.push_back(view);
  }
  for (QSpinBox* spin : partSpins_) spin->raise();
}

void Tformframes::Panel21Click(int main, int part) {
  if (step_ != 3) return;
  if (part == 0 && layout_.divided(main)) return;  // covered by its parts
  storeDataPanel();
  selectPanel(main, part);
}

// Highlights a panel and loads its slot: a main frame's panel stands for its first slot.
void Tformframes::selectPanel(int main, int part) {
  for (FramePanelView* panel : panels_)
    panel->setHighlighted(panel->panel().main == main && panel->panel().part == part);
  selectedMain_ = main;
  selectedPart_ = part == 0 ? 1 : part;
  loadDataPanel(framePanelCaption(main, part));
}

void Tformframes::loadDataPanel(const std::string& caption) {
  const FrameSlot& s = layout_.slot(selectedMain_, selectedPart_);
  EditURL->setText(toQString(s.src));
  EditName->setText(toQString(s.name == "*" ? caption : s.name));
  CheckBoxResize->setChecked(s.noResize);
  CheckBoxBorder->setChecked(s.noBorder);
  ComboBoxScroll->setCurrentText(toQString(s.scrolling));
}

void Tformframes::storeDataPanel() {
  FrameSlot& s = layout_.slot(selectedMain_, selectedPart_);
  s.src = toBytes(EditURL->text());
  s.name = toBytes(EditName->text());
  s.noResize = CheckBoxResize->isChecked();
  s.noBorder = CheckBoxBorder->isChecked();
  s.scrolling = toBytes(ComboBoxScroll->currentText());
}

void Tformframes::chooseTemplate(int design) {
  design_ = design;
  ShapeHighlight->move(kPictureLeft[static_cast<size_t>(design - 1)], kPictureTop);
  pink_.box->setVisible(templateUsesPink(design));
}

FrameSlot Tformframes::TemplateGroup::record() const {
  FrameSlot s;
  s.name = toBytes(name->text());
  s.src = toBytes(url->text());
  s.scrolling = toBytes(scrolling->currentText());
  s.noResize = noResize->isChecked();
  s.noBorder = noBorder->isChecked();
  return s;
}

void Tformframes::ButtonCreateTempFramesClick() {
  finish(frameTemplateText(design_, yellow_.record(), white_.record(), pink_.record()));
}

std::optional<std::string> Tformframes::chooseFileName() {
  FileDialogRequest request;
  request.title = "Open";
  request.filter = "All Files|*.*|HTM|*.htm|HTML|*.html|SHTML|*.shtml|ASP|*.asp";
  request.initialDir = startFolder_;
  const auto chosen = platform_.fileDialogs.choose(request);
  if (!chosen) return std::nullopt;
  return referenceToFileName(fileNamePart(*chosen));
}

void Tformframes::finish(const std::string& text) {
  handBack_.post(platform_.clipboard, text);
  accept();
}

}  // namespace quillon
