#include "editor/ui/colour_as_you_type.h"

#include <Qsci/qsciscintilla.h>

#include <QTimer>
#include <algorithm>

#include "editor/ui/editor_bytes.h"

namespace quillon {

namespace {

using S = QsciScintillaBase;

// The editing window as a styled document. Text is read in place (Scintilla moves its gap only when the
// range spans it), so styling near the caret copies nothing.
class WindowDocument : public StyledDocument {
 public:
  explicit WindowDocument(QsciScintilla& editor) : e_(editor) {}
  size_t length() const override { return static_cast<size_t>(e_.SendScintilla(S::SCI_GETLENGTH)); }
  size_t lineStartAt(size_t pos) const override {
    return static_cast<size_t>(e_.SendScintilla(S::SCI_POSITIONFROMLINE, line(pos)));
  }
  size_t lineEndAt(size_t pos) const override {
    return static_cast<size_t>(e_.SendScintilla(S::SCI_GETLINEENDPOSITION, line(pos)));
  }
  size_t nextLineStartAt(size_t pos) const override {
    const long next = static_cast<long>(line(pos)) + 1;
    if (next >= e_.SendScintilla(S::SCI_GETLINECOUNT)) return length();
    return static_cast<size_t>(e_.SendScintilla(S::SCI_POSITIONFROMLINE, static_cast<unsigned long>(next)));
  }
  std::string_view range(size_t from, size_t to) override {
    if (to <= from) return {};
    const auto* p = reinterpret_cast<const char*>(
        e_.SendScintilla(S::SCI_GETRANGEPOINTER, static_cast<unsigned long>(from), static_cast<long>(to - from)));
    return p ? std::string_view(p, to - from) : std::string_view();
  }
  void setStyles(size_t from, std::string_view styles) override {
    e_.SendScintilla(S::SCI_STARTSTYLING, static_cast<unsigned long>(from), 0L);
    if (!styles.empty())
      e_.SendScintilla(S::SCI_SETSTYLINGEX, static_cast<unsigned long>(styles.size()), styles.data());
  }
  void styledTo(size_t pos) override { e_.SendScintilla(S::SCI_STARTSTYLING, static_cast<unsigned long>(pos), 0L); }

 private:
  unsigned long line(size_t pos) const {
    return static_cast<unsigned long>(e_.SendScintilla(S::SCI_LINEFROMPOSITION, static_cast<unsigned long>(pos)));
  }
  QsciScintilla& e_;
};

}  // namespace

ColourAsYouType::ColourAsYouType(QsciScintilla& editor) : QObject(&editor), editor_(editor) {
  connect(&editor, &QsciScintillaBase::SCN_STYLENEEDED, this, [this](int position) { styleNeeded(position); });
  // Changes are followed from the notices sent before them, which carry where and how much. The notices
  // after a change are not asked for while colouring as you type: the widget answers each of them by
  // counting the characters from the page's start to the change, which on a large page costs more than
  // the keystroke itself.
  connect(&editor, &QsciScintillaBase::SCN_MODIFIED, this,
          [this](int position, int type, const char*, int length, int, int, int, int, int, int) {
            if (type & S::SC_MOD_BEFOREINSERT)
              colourer().changed(static_cast<size_t>(position), 0, static_cast<size_t>(length));
            if (type & S::SC_MOD_BEFOREDELETE)
              colourer().changed(static_cast<size_t>(position), static_cast<size_t>(length), 0);
            if ((type & (S::SC_MOD_BEFOREINSERT | S::SC_MOD_BEFOREDELETE)) && on_) sayTextChanged();
          });
  // A change made without notices (a Replace All of the whole page) says where it was all the same.
  editor_bytes::onQuietChange(editor, [this](long start, long removed, long inserted) {
    colourer().changed(static_cast<size_t>(start), static_cast<size_t>(removed), static_cast<size_t>(inserted));
  });
}

void ColourAsYouType::sayTextChanged() {
  // Without the notices after changes the widget says nothing of them: its textChanged comes once the
  // changes of this turn of the event loop are made.
  if (changeToSay_) return;
  changeToSay_ = true;
  QTimer::singleShot(0, this, [this] {
    changeToSay_ = false;
    emit editor_.textChanged();
  });
}

void ColourAsYouType::setOn(bool on) {
  if (on == on_) return;
  on_ = on;
  editor_.SendScintilla(S::SCI_SETLEXER, static_cast<unsigned long>(S::SCLEX_CONTAINER));
  editor_.SendScintilla(S::SCI_SETIDLESTYLING,
                        static_cast<unsigned long>(on ? S::SC_IDLESTYLING_ALL : S::SC_IDLESTYLING_NONE));
  // Off, typed text takes the colour before it, which needs the notices after each change.
  const unsigned long before = S::SC_MOD_BEFOREINSERT | S::SC_MOD_BEFOREDELETE | S::SC_MOD_CONTAINER;
  editor_.SendScintilla(S::SCI_SETMODEVENTMASK, on ? before : before | S::SC_MOD_INSERTTEXT | S::SC_MOD_DELETETEXT);
  ++generation_;
  if (on) restyleAll();
}

void ColourAsYouType::setColours(const std::array<ColourValue, 6>& colours) {
  colours_ = colours;
  for (auto& [document, colourer] : colourers_) colourer.setColours(colours);
  ++generation_;
  if (on_) restyleAll();
}

TypingColourer& ColourAsYouType::colourer() {
  const long document = editor_.SendScintilla(S::SCI_GETDOCPOINTER);
  return colourers_.try_emplace(document, colours_).first->second;
}

void ColourAsYouType::documentShown() {
  const auto known = generationOf_.find(editor_.SendScintilla(S::SCI_GETDOCPOINTER));
  if (on_ && (known == generationOf_.end() || known->second != generation_)) restyleAll();
}

void ColourAsYouType::forgetDocument(long document) {
  colourers_.erase(document);
  generationOf_.erase(document);
}

void ColourAsYouType::restyleAll() {
  generationOf_[editor_.SendScintilla(S::SCI_GETDOCPOINTER)] = generation_;
  colourer().forget();
  editor_.SendScintilla(S::SCI_STARTSTYLING, 0UL, 0L);
  editor_.update();
}

void ColourAsYouType::styleNeeded(int position) {
  if (!on_) {
    // Nothing to give: the window is told all is styled, as it stands, so it stops asking.
    editor_.SendScintilla(S::SCI_STARTSTYLING, static_cast<unsigned long>(position), 0L);
    return;
  }
  WindowDocument doc(editor_);
  const auto from = static_cast<size_t>(editor_.SendScintilla(S::SCI_GETENDSTYLED));
  // What is in view now, then a stretch more per request: on a page of one huge line the window asks for
  // the whole line at every paint.
  const QRect view = editor_.viewport()->rect();
  const auto inView = static_cast<size_t>(
      std::max(0L, editor_.SendScintilla(S::SCI_POSITIONFROMPOINT, static_cast<unsigned long>(view.width()),
                                         static_cast<long>(view.height()))));
  const size_t wanted = std::min(static_cast<size_t>(position), std::max(inView + 4096, from + kStretch));
  colourer().style(doc, from, wanted);
}

}  // namespace quillon
