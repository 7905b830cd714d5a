#include "builders/ui/image_view_form.h"
#include "builders/file_reference.h"
#include "platform/ui/byte_items.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/file_io.h"
#include "base/text_bytes.h"
#include "platform/ui/drive_list.h"
#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"
#include "project/files_pane.h"
#include "project/ui/folder_browser.h"

namespace quillon {

namespace {

constexpr const char* kImageMask = "*.jpg;*.gif;";
constexpr int kPreviewWidth = 260;
constexpr int kPreviewHeight = 200;
constexpr const char* kCannotOpen = "Error opening file. File is corrupt or cannot handle this file type.";

}  // namespace

TFormImageView::TFormImageView(Platform& platform, const Start& start, QWidget* parent)
    : QDialog(parent), platform_(platform), picture_(platform.prompts) {
  setObjectName("TFormImageView");
  setWindowTitle("Power Image Tag / Preview Screen");
  auto* v = new QVBoxLayout(this);

  auto* browse = new QHBoxLayout;
  auto* lists = new QVBoxLayout;
  DriveComboBox1 = named(new QComboBox(this), "DriveComboBox1", "Drive");
  DirectoryListBox1 = named(new QListWidget(this), "DirectoryListBox1");
  FileListBox1 = named(new QListWidget(this), "FileListBox1", "Image files");
  lists->addWidget(DriveComboBox1);
  auto* folderPath = named(new QLabel(this), "LabelFolder");
  folderPath->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lists->addWidget(folderPath);
  auto* listRow = new QHBoxLayout;
  listRow->addWidget(DirectoryListBox1);
  listRow->addWidget(FileListBox1);
  lists->addLayout(listRow);
  browse->addLayout(lists, 1);
  auto* shown = new QVBoxLayout;
  Image1 = named(new QLabel(this), "Image1");
  Image1->setFixedSize(kPreviewWidth, kPreviewHeight);
  Image1->setAlignment(Qt::AlignCenter);
  Image1->setFrameShape(QFrame::StyledPanel);
  LabelDim = named(new QLabel("Dim:", this), "LabelDim");
  LabelSize = named(new QLabel("Size:", this), "LabelSize");
  LabelPath = named(new QLabel("File Path:", this), "LabelPath");
  for (QLabel* l : {LabelDim, LabelSize, LabelPath}) l->setTextFormat(Qt::PlainText);
  shown->addWidget(Image1);
  shown->addWidget(LabelDim);
  shown->addWidget(LabelSize);
  shown->addWidget(LabelPath);
  browse->addLayout(shown);
  v->addLayout(browse);

  auto* form = new QGridLayout;
  EditIMGSource = named(new QLineEdit(this), "EditIMGSource");
  EditAlt = named(new QLineEdit(this), "EditAlt");
  EditIMGWidth = named(new QLineEdit(this), "EditIMGWidth");
  EditIMGHeight = named(new QLineEdit(this), "EditIMGHeight");
  ComboBoxAlign = named(new QComboBox(this), "ComboBoxAlign");
  ComboBoxAlign->setEditable(true);
  ComboBoxAlign->addItems({"RIGHT", "LEFT", "TOP", "MIDDLE", "BOTTOM", "BASELINE", "TEXTTOP"});
  ComboBoxAlign->setCurrentIndex(-1);
  ComboBoxAlign->setEditText(QString());
  SpinBorder = named(new QSpinBox(this), "SpinBorder");
  SpinBorder->setRange(0, 10);
  CheckISMAP = named(new QCheckBox("ISMAP", this), "CheckISMAP");
  form->addWidget(new QLabel("Source", this), 0, 0);
  form->addWidget(EditIMGSource, 0, 1, 1, 3);
  form->addWidget(new QLabel("Alt Text", this), 1, 0);
  form->addWidget(EditAlt, 1, 1, 1, 3);
  form->addWidget(new QLabel("Width", this), 2, 0);
  form->addWidget(EditIMGWidth, 2, 1);
  form->addWidget(new QLabel("Height", this), 2, 2);
  form->addWidget(EditIMGHeight, 2, 3);
  form->addWidget(new QLabel("Align", this), 3, 0);
  form->addWidget(ComboBoxAlign, 3, 1);
  form->addWidget(new QLabel("Border", this), 3, 2);
  form->addWidget(SpinBorder, 3, 3);
  form->addWidget(CheckISMAP, 4, 1);
  v->addLayout(form);
  CheckRelative = named(new QCheckBox("Insert this relative path to images", this), "CheckRelative");
  EditRelativePath = named(new QLineEdit(toQString(start.relativePath), this), "EditRelativePath");
  EditRelativePath->setToolTip(
      "Use this when your images are stored in a location different from your HTML file:   Example:    /data/images/");
  auto* rel = new QHBoxLayout;
  rel->addWidget(CheckRelative);
  rel->addWidget(EditRelativePath, 1);
  v->addLayout(rel);
  EditDummy =
      named(new QLineEdit("The <IMG> tag will be created for you after you select an image file above....", this),
            "EditDummy", "Image tag");
  v->addWidget(EditDummy);
  auto* buttons = new QHBoxLayout;
  auto* insert = named(new QPushButton("Insert Tag into HTML file", this), "BitBtnInsert");
  auto* copy = named(new QPushButton("Copy Tag to Clipboard", this), "BitBtnClipboard");
  auto* close = named(new QPushButton("&Close", this), "Button1");
  close->setDefault(true);
  buttons->addWidget(insert);
  buttons->addWidget(copy);
  buttons->addStretch();
  buttons->addWidget(close);
  v->addLayout(buttons);

  browser_ = new FolderBrowser(
      DriveComboBox1, DirectoryListBox1, FileListBox1, [] { return std::string(kImageMask); }, this);
  browser_->showPathIn(folderPath);
  connect(FileListBox1, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item) EditIMGSource->setText(toQString(referenceToFileName(itemBytes(item))));
  });
  connect(FileListBox1, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { showImage(browser_->pathOf(item), ""); });
  for (QLineEdit* e : {EditIMGSource, EditAlt, EditIMGWidth, EditIMGHeight, EditRelativePath})
    connect(e, &QLineEdit::textChanged, this, [this] { EditIMGSourceChange(); });
  connect(ComboBoxAlign, &QComboBox::currentTextChanged, this, [this] { EditIMGSourceChange(); });
  connect(SpinBorder, &QSpinBox::valueChanged, this, [this] { EditIMGSourceChange(); });
  connect(CheckISMAP, &QCheckBox::toggled, this, [this] { EditIMGSourceChange(); });
  connect(CheckRelative, &QCheckBox::toggled, this, [this] { EditIMGSourceChange(); });
  EditRelativePath->installEventFilter(this);
  connect(insert, &QPushButton::clicked, this, [this] { BitBtnInsertClick(true); });
  connect(copy, &QPushButton::clicked, this, [this] { BitBtnInsertClick(false); });
  connect(close, &QPushButton::clicked, this, [this] {
    handBack_.insertRequested = false;
    reject();
  });

  const std::vector<std::string> roots = driveRoots();
  std::string folder(folderPart(start.startFolder));
  if (!isDirectory(folder)) folder = roots.size() > 1 ? roots[1] : roots.front();
  browser_->goTo(folder);
  if (!start.selectedFile.empty()) showImage(start.selectedFile, "File ");
}

bool TFormImageView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EditRelativePath && event->type() == QEvent::MouseButtonPress) EditIMGSourceChange();
  return QDialog::eventFilter(watched, event);
}

bool TFormImageView::showImage(const std::string& path, const char* labelPrefix) {
  Image1->clear();
  if (!picture_.load(path)) {
    platform_.prompts.error(kCannotOpen);
    return false;
  }
  const QPixmap pixmap = QPixmap::fromImage(picture_.picture());
  Image1->setPixmap(pixmap.scaled(Image1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
  const QString width = QString::number(picture_.width());
  const QString height = QString::number(picture_.height());
  LabelDim->setText(QString(labelPrefix) + "Dim: " + width + " X " + height + " pixels");
  LabelSize->setText(QString(labelPrefix) + "Size: " + QString::number(picture_.fileSize() / 1000) + "KB");
  LabelPath->setText(toQString(picture_.name()));
  EditIMGSource->setText(toQString(referenceToFileName(fileNamePart(path))));
  EditIMGWidth->setText(width);
  EditIMGHeight->setText(height);
  return true;
}

ImageTagRecord TFormImageView::record() const {
  ImageTagRecord r;
  r.source = toBytes(EditIMGSource->text());
  r.alt = toBytes(EditAlt->text());
  r.width = toBytes(EditIMGWidth->text());
  r.height = toBytes(EditIMGHeight->text());
  r.align = toBytes(ComboBoxAlign->currentText());
  r.border = SpinBorder->value();
  r.isMap = CheckISMAP->isChecked();
  r.useRelative = CheckRelative->isChecked();
  r.relativePath = relativePath();
  return r;
}

std::string TFormImageView::relativePath() const { return toBytes(EditRelativePath->text()); }

void TFormImageView::EditIMGSourceChange() {
  EditDummy->setText(toQString(imageTagText(record())));
  // All of it selected, with the caret at its start so that the box shows the tag's beginning.
  EditDummy->setSelection(EditDummy->text().size(), -EditDummy->text().size());
}

void TFormImageView::BitBtnInsertClick(bool insert) {
  if (EditIMGSource->text().isEmpty()) {
    platform_.prompts.error("You must supply the SOURCE file name.");
    return;
  }
  handBack_.post(platform_.clipboard, toBytes(EditDummy->text()), insert);
  accept();
}

}  // namespace quillon
