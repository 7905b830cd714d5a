#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <string>

#include "editor/document_session.h"
#include "editor/open_pages.h"
#include "editor/ui/editor_document_text.h"

class QTabBar;
class QsciScintilla;
class QsciScintillaBase;

namespace quillon {

// The open pages behind the editing window: one Scintilla document per page, each with its own text, undo
// history, save point, line ends and styles, shown one at a time in the same window, and the tab bar over
// it (hidden while one page is open). Showing another page keeps the shown one's name, reading and place.
class PageTabs : public QObject {
  Q_OBJECT
 public:
  PageTabs(QsciScintilla& editor, QTabBar& bar, DocumentSession& session, EditorDocumentText& text);
  ~PageTabs() override;

  // The pages with the shown one's entry brought up to date from the window.
  const OpenPages& pages();
  size_t count() const { return pages_.size(); }
  size_t currentIndex() const { return pages_.currentIndex(); }
  std::optional<size_t> indexOf(const std::string& path);
  bool modifiedAt(size_t index);
  // The bytes of a page's document, shown or not.
  std::string bytesAt(size_t index);
  int idAt(size_t index) const { return pages_.at(index).id; }
  int currentId() const { return pages_.current().id; }

  // A new tab with an empty document after the last; shown at once.
  size_t addAndShow();
  void show(size_t index);
  // Takes a page out and lets its document go; a shown page gives way to its neighbour.
  void remove(size_t index);
  // Names, unsaved marks and hints of the tabs, and whether the bar shows.
  void refresh();

  std::function<void()> leaving;              // the shown page is about to give way to another
  std::function<void()> shown;                // another page is shown, its state back in place
  std::function<void(size_t)> closeAsked;     // a tab's close button or a middle click
  std::function<void(long)> documentDropped;  // a page's document is gone for good

 private:
  void keepShownState();
  long documentAt(size_t index) const;
  QsciScintillaBase* reader_ = nullptr;  // a hidden view that reads documents not shown
  QsciScintilla& editor_;
  QTabBar& bar_;
  DocumentSession& session_;
  EditorDocumentText& text_;
  OpenPages pages_;
  std::map<int, long> documents_;  // page id -> the document, one reference held for each
  bool updatingBar_ = false;
};

}  // namespace quillon
