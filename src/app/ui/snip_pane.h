#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/platform.h"

class QComboBox;
class QLineEdit;
class QMenu;
class QListWidget;
class QRadioButton;
class QWidget;

namespace quillon {

// The custom tags of the tag panel and the two snippet lists of the Snips tab, each kept in its file of
// the program folder (custom.dat, urlsnips.dat, missnips.dat) and shown in case-blind order.
class SnipPane : public QObject {
  Q_OBJECT
 public:
  enum class List { Urls, Misc };
  // What the pane asks of the window.
  struct Hooks {
    std::function<void(const std::string&)> wrapInCustomTag;  // the chosen custom tag, around the selection
    std::function<void(const std::string&)> paste;            // a snippet, over the editor's selection
    std::function<void(QMenu&, List)> fillMenu;               // a snippet list's context menu
    std::function<void(List)> editCommand;                    // runs the list's "Edit Snip" command
  };
  // `window` holds the controls (by name) and parents the dialogs.
  SnipPane(QWidget& window, Platform& platform, std::string programDir, Hooks hooks);

  void load();
  void addCustomTag();
  void deleteCustomTag();
  void editSnip(List which);

 private:
  struct Snips {
    QListWidget* list;
    const char* file;
  };
  Snips snips(List which) const;
  void customTagChosen(int index);
  std::vector<std::string> customTagEntries() const;
  void setCustomTags(std::vector<std::string> entries);
  void saveSnips(const Snips& snips);
  void addSnip(const Snips& snips, QLineEdit* entry);
  void deleteSnip(const Snips& snips);
  void useSnip(const Snips& snips);
  bool eventFilter(QObject* watched, QEvent* event) override;

  QWidget& window_;
  Platform& platform_;
  std::string programDir_;
  Hooks hooks_;
  QComboBox* custom_;
  QListWidget* urls_;
  QListWidget* misc_;
  QRadioButton* pasteIntoEditor_;
};

}  // namespace quillon
