#include "builders/ui/anchor_form.h"
#include "builders/file_reference.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/text_bytes.h"
#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"

namespace quillon {

namespace {
const char* const kPrompt = "Enter your data above... your anchor tag will be created here automatically";
}

TFormAnchor::TFormAnchor(Platform& platform, const Start& start, QWidget* parent)
    : QDialog(parent), platform_(platform), start_(start) {
  setObjectName("TFormAnchor");
  setWindowTitle("Power Anchor Tag");
  auto* v = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  EditHREF = named(new QLineEdit("http://", this), "EditHREF");
  auto* hrefRow = new QHBoxLayout;
  hrefRow->addWidget(EditHREF, 1);
  auto* pick = named(new QPushButton("(or select a local file)", this), "BitBtnHREF");
  pick->setAutoDefault(false);
  hrefRow->addWidget(pick);
  auto* hrefLabel = new QLabel("HREF Link", this);
  for (QWidget* w : std::initializer_list<QWidget*>{hrefLabel, EditHREF}) w->setToolTip("(no \" \" marks required)");
  form->addRow(hrefLabel, hrefRow);
  EditDesc = named(new QLineEdit(toQString(start.selectedText), this), "EditDesc");
  form->addRow("Description", EditDesc);
  v->addLayout(form);

  auto* kind = named(new QGroupBox(this), "GroupBoxKind");
  auto* kl = new QHBoxLayout(kind);
  RadioHREF = named(new QRadioButton("<A HREF> Tag", kind), "RadioHREF");
  RadioNAME = named(new QRadioButton("<A NAME> Tag", kind), "RadioNAME");
  RadioHREF->setChecked(true);
  kl->addWidget(RadioHREF);
  kl->addWidget(RadioNAME);
  v->addWidget(kind);

  auto* path = named(new QGroupBox(this), "GroupBoxPath");
  auto* pl = new QGridLayout(path);
  RadioFilename = named(new QRadioButton("Filename only", path), "RadioFilename");
  RadioRelative = named(new QRadioButton("Relative File Path:", path), "RadioRelative");
  (start.useRelative ? RadioRelative : RadioFilename)->setChecked(true);
  EditRelative = named(
      new QLineEdit(start.relativePath.empty() ? QString("Ex:  --    /webdata/pages/") : toQString(start.relativePath),
                    path),
      "EditRelative", "Relative file path");
  pl->addWidget(RadioFilename, 0, 0);
  pl->addWidget(RadioRelative, 1, 0);
  pl->addWidget(EditRelative, 1, 1);
  v->addWidget(path);

  EditDummy = named(new QLineEdit(kPrompt, this), "EditDummy", "Anchor tag");
  EditDummy->setCursorPosition(0);
  EditDummy->setReadOnly(true);
  v->addWidget(EditDummy);

  auto* buttons = new QHBoxLayout;
  auto* insert = named(new QPushButton("Insert Tag into HTML file", this), "BitBtnInsert");
  insert->setDefault(true);
  auto* copy = named(new QPushButton("Copy Tag to Clipboard", this), "BitBtnClipboard");
  auto* cancel = named(new QPushButton("Cancel", this), "BitBtn1");
  for (QPushButton* b : {insert, copy, cancel}) buttons->addWidget(b);
  v->addLayout(buttons);

  for (QLineEdit* e : {EditHREF, EditDesc, EditRelative})
    connect(e, &QLineEdit::textEdited, this, [this] { rebuild(); });
  for (QRadioButton* r : {RadioHREF, RadioNAME, RadioFilename, RadioRelative})
    connect(r, &QRadioButton::clicked, this, [this] { rebuild(); });
  connect(pick, &QPushButton::clicked, this, [this] { BitBtnHREFClick(); });
  connect(insert, &QPushButton::clicked, this, [this] { BitBtnInsertClick(true); });
  connect(copy, &QPushButton::clicked, this, [this] { BitBtnInsertClick(false); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

AnchorTagRecord TFormAnchor::record() const {
  return {toBytes(EditHREF->text()), toBytes(EditDesc->text()), RadioNAME->isChecked(), RadioRelative->isChecked(),
          toBytes(EditRelative->text())};
}

bool TFormAnchor::useRelative() const { return RadioRelative->isChecked(); }
std::string TFormAnchor::relativePath() const { return toBytes(EditRelative->text()); }

void TFormAnchor::rebuild() {
  EditDummy->setText(toQString(anchorTagText(record())));
  // All of it selected, with the caret at its start so that the box shows the tag's beginning.
  EditDummy->setSelection(EditDummy->text().size(), -EditDummy->text().size());
}

void TFormAnchor::BitBtnHREFClick() {
  FileDialogRequest request;
  request.title = "Open";
  request.filter = start_.fileFilter;
  request.filterIndex = 1;
  request.initialDir = start_.startFolder;
  if (const auto chosen = platform_.fileDialogs.choose(request)) {
    EditHREF->setText(toQString(referenceToFileName(fileNamePart(*chosen))));
    rebuild();
  }
}

void TFormAnchor::BitBtnInsertClick(bool insert) {
  rebuild();
  const std::string text = anchorTagText(record());
  handBack_.post(platform_.clipboard, text, insert);
  accept();
}

}  // namespace quillon
