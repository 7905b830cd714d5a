#include "project/ui/folder_browser.h"

#include <QLabel>

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

#include "platform/ui/byte_items.h"
#include "platform/ui/drive_list.h"
#include "platform/ui/qt_text.h"
#include "project/files_pane.h"

namespace quillon {

FolderBrowser::FolderBrowser(QComboBox* drives, QListWidget* folders, QListWidget* files,
                             std::function<std::string()> mask, QObject* parent)
    : QObject(parent), drives_(drives), folders_(folders), files_(files), mask_(std::move(mask)) {
  for (const std::string& root : driveRoots()) addByteItem(drives_, root);
  connect(drives_, &QComboBox::activated, this, [this](int i) {
    goTo(comboBytes(drives_, i));
    if (entered) entered(folder_);
  });
  connect(folders_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    const std::string name = itemBytes(item);
    goTo(name == ".." ? parentFolder(folder_) : joinPath(folder_, name) + "/");
    if (entered) entered(folder_);
  });
}

void FolderBrowser::goTo(const std::string& folder) {
  folder_ = folder.empty() ? std::string("/") : folder;
  drives_->setCurrentText(toQString(driveOf(driveRoots(), folder_)));
  if (path_) {
    path_->setText(toQString(folder_));
    path_->setToolTip(toQString(folder_));
  }
  folders_->clear();
  folders_->addItem("..");
  for (const std::string& name : foldersIn(folder_)) addByteItem(folders_, name);
  if (!files_) return;
  const QSignalBlocker quiet(files_);  // refilling is not the user choosing a file
  files_->clear();
  const std::string mask = mask_ ? mask_() : std::string();
  for (const std::string& name : filesIn(folder_, mask.empty() ? "*.*" : mask)) addByteItem(files_, name);
}

void FolderBrowser::showPathIn(QLabel* label) {
  path_ = label;
  if (path_ && !folder_.empty()) path_->setText(toQString(folder_));
}

std::string FolderBrowser::pathOf(const QListWidgetItem* file) const { return joinPath(folder_, itemBytes(file)); }

}  // namespace quillon
