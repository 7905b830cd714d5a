#include "editor/ui/page_tabs.h"

#include <Qsci/qsciscintilla.h>
#include <sys/stat.h>

#include <QMouseEvent>
#include <QTabBar>
#include <algorithm>

#include "base/text_bytes.h"
#include "platform/ui/qt_text.h"

namespace quillon {

namespace {

using S = QsciScintillaBase;

// Forwards a middle click on a tab as a request to close it.
class MiddleClickCloses : public QObject {
 public:
  MiddleClickCloses(QTabBar& bar, std::function<void(int)> close) : QObject(&bar), close_(std::move(close)) {
    bar.installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::MouseButtonRelease) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::MiddleButton) return false;
    const int tab = static_cast<QTabBar*>(watched)->tabAt(mouse->position().toPoint());
    if (tab >= 0) close_(tab);
    return tab >= 0;
  }

 private:
  std::function<void(int)> close_;
};

}  // namespace

PageTabs::PageTabs(QsciScintilla& editor, QTabBar& bar, DocumentSession& session, EditorDocumentText& text)
    : QObject(&bar), editor_(editor), bar_(bar), session_(session), text_(text) {
  const long first = editor_.SendScintilla(S::SCI_GETDOCPOINTER);
  editor_.SendScintilla(S::SCI_ADDREFDOCUMENT, 0UL, first);
  documents_[pages_.current().id] = first;
  bar_.setMovable(true);
  bar_.setTabsClosable(true);
  bar_.setDocumentMode(true);
  bar_.setExpanding(false);
  bar_.setElideMode(Qt::ElideMiddle);
  bar_.setUsesScrollButtons(true);
  bar_.setFocusPolicy(Qt::NoFocus);  // keys stay with the page; Ctrl+Tab and Ctrl+Shift+Tab switch
  connect(&bar_, &QTabBar::currentChanged, this, [this](int index) {
    if (!updatingBar_ && index >= 0) show(static_cast<size_t>(index));
  });
  connect(&bar_, &QTabBar::tabMoved, this, [this](int from, int to) {
    if (updatingBar_) return;
    pages_.move(static_cast<size_t>(from), static_cast<size_t>(to));
  });
  connect(&bar_, &QTabBar::tabCloseRequested, this, [this](int index) {
    if (closeAsked) closeAsked(static_cast<size_t>(index));
  });
  new MiddleClickCloses(bar_, [this](int index) {
    if (closeAsked) closeAsked(static_cast<size_t>(index));
  });
  refresh();
}

PageTabs::~PageTabs() {
  delete reader_;
  for (const auto& [id, document] : documents_) editor_.SendScintilla(S::SCI_RELEASEDOCUMENT, 0UL, document);
}

long PageTabs::documentAt(size_t index) const { return documents_.at(pages_.at(index).id); }

void PageTabs::keepShownState() {
  OpenPage& page = pages_.current();
  page.state = session_.state();
  page.reading = text_.reading();
  page.modified = session_.modified();
  const long length = std::min(3L, editor_.SendScintilla(S::SCI_GETLENGTH));
  const auto* start = reinterpret_cast<const char*>(editor_.SendScintilla(S::SCI_GETRANGEPOINTER, 0UL, length));
  page.readingLabel = readingLabel(page.reading, std::string_view(start ? start : "", start ? length : 0));
  page.place.caret = editor_.SendScintilla(S::SCI_GETCURRENTPOS);
  page.place.anchor = editor_.SendScintilla(S::SCI_GETANCHOR);
  page.place.firstLine = editor_.SendScintilla(S::SCI_GETFIRSTVISIBLELINE);
  page.place.xOffset = editor_.SendScintilla(S::SCI_GETXOFFSET);
}

const OpenPages& PageTabs::pages() {
  keepShownState();
  return pages_;
}

std::optional<size_t> PageTabs::indexOf(const std::string& path) {
  keepShownState();
  // Two names of one file (a link, "./") are the same page.
  return pages_.indexOf(path, [](std::string_view a, std::string_view b) {
    struct stat sa {
    }, sb{};
    return ::stat(std::string(a).c_str(), &sa) == 0 && ::stat(std::string(b).c_str(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  });
}

std::string PageTabs::bytesAt(size_t index) {
  QsciScintillaBase* view = &editor_;
  if (index != pages_.currentIndex()) {
    // A document can be shown in two views at once; the hidden one reads it without the window changing.
    if (!reader_) reader_ = new QsciScintillaBase();
    reader_->SendScintilla(S::SCI_SETDOCPOINTER, 0UL, documentAt(index));
    view = reader_;
  }
  const long length = view->SendScintilla(S::SCI_GETLENGTH);
  const auto* start = reinterpret_cast<const char*>(view->SendScintilla(S::SCI_GETCHARACTERPOINTER));
  std::string bytes(start ? start : "", start ? static_cast<size_t>(length) : 0);
  if (view == reader_) reader_->SendScintilla(S::SCI_SETDOCPOINTER, 0UL, 0L);
  return bytes;
}

bool PageTabs::modifiedAt(size_t index) {
  return index == pages_.currentIndex() ? session_.modified() : pages_.at(index).modified;
}

size_t PageTabs::addAndShow() {
  const long document = editor_.SendScintilla(S::SCI_CREATEDOCUMENT, 0UL, 0L);  // one reference, the tab's
  OpenPage page;
  page.state.path = session_.untitledPath();
  page.readingLabel = "UTF-8";
  const size_t index = pages_.add(std::move(page));
  documents_[pages_.at(index).id] = document;
  show(index);
  return index;
}

void PageTabs::show(size_t index) {
  if (index >= pages_.size()) return;
  if (index == pages_.currentIndex()) {
    refresh();
    return;
  }
  if (leaving) leaving();
  keepShownState();
  editor_.SendScintilla(S::SCI_SETDOCPOINTER, 0UL, documentAt(index));
  pages_.select(index);
  const OpenPage& page = pages_.current();
  session_.restore(page.state);
  text_.setReading(page.reading);
  editor_.SendScintilla(S::SCI_SETSEL, static_cast<unsigned long>(page.place.anchor), page.place.caret);
  editor_.SendScintilla(S::SCI_SETFIRSTVISIBLELINE, static_cast<unsigned long>(page.place.firstLine));
  editor_.SendScintilla(S::SCI_SETXOFFSET, static_cast<unsigned long>(page.place.xOffset));
  refresh();
  if (shown) shown();
}

void PageTabs::remove(size_t index) {
  if (pages_.size() < 2 || index >= pages_.size()) return;
  if (index == pages_.currentIndex()) show(index + 1 < pages_.size() ? index + 1 : index - 1);
  const int id = pages_.at(index).id;
  const long document = documents_.at(id);
  pages_.remove(index);
  documents_.erase(id);
  editor_.SendScintilla(S::SCI_RELEASEDOCUMENT, 0UL, document);
  if (documentDropped) documentDropped(document);
  refresh();
}

void PageTabs::refresh() {
  updatingBar_ = true;
  while (bar_.count() > static_cast<int>(pages_.size())) bar_.removeTab(bar_.count() - 1);
  while (bar_.count() < static_cast<int>(pages_.size())) bar_.addTab(QString());
  const std::string untitled = session_.untitledPath();
  for (size_t i = 0; i < pages_.size(); ++i) {
    const bool shown = i == pages_.currentIndex();
    const std::string& path = shown ? session_.state().path : pages_.at(i).state.path;
    const bool isNew = path == untitled;
    const QString name = isNew ? QStringLiteral("untitled") : toQString(std::string(fileNamePart(path)));
    const auto at = static_cast<int>(i);
    bar_.setTabText(at, modifiedAt(i) ? name + " *" : name);
    bar_.setTabToolTip(at, isNew ? QStringLiteral("A new page, not saved yet") : toQString(path));
  }
  bar_.setCurrentIndex(static_cast<int>(pages_.currentIndex()));
  bar_.setVisible(pages_.size() > 1);
  updatingBar_ = false;
}

}  // namespace quillon
