#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <string>

class QMenu;
class QListWidget;
class QWidget;

namespace quillon {

class FolderBrowser;

// The Files tab: a drive list, the folder's path, its folders and, through the chosen filter, its files.
// The window opens, links and measures the chosen file; the tab keeps the lists and says which file it is.
class FilesTab : public QObject {
  Q_OBJECT
 public:
  struct Hooks {
    std::function<std::string()> startFolder;           // where the tab opens each time it is shown
    std::function<void(QMenu&, bool isPage)> fillMenu;  // the file list's context menu
    std::function<void(std::int64_t)> showSize;         // a file was clicked: its size in bytes
    std::function<void()> open;                         // a file was double-clicked
  };
  // `window` holds the controls by name; `tabIndex` is the tab's place among the left pane's tabs.
  FilesTab(QWidget& window, int tabIndex, Hooks hooks);

  void goTo(const std::string& folder);
  // The folder shown, empty before the tab was first shown.
  const std::string& folder() const;
  // The chosen file with its folder, or empty.
  std::string chosenFile() const;

 private:
  Hooks hooks_;
  QListWidget* files_;
  FolderBrowser* browser_;
};

}  // namespace quillon
