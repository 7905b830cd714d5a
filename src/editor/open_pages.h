#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/document_session.h"
#include "editor/page_reading.h"

namespace quillon {

// Where the editing window stood in a page: caret, selection anchor, first line in view, scrolled columns.
struct PagePlace {
  int64_t caret = 0;
  int64_t anchor = 0;
  int64_t firstLine = 0;
  int64_t xOffset = 0;
};

// What is kept of an open page while another is shown. The shown page's own state is the window's; it is
// written here when another page is shown.
struct OpenPage {
  int id = 0;  // stays while the page is open, whatever its place among the tabs
  DocumentState state;
  PageReading reading;
  bool modified = false;
  std::string readingLabel;  // how the page is read, as the status bar says it
  PagePlace place;
};

// The pages open in the editing window, in tab order, and which one is shown. There is always at least one.
class OpenPages {
 public:
  OpenPages();  // one page, shown

  size_t size() const { return pages_.size(); }
  size_t currentIndex() const { return current_; }
  OpenPage& current() { return pages_[current_]; }
  const OpenPage& current() const { return pages_[current_]; }
  OpenPage& at(size_t index) { return pages_.at(index); }
  const OpenPage& at(size_t index) const { return pages_.at(index); }
  const std::vector<OpenPage>& all() const { return pages_; }

  // The page open for `path` (compared as the same file when `same` says so), if any.
  std::optional<size_t> indexOf(std::string_view path,
                                const std::function<bool(std::string_view, std::string_view)>& same) const;
  std::optional<size_t> indexOfId(int id) const;

  // A new page after the last one, with an id of its own; it is not shown until selected.
  size_t add(OpenPage page);
  void select(size_t index);
  // The tab after (before) the shown one, round from the last to the first.
  size_t nextIndex() const;
  size_t previousIndex() const;
  // Takes the page out. The shown page afterwards is the one that was to its right, else to its left; the
  // last page is never removed (false).
  bool remove(size_t index);
  // The page at `from` goes to `to`, the others keep their order; the shown page stays shown.
  void move(size_t from, size_t to);

 private:
  std::vector<OpenPage> pages_;
  size_t current_ = 0;
  int nextId_ = 1;
};

// How one modified page is to be left: saved, its edits discarded, the same for it and every later one, or
// nothing left at all.
enum class LeaveAnswer { Save, Discard, SaveAll, DiscardAll, Cancel };

// The close check for leaving every open page at once: walks the modified ones in order, asking once for
// each until an answer for all; saves as answered. False when the user cancelled or a save failed: the
// pages saved until then stay saved, and nothing is closed.
bool leaveEveryPage(const std::vector<size_t>& modifiedPages, const std::function<LeaveAnswer(size_t)>& ask,
                    const std::function<bool(size_t)>& save);

// The open pages as stored at exit and read at the next start: each page's file and caret, in tab order,
// and which was shown.
struct StoredPages {
  struct Page {
    std::string path;
    int64_t caret = 0;
  };
  std::vector<Page> pages;
  size_t current = 0;
};
std::string storedPagesBytes(const StoredPages& stored);
// A list cut short or damaged gives what can be read of it; `current` is always a valid index or 0.
StoredPages readStoredPages(std::string_view bytes);

}  // namespace quillon
