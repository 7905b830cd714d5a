#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "editor/search.h"
#include "platform/prompts.h"

class QsciScintilla;
class QWidget;

namespace quillon {

class FindDialog;

// Find and replace in the open document: the Find and Replace dialogs (made when first opened), the running
// search, and Find Next. The editing window is asked for each time, so that it can be the current page's.
class SearchSession : public QObject {
  Q_OBJECT
 public:
  SearchSession(QWidget& window, Prompts& prompts, std::function<QsciScintilla&()> editor);

  // Opens the dialog with the selection as the text to find; its first Find Next starts a new search.
  void open(bool replace);
  // Find Next of the menu (F3): the Find dialog's text, or none.
  void findNext();
  // Replace All ends any running search: the next Find Next starts afresh. The number replaced.
  size_t replaceAll(const std::string& find, const std::string& replacement, bool matchCase);

 private:
  FindDialog& dialog(bool replace);
  void dialogFind(bool replace);
  void findNextMatch(const QString& quotedText);
  void replaceOne();

  QWidget& window_;
  Prompts& prompts_;
  std::function<QsciScintilla&()> editor_;
  SearchState search_;
  bool newFindSearch_ = false;
  bool newReplaceSearch_ = false;
  FindDialog* find_ = nullptr;
  FindDialog* replace_ = nullptr;
};

}  // namespace quillon
