#include "builders/ui/body_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/settings.h"
#include "base/text_bytes.h"
#include "base/write_failure.h"
#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"

namespace quillon {

namespace {

// A negative value names a system colour (its low byte the system's colour index): resolved to what the
// desktop shows now.
ColourValue resolved(ColourValue value) {
  if (value >= 0) return value;
  const QPalette palette = QApplication::palette();
  QPalette::ColorRole role = QPalette::Window;
  switch (value & 0xFF) {
    case 5:
      role = QPalette::Base;
      break;  // window background
    case 8:
      role = QPalette::Text;
      break;  // window text
    case 13:
      role = QPalette::Highlight;
      break;
    case 14:
      role = QPalette::HighlightedText;
      break;
    case 15:
      role = QPalette::Button;
      break;
    case 18:
      role = QPalette::ButtonText;
      break;
    default:
      break;
  }
  const QColor c = palette.color(role);
  return c.red() | (c.green() << 8) | (c.blue() << 16);
}

QString cssColour(ColourValue v) { return QString::fromStdString(htmlColourText(resolved(v))); }

}  // namespace

TFormBody::TFormBody(Platform& platform, const Start& start, QWidget* parent)
    : QDialog(parent), platform_(platform), start_(start), picture_(platform.prompts) {
  setObjectName("TFormBody");
  setWindowTitle("Power Body Tag");
  colours_ = bodyColoursOf(loadSettings(start.programDir));
  auto* v = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;

  auto* previewBox = new QVBoxLayout;
  PanelPreview = named(new QLabel(this), "PanelPreview");
  PanelPreview->setFixedSize(220, 120);
  PanelPreview->setFrameShape(QFrame::Panel);
  PanelPreview->setAutoFillBackground(true);
  PanelPreview->installEventFilter(this);
  auto* labels = new QVBoxLayout(PanelPreview);
  LabelTextColor = named(new QLabel("Text Color", PanelPreview), "LabelTextColor");
  LabelLinkColor = named(new QLabel("Link Color", PanelPreview), "LabelLinkColor");
  LabelVisitedLink = named(new QLabel("VLink Color", PanelPreview), "LabelVisitedLink");
  LabelActiveLink = named(new QLabel("ALink Color", PanelPreview), "LabelActiveLink");
  for (QLabel* l : {LabelTextColor, LabelLinkColor, LabelVisitedLink, LabelActiveLink}) {
    l->installEventFilter(this);
    labels->addWidget(l);
  }
  Image1 = named(new QLabel(PanelPreview), "Image1");
  Image1->setScaledContents(true);
  Image1->setGeometry(0, 0, 220, 120);
  Image1->lower();
  Image1->hide();
  previewBox->addWidget(PanelPreview);
  previewBox->addWidget(new QLabel("Double-click a colour to change it", this));
  top->addLayout(previewBox);

  auto* background = named(new QGroupBox("Background", this), "GroupBoxBackground");
  auto* bl = new QGridLayout(background);
  RadioButton1 = named(new QRadioButton("Use Solid Color", background), "RadioButton1");
  RadioButton2 = named(new QRadioButton("Use Tiled Image", background), "RadioButton2");
  RadioButton1->setChecked(true);
  ButtonSelectColor = named(new QPushButton("Select Color", background), "ButtonSelectColor");
  ButtonSelectImage = named(new QPushButton("Select Image", background), "ButtonSelectImage");
  ButtonSelectImage->setEnabled(false);
  LabelImage = named(new QLabel(background), "LabelImage");
  LabelImage->setEnabled(false);
  bl->addWidget(RadioButton1, 0, 0);
  bl->addWidget(ButtonSelectColor, 0, 1);
  bl->addWidget(RadioButton2, 1, 0);
  bl->addWidget(ButtonSelectImage, 1, 1);
  bl->addWidget(LabelImage, 2, 0, 1, 2);
  CheckPath = named(new QCheckBox("Insert this relative path to image file:", background), "CheckPath");
  EditPath = named(
      new QLineEdit(start.relativePath.empty() ? QString("example:  data/images/") : toQString(start.relativePath),
                    background),
      "EditPath");
  bl->addWidget(CheckPath, 3, 0, 1, 2);
  bl->addWidget(EditPath, 4, 0, 1, 2);
  top->addWidget(background);
  v->addLayout(top);

  auto* page = named(new QGroupBox("Page", this), "GroupBoxPage");
  auto* pl = new QGridLayout(page);
  CheckEndBodyTag = named(new QCheckBox("Include </BODY> Tag?", page), "CheckEndBodyTag");
  CheckHTML = named(new QCheckBox("Include <HTML> Tag?", page), "CheckHTML");
  CheckHead = named(new QCheckBox("Include <HEAD> Tag?", page), "CheckHead");
  CheckTitle = named(new QCheckBox("Include <TITLE> Tag?", page), "CheckTitle");
  CheckMeta = named(new QCheckBox("Include <META> Tags?", page), "CheckMeta");
  EditTitle = named(new QLineEdit("Enter Page Title (appears at top of browser window)", page), "EditTitle");
  EditDesc = named(new QLineEdit("Enter your page DESCRIPTION here...", page), "EditDesc");
  EditKey = named(new QLineEdit("Enter your page's KEYWORDS here... ", page), "EditKey");
  // Prompts longer than their boxes show their beginning.
  for (QLineEdit* edit : {EditTitle, EditDesc, EditKey}) edit->setCursorPosition(0);
  int row = 0;
  for (QCheckBox* c : {CheckEndBodyTag, CheckHTML, CheckHead, CheckTitle, CheckMeta}) pl->addWidget(c, row++, 0);
  pl->addWidget(EditTitle, 3, 1);
  pl->addWidget(EditDesc, 4, 1);
  pl->addWidget(EditKey, 5, 1);
  v->addWidget(page);

  EditBodyTag = named(new QLineEdit("Your <BODY> tag will be created here for you. Just make your selections.", this),
                      "EditBodyTag", "Body tag");
  v->addWidget(EditBodyTag);
  auto* buttons = new QHBoxLayout;
  auto* insert = named(new QPushButton("Insert Tag into HTML file", this), "BitBtnInsert");
  insert->setDefault(true);
  auto* copy = named(new QPushButton("Copy Tag to Clipboard", this), "BitBtnClipboard");
  auto* close = named(new QPushButton("&Close", this), "BitBtn1");
  for (QPushButton* b : {insert, copy, close}) buttons->addWidget(b);
  v->addLayout(buttons);

  connect(ButtonSelectColor, &QPushButton::clicked, this, [this] { chooseColour(colours_.bg); });
  connect(ButtonSelectImage, &QPushButton::clicked, this, [this] { ButtonSelectImageClick(); });
  for (QRadioButton* r : {RadioButton1, RadioButton2})
    connect(r, &QRadioButton::clicked, this, [this] { RadioButtonClick(); });
  for (QCheckBox* c : {CheckPath, CheckEndBodyTag, CheckHTML, CheckHead, CheckTitle, CheckMeta})
    connect(c, &QCheckBox::clicked, this, [this] { rebuild(); });
  for (QLineEdit* e : {EditPath, EditTitle, EditDesc, EditKey})
    connect(e, &QLineEdit::textEdited, this, [this] { rebuild(); });
  connect(insert, &QPushButton::clicked, this, [this] { BitBtnInsertClick(true); });
  connect(copy, &QPushButton::clicked, this, [this] { BitBtnInsertClick(false); });
  connect(close, &QPushButton::clicked, this, [this] {
    saveColours();
    reject();
  });
  showColours();
}

bool TFormBody::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    if (watched == PanelPreview)
      chooseColour(colours_.bg);
    else if (watched == LabelTextColor)
      chooseColour(colours_.text);
    else if (watched == LabelLinkColor)
      chooseColour(colours_.link);
    else if (watched == LabelVisitedLink)
      chooseColour(colours_.vlink);
    else if (watched == LabelActiveLink)
      chooseColour(colours_.alink);
    else
      return QDialog::eventFilter(watched, event);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TFormBody::showColours() {
  PanelPreview->setStyleSheet("QLabel#PanelPreview { background: " + cssColour(colours_.bg) + "; }");
  LabelTextColor->setStyleSheet("color: " + cssColour(colours_.text) + ";");
  LabelLinkColor->setStyleSheet("color: " + cssColour(colours_.link) + ";");
  LabelActiveLink->setStyleSheet("color: " + cssColour(colours_.alink) + ";");
  LabelVisitedLink->setStyleSheet("color: " + cssColour(colours_.vlink) + ";");
}

void TFormBody::chooseColour(ColourValue& value) {
  const auto chosen = platform_.colourDialogs.choose(resolved(value));
  if (!chosen) return;
  value = resolved(*chosen);
  showColours();
  rebuild();
}

void TFormBody::RadioButtonClick() {
  const bool tiled = RadioButton2->isChecked();
  ButtonSelectImage->setEnabled(tiled);
  ButtonSelectColor->setEnabled(!tiled);
  Image1->setVisible(tiled);
  LabelImage->setEnabled(tiled);
  rebuild();
}

void TFormBody::ButtonSelectImageClick() {
  FileDialogRequest request;
  request.title = "Open";
  request.filter = "All Files|*.*";
  request.initialDir = start_.startFolder;
  const auto chosen = platform_.fileDialogs.choose(request);
  if (!chosen) return;
  // The chosen file counts as the background at once; the preview follows when the picture reads.
  image_ = *chosen;
  const std::string bmp = start_.programDir + "projects/bgtemp.bmp";
  if (picture_.load(image_) && picture_.saveBmp(bmp)) {
    Image1->setPixmap(QPixmap(toQString(bmp)));
    LabelImage->setText(toQString(fileNamePart(image_)));
  }
  rebuild();
}

BodyTagRecord TFormBody::record() const {
  BodyTagRecord r;
  r.colours = {resolved(colours_.bg), resolved(colours_.text), resolved(colours_.link), resolved(colours_.vlink),
               resolved(colours_.alink)};
  r.tiled = RadioButton2->isChecked();
  r.imagePath = image_;
  r.usePath = CheckPath->isChecked();
  r.relativePath = toBytes(EditPath->text());
  r.endBody = CheckEndBodyTag->isChecked();
  r.html = CheckHTML->isChecked();
  r.head = CheckHead->isChecked();
  r.title = CheckTitle->isChecked();
  r.meta = CheckMeta->isChecked();
  r.titleText = toBytes(EditTitle->text());
  r.description = toBytes(EditDesc->text());
  r.keywords = toBytes(EditKey->text());
  return r;
}

std::string TFormBody::relativePath() const { return toBytes(EditPath->text()); }

void TFormBody::rebuild() {
  EditBodyTag->setText(toQString(bodyTag(record())));
  // All of it selected, with the caret at its start so that the box shows the tag's beginning.
  EditBodyTag->setSelection(EditBodyTag->text().size(), -EditBodyTag->text().size());
}

void TFormBody::saveColours() {
  RunSettings chosen;
  chosen.bodyBg = colours_.bg;
  chosen.bodyText = colours_.text;
  chosen.bodyLink = colours_.link;
  chosen.bodyVLink = colours_.vlink;
  chosen.bodyALink = colours_.alink;
  using S = RunSettings;
  const WriteResult r = SettingsWriter(start_.programDir)
                            .store(chosen, {&S::bodyBg, &S::bodyText, &S::bodyLink, &S::bodyVLink, &S::bodyALink});
  if (!r.ok) platform_.prompts.error(cannotWriteText(r, "settings file"));
}

void TFormBody::BitBtnInsertClick(bool insert) {
  rebuild();
  saveColours();
  handBack_.post(platform_.clipboard, bodyTagText(record()), insert);
  accept();
}

}  // namespace quillon
