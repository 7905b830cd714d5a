// The Files tab: a small file browser from which files are opened, linked or measured into image tags.
#include <Qsci/qsciscintilla.h>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTabWidget>

#include <QAction>
#include "app/command_names.h"
#include "app/ui/command_registry.h"
#include "app/ui/mainwindow.h"
#include "base/file_io.h"
#include "base/program_folders.h"
#include "base/text_bytes.h"
#include "builders/file_reference.h"
#include "builders/image_size.h"
#include "editor/insertion.h"
#include "editor/ui/editor_bytes.h"
#include "platform/ui/byte_items.h"
#include "platform/ui/drive_list.h"
#include "platform/ui/qt_text.h"
#include "project/files_pane.h"
#include "project/page_checks.h"

namespace quillon {

void TForm1::wireFilesPane() {
  for (const std::string& root : driveRoots()) addByteItem(DriveComboBox1, root);
  connect(DriveComboBox1, &QComboBox::activated, this, [this](int i) { filesGoTo(comboBytes(DriveComboBox1, i)); });
  connect(DirectoryListBox1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    const std::string name = itemBytes(item);
    filesGoTo(name == ".." ? parentFolder(filesFolder_) : joinPath(filesFolder_, name) + "/");
  });
  connect(FilterComboBox1, &QComboBox::currentIndexChanged, this, [this] { filesGoTo(filesFolder_); });
  connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
    if (index != 1) return;
    const std::string& start = settings_.filesUseSel ? settings_.filesSelected : settings_.filesLocation;
    filesGoTo(isDirectory(start) ? start : homeDirectory());
  });
  connect(ListBox2, &QListWidget::itemClicked, this, [this] { ListBox2Click(); });
  connect(ListBox2, &QListWidget::itemDoubleClicked, this, [this] { ListBox2DblClick(); });
  connect(ListBox2, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    auto* menu = new QMenu(this);
    menu->setObjectName("PopupMenuFiles");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    commands_->fillMenu(*menu, fileListMenu(), true);
    // Only a page can be analysed: an image or another file leaves the item disabled.
    const bool page = openKindFor(fileNamePart(chosenFile())) == FileOpenKind::Html;
    for (QAction* action : menu->actions())
      if (action->data().toString() == toQString(cmd::AnalyzeWebPage1Click.text))
        action->setEnabled(page && action->isEnabled());
    menu->popup(ListBox2->viewport()->mapToGlobal(pos));
  });
}

void TForm1::filesGoTo(const std::string& folder) {
  filesFolder_ = folder;
  LabelDirectory->setText(toQString(folder));
  DirectoryListBox1->clear();
  DirectoryListBox1->addItem("..");
  for (const auto& name : foldersIn(folder)) addByteItem(DirectoryListBox1, name);
  ListBox2->clear();
  const std::string mask = toBytes(FilterComboBox1->currentData().toString());
  for (const auto& name : filesIn(folder, mask.empty() ? "*.*" : mask)) addByteItem(ListBox2, name);
}

std::string TForm1::chosenFile() const {
  const QListWidgetItem* item = ListBox2->currentItem();
  return item ? joinPath(filesFolder_, itemBytes(item)) : std::string();
}

void TForm1::ListBox2Click() {
  const std::string path = chosenFile();
  const auto size = path.empty() ? std::nullopt : regularFileSize(path);
  if (!size) return;
  statusPanels_[0]->setText(toQString(fileSizeText(*size)));
  statusPanels_[1]->setText("Page Location:  ");
}

std::vector<CommandRecord> TForm1::filesCommands() {
  return {
      {cmd::BitBtnInsertLinkImageClick, "Insert Image", "", "insert-link", call(&TForm1::BitBtnInsertLinkImageClick)}};
}

void TForm1::ListBox2DblClick() {
  const std::string path = chosenFile();
  if (path.empty()) return;
  setSetting(&RunSettings::filesLocation, filesFolder_);
  switch (openKindFor(path)) {
    case FileOpenKind::Image:
      openImageBuilder(path);
      return;
    case FileOpenKind::Other:
      if (platform_.prompts.message(MessageKind::Confirm, kAppTitle,
                                    "This does not appear to be a valid HTML file type. Do you wish to open it in the "
                                    "editing window anyways?",
                                    Buttons::YesNo) != Answer::Yes)
        return;
      break;
    case FileOpenKind::Html:
      break;
  }
  if (QueryCloseHTML(CloseRequest::Other) == Answer::Cancel) return;
  // A file of the user's own is never a read-only help page, whatever was shown before.
  openDocument(path, {});
}

void TForm1::BitBtnInsertLinkImageClick() {
  const std::string path = chosenFile();
  if (path.empty()) return;
  const std::string name(fileNamePart(path));
  // The tag's reference finds the file whatever its name holds ('#', '%', 8-bit bytes).
  const std::string reference = referenceToFileName(name);
  std::string text;
  if (isLinkableImage(name)) {
    const auto size = measureImageFile(path);
    if (!size) {
      platform_.prompts.info("Error opening file. File is corrupt or cannot handle this file type.");
      return;
    }
    text = imageText(reference, size->width, size->height);
  } else {
    text = linkText(reference);
  }
  const EditView view = editView();
  applyInsertion({view.selStart, 0, text, view.selStart, text.size()});
}

}  // namespace quillon
