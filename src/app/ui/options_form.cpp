#include "app/ui/options_form.h"

#include "editor/colour_scheme.h"

#include "base/write_failure.h"
#include "platform/ui/byte_items.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/colour_names.h"
#include "base/ini_file.h"
#include "base/text_bytes.h"
#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"
#include "project/link_paths.h"
#include "project/page_checks.h"
#include "project/project_files.h"
#include "project/project_session.h"

namespace quillon {

namespace {

QLineEdit* edit(QWidget* parent, const char* name) { return named(new QLineEdit(parent), name); }

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
  return named(new QPushButton(caption, parent), name);
}

QColor toQColor(ColourValue v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }

const char* const kPickerFilter = "Programs|*|All Files|*.*";
const char* const kPickerTitle = "Select any file in the new directory location, then click OPEN";

}  // namespace

TFormOptions::TFormOptions(OptionsTab tab, Platform& platform, RunSettings& settings, std::string programDir,
                           std::vector<std::string> extensions, ProjectSession& project, QWidget* parent)
    : QDialog(parent), platform_(platform), settings_(settings), programDir_(std::move(programDir)), project_(project) {
  setObjectName("TFormOptions");
  setWindowTitle("Settings");
  auto* v = new QVBoxLayout(this);
  PageControl1 = named(new QTabWidget(this), "PageControl1");
  PageControl1->setUsesScrollButtons(false);  // every tab in view: the dialog is as wide as they need
  PageControl1->addTab(buildFilesTab(), "Files");
  PageControl1->addTab(buildTagTab(), "Tag Options");
  PageControl1->addTab(buildPathTab(), "Change File Path");
  PageControl1->addTab(buildBrowsersTab(), "Web Browsers");
  PageControl1->addTab(buildHelpersTab(), "Helper Apps");
  PageControl1->addTab(buildBackupTab(), "Back Up");
  PageControl1->addTab(buildFtpTab(), "FTP");
  PageControl1->addTab(buildEditorTab(), "Editor");
  v->addWidget(PageControl1);
  auto* row = new QHBoxLayout;
  row->addStretch();
  auto* apply = button(this, "Button3", "&Apply");
  apply->setDefault(true);  // Return in any field applies, as in every other dialog
  auto* cancel = button(this, "Button4", "Cance&l");
  row->addWidget(apply);
  row->addWidget(cancel);
  v->addLayout(row);
  connect(apply, &QPushButton::clicked, this, &TFormOptions::Button3Click);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  PageControl1->setCurrentIndex(static_cast<int>(tab));
  fill(optionsFrom(settings_, extensions));
  for (const auto& folder : linkFolders(project_.tree())) addByteItem(ListBoxPaths, folder);  // 8-bit folders kept
}

// A text box with its "..." button on one row of a form; returns the button.
QPushButton* TFormOptions::pickerRow(QFormLayout* form, QWidget* page, QLineEdit*& box, const char* boxName,
                                     const char* buttonName, const char* label) {
  box = edit(page, boxName);
  auto* b = button(page, buttonName, "...");
  auto* h = new QHBoxLayout;
  h->addWidget(box);
  h->addWidget(b);
  form->addRow(label, h);
  return b;
}

QWidget* TFormOptions::buildFilesTab() {
  auto* page = named(new QWidget, "TabSheetFiles");
  auto* v = new QVBoxLayout(page);
  auto* extensions = new QGroupBox("HTML file extensions", page);
  auto* eh = new QHBoxLayout(extensions);
  ListBoxHTMLExtensions = named(new QListWidget(extensions), "ListBoxHTMLExtensions", "HTML file extensions");
  eh->addWidget(ListBoxHTMLExtensions);
  auto* ev = new QVBoxLayout;
  auto* add = button(extensions, "Button1", "&Add");
  EditNewExt = edit(extensions, "EditNewExt");
  auto* del = button(extensions, "ButtonDeleteExt", "&Delete");
  auto* addRow = new QHBoxLayout;
  addRow->addWidget(add);
  addRow->addWidget(EditNewExt);
  ev->addLayout(addRow);
  ev->addWidget(del);
  ev->addStretch();
  eh->addLayout(ev);
  v->addWidget(extensions);
  connect(add, &QPushButton::clicked, this, &TFormOptions::Button1Click);
  connect(del, &QPushButton::clicked, this, &TFormOptions::ButtonDeleteExtClick);

  auto* form = new QFormLayout;

  auto* tmpl = pickerRow(form, page, EditTemplate, "EditTemplate", "BitBtnTemplate", "HTML template file:");
  connect(tmpl, &QPushButton::clicked, this, [this] {
    if (auto chosen = pickFile({}, 2)) EditTemplate->setText(toQString(*chosen));
  });
  auto* defaults = pickerRow(form, page, EditDefaultFiles, "EditDefaultFiles", "BitBtn3", "Default Files folder:");
  connect(defaults, &QPushButton::clicked, this, [this] {
    const auto folder = pickFolder(
        "In the next dialog box, go to the directory you wish to use as DEFAULT and select any file in that "
        "directory. Then click the OPEN button. That will return the proper directory location.");
    if (!folder) return;
    EditDefaultFiles->setText(toQString(*folder));
    settings_.filesSelected = *folder;
  });
  CheckDefaultFiles =
      named(new QCheckBox("Always open the Files tab in the Default Files folder", page), "CheckDefaultFiles");
  form->addRow(CheckDefaultFiles);
  auto* images = pickerRow(form, page, EditImagePath, "EditImagePath", "BitBtnImagePath", "Images folder:");
  connect(images, &QPushButton::clicked, this, [this] {
    const auto folder = pickFolder(
        "In the next dialog box, go to the directory where you store the images used in your HTML files and select "
        "any file in that directory. Then click the OPEN button. That will return the proper directory location.");
    if (folder) EditImagePath->setText(toQString(*folder));
  });
  EditDefaultExt = edit(page, "EditDefaultExt");
  form->addRow("Default extension for new files:", EditDefaultExt);
  CheckConfirm = named(new QCheckBox("Confirm before removing a page from a project", page), "CheckConfirm");
  CheckFileEditSetting = named(new QCheckBox("Large File Setting", page), "CheckFileEditSetting");
  form->addRow(CheckConfirm);
  form->addRow(CheckFileEditSetting);
  v->addLayout(form);
  return page;
}

QWidget* TFormOptions::buildTagTab() {
  auto* page = named(new QWidget, "TabSheetTags");
  auto* form = new QFormLayout(page);
  // In the order of the colour keys: DEFAULT, HREF, IMG, FONT, TABLE, LIST.
  static const char* const labels[] = {
      "Default HTML Tag Color",   "Anchors: < A HREF> <A NAME>", "Images: <IMG>",
      "Font: <FONT> <B> <I> <U>", "Tables: <TABLE> <TR> <TD>",   "Lists: <OL> <UL> <LI> <DL>"};
  for (size_t i = 0; i < 6; ++i) {
    colourBoxes_[i] = new QComboBox(page);
    colourBoxes_[i]->setObjectName(QString("ComboBox%1").arg(i + 1));
    // Each colour's name with a swatch of it; the stored value stays the name.
    for (auto name : kColourNames) {
      const ColourValue c = ColorFromName(name);
      QPixmap swatch(14, 14);
      swatch.fill(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
      colourBoxes_[i]->addItem(QIcon(swatch), QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    }
    classLabels_[i] = new QLabel(labels[i], page);
    classLabels_[i]->setTextFormat(Qt::PlainText);  // the tag names are text, not markup
    classLabels_[i]->setObjectName(QString("LabelClass%1").arg(i + 1));
    form->addRow(classLabels_[i], colourBoxes_[i]);
    connect(colourBoxes_[i], &QComboBox::currentIndexChanged, this, &TFormOptions::paintClassLabels);
  }
  CheckStrong = named(new QCheckBox("Bold inserts <STRONG> instead of <B>", page), "CheckStrong");
  CheckEm = named(new QCheckBox("Italic inserts <EM> instead of <I>", page), "CheckEm");
  form->addRow(CheckStrong);
  form->addRow(CheckEm);
  return page;
}

QWidget* TFormOptions::buildPathTab() {
  auto* page = named(new QWidget, "TabSheetPath");
  auto* v = new QVBoxLayout(page);
  v->addWidget(new QLabel("Folders of the pages of the open project:", page));
  ListBoxPaths = named(new QListWidget(page), "ListBoxPaths");
  v->addWidget(ListBoxPaths);
  BitBtnNewPath = button(page, "BitBtnNewPath", "Select NEW path to file:");
  BitBtnNewPath->setEnabled(false);
  LabelNewPath = named(new QLabel(page), "LabelNewPath");
  BitBtnChangePath = button(page, "BitBtnChangePath", "Change to NEW path");
  BitBtnChangePath->setEnabled(false);
  v->addWidget(BitBtnNewPath);
  v->addWidget(LabelNewPath);
  v->addWidget(BitBtnChangePath);
  connect(ListBoxPaths, &QListWidget::currentRowChanged, this, [this](int row) {
    BitBtnNewPath->setEnabled(row >= 0);
    BitBtnChangePath->setEnabled(row >= 0 && !newPath_.empty());
  });
  connect(BitBtnNewPath, &QPushButton::clicked, this, &TFormOptions::selectNewPath);
  connect(BitBtnChangePath, &QPushButton::clicked, this, &TFormOptions::changeToNewPath);
  return page;
}

QWidget* TFormOptions::buildBrowsersTab() {
  auto* page = named(new QWidget, "TabSheetBrowsers");
  auto* v = new QVBoxLayout(page);
  auto* preview = new QGroupBox("Browser preview", page);
  auto* pv = new QVBoxLayout(preview);
  RadioAutoSave = named(new QRadioButton("Auto-Save open HTML file and view", preview), "RadioAutoSave");
  RadioNoSave = named(new QRadioButton("View most recently saved version", preview), "RadioNoSave");
  RadioTemp = named(new QRadioButton("View temporary file (no need to save)", preview), "RadioTemp");
  pv->addWidget(RadioAutoSave);
  pv->addWidget(RadioNoSave);
  pv->addWidget(RadioTemp);
  v->addWidget(preview);
  auto* form = new QFormLayout;
  auto browser = [&](QLineEdit*& box, const char* boxName, const char* buttonName, const char* caption,
                     std::string RunSettings::*member) {
    box = edit(page, boxName);
    auto* b = button(page, buttonName, caption);
    form->addRow(b, box);
    QLineEdit* target = box;
    connect(b, &QPushButton::clicked, this, [this, member, target] {
      if (auto chosen = pickFile({}, 1)) writeAtOnce(member, *chosen, target);
    });
  };
  browser(EditNet, "EditNet", "BitBtnNet", "Find Netscape Location", &RunSettings::netscape);
  browser(EditMSIE, "EditMSIE", "BitBtnMSIE", "Find MS Internet Explorer", &RunSettings::msie);
  EditNet->setAccessibleName("Netscape location");
  EditMSIE->setAccessibleName("MS Internet Explorer location");
  v->addLayout(form);
  CheckMSIEControl = named(new QCheckBox("Do NOT show MSIE control panel", page), "CheckMSIEControl");
  v->addWidget(CheckMSIEControl);
  v->addStretch();
  return page;
}

QWidget* TFormOptions::buildHelpersTab() {
  auto* page = named(new QWidget, "TabSheetHelpers");
  auto* form = new QFormLayout(page);
  auto helper = [&](QLineEdit*& box, const char* boxName, const char* buttonName, const char* label) {
    QPushButton* b = pickerRow(form, page, box, boxName, buttonName, label);
    QLineEdit* target = box;
    connect(b, &QPushButton::clicked, this, [this, target] {
      if (auto chosen = pickFile({}, 1)) target->setText(toQString(*chosen));
    });
  };

  helper(EditImage, "EditImage", "BitBtnImage", "Image editor:");
  helper(EditFTP, "EditFTP", "BitBtnFTP", "FTP program:");
  helper(EditMap, "EditMap", "BitBtnMap", "Image map editor:");
  return page;
}

QWidget* TFormOptions::buildBackupTab() {
  auto* page = named(new QWidget, "TabSheetBackup");
  auto* v = new QVBoxLayout(page);
  RadioNoBackup = named(new QRadioButton("Do NOT perform any backup -- just exit.", page), "RadioNoBackup");
  RadioPromptBack = named(new QRadioButton("Prompt to backup project HTML files every:", page), "RadioPromptBack");
  v->addWidget(RadioNoBackup);
  auto* h = new QHBoxLayout;
  h->addWidget(RadioPromptBack);
  SpinPromptBack = named(new QSpinBox(page), "SpinPromptBack");
  SpinPromptBack->setRange(1, 15);
  h->addWidget(SpinPromptBack);
  h->addWidget(new QLabel("sessions", page));
  h->addStretch();
  v->addLayout(h);
  v->addStretch();
  // The backup choice takes effect at once, even when the dialog is cancelled later.
  connect(RadioNoBackup, &QRadioButton::clicked, this, [this] { settings_.backupType = 0; });
  connect(RadioPromptBack, &QRadioButton::clicked, this, [this] { settings_.backupType = 1; });
  return page;
}

QWidget* TFormOptions::buildEditorTab() {
  auto* page = named(new QWidget, "TabSheetEditor");
  auto* form = new QFormLayout(page);
  ComboEditorFont = named(new QFontComboBox(page), "ComboEditorFont");
  SpinEditorSize = named(new QSpinBox(page), "SpinEditorSize");
  SpinEditorSize->setRange(kSmallestEditorSize, kLargestEditorSize);
  CheckLineNumbers = named(new QCheckBox("Show line numbers", page), "CheckLineNumbers");
  form->addRow("Font of the editing window:", ComboEditorFont);
  form->addRow("Size (points):", SpinEditorSize);
  form->addRow(CheckLineNumbers);
  ComboScheme = named(new QComboBox(page), "ComboScheme");
  ComboScheme->addItem("As the desktop", "System");
  ComboScheme->addItem("Light", "Light");
  ComboScheme->addItem("Dark", "Dark");
  ComboScheme->setToolTip("Light or dark colors for the program and its editing window");
  form->addRow("Colors:", ComboScheme);
  CheckColourAsYouType = named(new QCheckBox("Color tags as you type", page), "CheckColourAsYouType");
  CheckColourAsYouType->setToolTip("Tags take their colors while you type; Color Tags Now still colors the whole page");
  form->addRow(CheckColourAsYouType);
  CheckCompleteTags =
      named(new QCheckBox("Offer end tags, element and attribute names while typing", page), "CheckCompleteTags");
  form->addRow(CheckCompleteTags);
  CheckOpenInNewTab = named(new QCheckBox("Open each page in a tab of its own", page), "CheckOpenInNewTab");
  form->addRow(CheckOpenInNewTab);
  CheckRestorePages = named(new QCheckBox("Reopen the open pages at the next start", page), "CheckRestorePages");
  form->addRow(CheckRestorePages);
  SpinUndoRuns = named(new QSpinBox(page), "SpinUndoRuns");
  SpinUndoRuns->setRange(1, kMostUndoRuns);
  SpinUndoRuns->setToolTip("Undo Last Site Replace can take back this many site-wide replaces, newest first");
  form->addRow("Site-wide replaces kept for undo:", SpinUndoRuns);
  return page;
}

QWidget* TFormOptions::buildFtpTab() {
  auto* page = named(new QWidget, "TabSheetFTP");
  auto* v = new QVBoxLayout(page);
  CheckFTPAuto = named(new QCheckBox("Add every saved HTML file to the FTP list", page), "CheckFTPAuto");
  v->addWidget(CheckFTPAuto);
  v->addStretch();
  return page;
}

void TFormOptions::fill(const OptionsRecord& r) {
  shown_ = r;
  for (const auto& ext : r.extensions) ListBoxHTMLExtensions->addItem(toQString(ext));
  EditTemplate->setText(toQString(r.templatePath));
  ComboEditorFont->setCurrentFont(QFont(toQString(r.editorFont)));
  SpinEditorSize->setValue(r.editorSize);
  CheckLineNumbers->setChecked(r.lineNumbers);
  CheckColourAsYouType->setChecked(r.colourAsYouType);
  CheckCompleteTags->setChecked(r.completeTags);
  CheckOpenInNewTab->setChecked(r.openInNewTab);
  CheckRestorePages->setChecked(r.restorePages);
  ComboScheme->setCurrentIndex(std::max(0, ComboScheme->findData(toQString(r.scheme))));
  SpinUndoRuns->setValue(r.undoRuns);
  EditImagePath->setText(toQString(r.imagePath));
  EditDefaultFiles->setText(toQString(r.defaultFiles));
  EditDefaultExt->setText(toQString(r.defaultExt));
  EditFTP->setText(toQString(r.ftpPath));
  EditImage->setText(toQString(r.imageEditor));
  EditMap->setText(toQString(r.imagemap));
  EditNet->setText(toQString(r.netscape));
  EditMSIE->setText(toQString(r.msie));
  CheckDefaultFiles->setChecked(r.useDefaultFiles);
  CheckConfirm->setChecked(r.confirm);
  CheckStrong->setChecked(r.strong);
  CheckEm->setChecked(r.em);
  CheckFTPAuto->setChecked(r.ftpAuto);
  CheckFileEditSetting->setChecked(r.largeFiles);
  CheckMSIEControl->setChecked(r.hideMsieControl);
  (settings_.backupType == 0 ? RadioNoBackup : RadioPromptBack)->setChecked(true);
  SpinPromptBack->setValue(r.promptFreq);
  (r.previewOption == "auto" ? RadioAutoSave : r.previewOption == "nosave" ? RadioNoSave : RadioTemp)->setChecked(true);
  for (size_t i = 0; i < 6; ++i) {
    const int index = ColorNameIndex(ColorFromName(r.tagColours[i]));
    colourBoxes_[i]->setCurrentIndex(index < 0 ? 0 : index);
  }
  paintClassLabels();
}

void TFormOptions::paintClassLabels() {
  // On a dark dialog each class's label is lightened until it reads (as the editing window does with the
  // default colours); the colour chosen stays what the box says.
  const QColor window = palette().color(QPalette::Window);
  const ColourValue background = static_cast<ColourValue>(window.red() | (window.green() << 8) | (window.blue() << 16));
  for (size_t i = 0; i < 6; ++i) {
    ColourValue value = ColorFromName(toBytes(colourBoxes_[i]->currentText()));
    if (windowColourIsDark(background)) value = readableOn(value, background);
    classLabels_[i]->setStyleSheet(QString("color: %1;").arg(toQColor(value).name()));
  }
}

OptionsRecord TFormOptions::record() const {
  OptionsRecord r;
  for (int i = 0; i < ListBoxHTMLExtensions->count(); ++i)
    r.extensions.push_back(toBytes(ListBoxHTMLExtensions->item(i)->text()));
  r.templatePath = toBytesKeeping(EditTemplate->text(), shown_.templatePath);
  r.imagePath = toBytesKeeping(EditImagePath->text(), shown_.imagePath);
  r.defaultFiles = toBytesKeeping(EditDefaultFiles->text(), shown_.defaultFiles);
  r.defaultExt = toBytesKeeping(EditDefaultExt->text(), shown_.defaultExt);
  r.ftpPath = toBytesKeeping(EditFTP->text(), shown_.ftpPath);
  r.imageEditor = toBytesKeeping(EditImage->text(), shown_.imageEditor);
  r.imagemap = toBytesKeeping(EditMap->text(), shown_.imagemap);
  r.netscape = toBytesKeeping(EditNet->text(), shown_.netscape);
  r.msie = toBytesKeeping(EditMSIE->text(), shown_.msie);
  r.useDefaultFiles = CheckDefaultFiles->isChecked();
  r.confirm = CheckConfirm->isChecked();
  r.strong = CheckStrong->isChecked();
  r.em = CheckEm->isChecked();
  r.ftpAuto = CheckFTPAuto->isChecked();
  r.largeFiles = CheckFileEditSetting->isChecked();
  r.hideMsieControl = CheckMSIEControl->isChecked();
  r.previewOption = RadioAutoSave->isChecked() ? "auto" : RadioNoSave->isChecked() ? "nosave" : "temp";
  r.promptFreq = SpinPromptBack->value();
  r.backupType = RadioNoBackup->isChecked() ? 0 : 1;
  for (size_t i = 0; i < 6; ++i) r.tagColours[i] = toBytes(colourBoxes_[i]->currentText());
  r.editorFont = toBytes(ComboEditorFont->currentFont().family());
  r.editorSize = SpinEditorSize->value();
  r.lineNumbers = CheckLineNumbers->isChecked();
  r.colourAsYouType = CheckColourAsYouType->isChecked();
  r.completeTags = CheckCompleteTags->isChecked();
  r.openInNewTab = CheckOpenInNewTab->isChecked();
  r.restorePages = CheckRestorePages->isChecked();
  r.scheme = ComboScheme->currentData().toString().toStdString();
  r.undoRuns = SpinUndoRuns->value();
  return r;
}

std::optional<std::string> TFormOptions::pickFile(const std::string& explanation, int filterIndex) {
  if (!explanation.empty()) platform_.prompts.info(explanation);
  FileDialogRequest request;
  request.title = kPickerTitle;
  request.filter = kPickerFilter;
  request.filterIndex = filterIndex;
  return platform_.fileDialogs.choose(request);
}

std::optional<std::string> TFormOptions::pickFolder(const std::string& explanation) {
  const auto chosen = pickFile(explanation, 2);
  if (!chosen) return std::nullopt;
  return linkFolder(*chosen);
}

void TFormOptions::writeAtOnce(std::string RunSettings::*member, const std::string& value, QLineEdit* box) {
  box->setText(toQString(value));
  const WriteResult r = SettingsWriter(programDir_).set(settings_, member, value);
  if (!r.ok) platform_.prompts.error(cannotWriteText(r, "settings file"));
}

void TFormOptions::Button1Click() {
  std::vector<std::string> list = record().extensions;
  const std::string message = addExtension(list, toBytes(EditNewExt->text()));
  if (!message.empty()) {
    platform_.prompts.info(message);
  } else {
    ListBoxHTMLExtensions->addItem(toQString(list.back()));
    EditNewExt->clear();
  }
  EditNewExt->setFocus();
}

void TFormOptions::ButtonDeleteExtClick() {
  if (auto* item = ListBoxHTMLExtensions->currentItem(); item && item->isSelected()) delete item;
}

void TFormOptions::Button3Click() {
  // A text that cannot be stored is refused before anything changes, run-time values included.
  const OptionsRecord r = record();
  if (const std::string field = unstorableOption(r); !field.empty()) {
    platform_.prompts.error("The setting \"" + field + "\" cannot hold a line break. Please correct it.");
    return;
  }
  const WriteResult result = applyOptions(r, settings_, programDir_, shown_);
  if (!result.ok) platform_.prompts.error(cannotWriteText(result, "settings file"));
  accept();
}

void TFormOptions::selectNewPath() {
  const auto folder = pickFolder(
      "In the next dialog box, go to the new directory where your HTML file is located and select any file in that "
      "directory. Then click the OPEN button. That will return the proper path location.");
  if (!folder) return;
  newPath_ = *folder;
  LabelNewPath->setText(toQString(newPath_));
  BitBtnChangePath->setEnabled(ListBoxPaths->currentRow() >= 0);
}

void TFormOptions::changeToNewPath() {
  if (ListBoxPaths->currentRow() < 0 || newPath_.empty()) return;
  const std::string oldPath = itemBytes(ListBoxPaths->currentItem());
  changeLinkFolder(project_.tree(), oldPath, newPath_);
  if (project_.name().empty() || project_.modified() || project_.helpMode()) {
    // The link file is written only beside the outline it belongs to. An untitled project has none yet, a
    // project with unsaved changes would pair new links with an old outline, and the help project is never
    // written: the new links wait in the project for its next save.
    if (!project_.helpMode()) project_.setModified();
  } else {
    const std::string outline = project_.projectsDir() + project_.name();
    const WriteResult r = saveProject(outline, project_.tree());
    if (!r.ok) {
      // The outline shows the new links: they stay in the project, which asks to be saved before it is left.
      project_.setModified();
      platform_.prompts.error(cannotWriteText(r, "project file"));
      return;
    }
  }
  platform_.prompts.info("All file references have been updated with the new path data.");
}

}  // namespace quillon
