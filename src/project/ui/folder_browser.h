#pragma once

#include <QObject>
#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;

namespace quillon {

// A drive list, a folder list (".." first, double-click to enter) and optionally a file list of the
// folder, kept in step the way every file picker of the program shows them.
class FolderBrowser : public QObject {
  Q_OBJECT
 public:
  // `files` may be null; `mask` is asked each time the file list is filled ("*.*" when it gives nothing).
  // The drive list is filled here.
  FolderBrowser(QComboBox* drives, QListWidget* folders, QListWidget* files, std::function<std::string()> mask,
                QObject* parent);
  void goTo(const std::string& folder);
  const std::string& folder() const { return folder_; }
  // The path of an entry of the file list, by the exact bytes of its name.
  std::string pathOf(const QListWidgetItem* file) const;
  // Shows the folder's full path in `label` from now on.
  void showPathIn(QLabel* label);
  // Called after the user moved to another folder (not after goTo).
  std::function<void(const std::string&)> entered;

 private:
  QComboBox* drives_;
  QListWidget* folders_;
  QListWidget* files_;
  QLabel* path_ = nullptr;
  std::function<std::string()> mask_;
  std::string folder_;
};

}  // namespace quillon
