#include "app/ui/files_tab.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTabWidget>

#include "base/file_io.h"
#include "base/program_folders.h"
#include "base/text_bytes.h"
#include "platform/ui/qt_text.h"
#include "project/files_pane.h"
#include "project/ui/folder_browser.h"

namespace quillon {

FilesTab::FilesTab(QWidget& window, int tabIndex, Hooks hooks)
    : QObject(&window), hooks_(std::move(hooks)), files_(window.findChild<QListWidget*>("ListBox2")) {
  auto* filter = window.findChild<QComboBox*>("FilterComboBox1");
  browser_ = new FolderBrowser(
      window.findChild<QComboBox*>("DriveComboBox1"), window.findChild<QListWidget*>("DirectoryListBox1"), files_,
      [filter] { return toBytes(filter->currentData().toString()); }, this);
  browser_->showPathIn(window.findChild<QLabel*>("LabelDirectory"));
  connect(filter, &QComboBox::currentIndexChanged, this, [this] {
    if (!folder().empty()) goTo(folder());
  });
  auto* tabs = window.findChild<QTabWidget*>("PageControl1");
  connect(tabs, &QTabWidget::currentChanged, this, [this, tabIndex](int index) {
    if (index != tabIndex) return;
    const std::string start = hooks_.startFolder();
    goTo(isDirectory(start) ? start : homeDirectory());
  });
  connect(files_, &QListWidget::itemClicked, this, [this] {
    const std::string path = chosenFile();
    if (const auto size = path.empty() ? std::nullopt : regularFileSize(path)) hooks_.showSize(*size);
  });
  connect(files_, &QListWidget::itemDoubleClicked, this, [this] { hooks_.open(); });
  connect(files_, &QWidget::customContextMenuRequested, this, [this, &window](const QPoint& pos) {
    auto* menu = new QMenu(&window);
    menu->setObjectName("PopupMenuFiles");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    hooks_.fillMenu(*menu, openKindFor(fileNamePart(chosenFile())) == FileOpenKind::Html);
    menu->popup(files_->viewport()->mapToGlobal(pos));
  });
}

void FilesTab::goTo(const std::string& folder) { browser_->goTo(folder); }

const std::string& FilesTab::folder() const { return browser_->folder(); }

std::string FilesTab::chosenFile() const {
  const QListWidgetItem* item = files_->currentItem();
  return item ? browser_->pathOf(item) : std::string();
}

}  // namespace quillon
