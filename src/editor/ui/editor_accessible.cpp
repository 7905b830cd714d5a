#include "editor/ui/editor_accessible.h"

#include <Qsci/qsciscintilla.h>

#include <QAccessibleWidget>
#include <QByteArray>
#include <QStringDecoder>
#include <QTimer>
#include <algorithm>

namespace quillon::editor_accessible {

namespace {

using S = QsciScintillaBase;

// The editing window for assistive technology. Offsets count characters (code points in a UTF-8 page,
// bytes in an 8-bit one); a position's offset is its line's, from Scintilla's line character index, plus
// the characters before it in its line.
class EditorAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit EditorAccessible(QsciScintillaBase* editor) : QAccessibleWidget(editor, QAccessible::EditableText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return text(0, characterCount());
    return QAccessibleWidget::text(t);
  }

  void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
    const long start = send(S::SCI_GETSELECTIONSTART), end = send(S::SCI_GETSELECTIONEND);
    if (selectionIndex != 0 || start == end) {
      *startOffset = *endOffset = 0;
      return;
    }
    *startOffset = offsetOf(start);
    *endOffset = offsetOf(end);
  }
  int selectionCount() const override { return send(S::SCI_GETSELECTIONSTART) == send(S::SCI_GETSELECTIONEND) ? 0 : 1; }
  void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
  void removeSelection(int selectionIndex) override {
    if (selectionIndex == 0) send(S::SCI_SETEMPTYSELECTION, static_cast<unsigned long>(send(S::SCI_GETCURRENTPOS)));
  }
  void setSelection(int selectionIndex, int startOffset, int endOffset) override {
    if (selectionIndex == 0 && startOffset >= 0 && endOffset >= 0)
      send(S::SCI_SETSEL, static_cast<unsigned long>(positionOf(startOffset)), positionOf(endOffset));
  }
  int cursorPosition() const override { return offsetOf(send(S::SCI_GETCURRENTPOS)); }
  void setCursorPosition(int position) override {
    if (position >= 0) send(S::SCI_GOTOPOS, static_cast<unsigned long>(positionOf(position)));
  }
  QString text(int startOffset, int endOffset) const override {
    return textBetween(positionOf(startOffset), positionOf(endOffset));
  }
  int characterCount() const override { return offsetOf(send(S::SCI_GETLENGTH)); }
  QRect characterRect(int offset) const override {
    const long position = positionOf(offset);
    const int x = static_cast<int>(send(S::SCI_POINTXFROMPOSITION, 0UL, position));
    const int y = static_cast<int>(send(S::SCI_POINTYFROMPOSITION, 0UL, position));
    const int height = static_cast<int>(send(S::SCI_TEXTHEIGHT, static_cast<unsigned long>(lineOf(position))));
    const long next = send(S::SCI_POSITIONAFTER, static_cast<unsigned long>(position));
    const int width = std::max(1, static_cast<int>(send(S::SCI_POINTXFROMPOSITION, 0UL, next)) - x);
    const QWidget* view = editor()->viewport();
    return QRect(view->mapToGlobal(QPoint(x, y)), QSize(width, height));
  }
  int offsetAtPoint(const QPoint& point) const override {
    const QPoint p = editor()->viewport()->mapFromGlobal(point);
    const long position =
        send(S::SCI_POSITIONFROMPOINTCLOSE, static_cast<unsigned long>(std::max(0, p.x())), std::max(0, p.y()));
    return position < 0 ? -1 : offsetOf(position);
  }
  void scrollToSubstring(int startIndex, int endIndex) override {
    send(S::SCI_SCROLLRANGE, static_cast<unsigned long>(positionOf(endIndex)), positionOf(startIndex));
  }
  QString attributes(int offset, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = offset;
    return {};
  }
  QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                       int* endOffset) const override {
    return pieceAt(positionOf(offset), boundary, startOffset, endOffset);
  }
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                           int* endOffset) const override {
    long start = 0, end = 0;
    if (!bounds(positionOf(offset), boundary, start, end) || start == 0) return none(startOffset, endOffset);
    return pieceAt(send(S::SCI_POSITIONBEFORE, static_cast<unsigned long>(start)), boundary, startOffset, endOffset);
  }
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                          int* endOffset) const override {
    long start = 0, end = 0;
    if (!bounds(positionOf(offset), boundary, start, end) || end >= send(S::SCI_GETLENGTH))
      return none(startOffset, endOffset);
    return pieceAt(end, boundary, startOffset, endOffset);
  }

  // For the change notices: a position's character offset, and the text between two positions.
  int offsetAtPosition(long position) const { return offsetOf(position); }
  QString textBetweenPositions(long start, long end) const { return textBetween(start, end); }

 private:
  QsciScintillaBase* editor() const { return static_cast<QsciScintillaBase*>(widget()); }
  long send(unsigned int message, unsigned long w = 0, long l = 0) const {
    return editor()->SendScintilla(message, w, l);
  }
  bool utf8() const { return send(S::SCI_GETCODEPAGE) == S::SC_CP_UTF8; }
  // The index is the document's; it is made when first asked for, so a page nobody reads aloud never pays
  // for keeping it.
  void needIndex() const {
    if (!(send(S::SCI_GETLINECHARACTERINDEX) & S::SC_LINECHARACTERINDEX_UTF32))
      send(S::SCI_ALLOCATELINECHARACTERINDEX, static_cast<unsigned long>(S::SC_LINECHARACTERINDEX_UTF32));
  }
  long lineOf(long position) const { return send(S::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position)); }

  int offsetOf(long position) const {
    if (!utf8()) return static_cast<int>(position);
    needIndex();
    const long line = lineOf(position);
    const long lineStart = send(S::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long before =
        send(S::SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line), S::SC_LINECHARACTERINDEX_UTF32);
    return static_cast<int>(before + send(S::SCI_COUNTCHARACTERS, static_cast<unsigned long>(lineStart), position));
  }
  long positionOf(int offset) const {
    const long length = send(S::SCI_GETLENGTH);
    if (offset < 0) return length;
    if (!utf8()) return std::min<long>(offset, length);
    needIndex();
    const long line =
        send(S::SCI_LINEFROMINDEXPOSITION, static_cast<unsigned long>(offset), S::SC_LINECHARACTERINDEX_UTF32);
    const long lineStart = send(S::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long before =
        send(S::SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line), S::SC_LINECHARACTERINDEX_UTF32);
    const long position = send(S::SCI_POSITIONRELATIVE, static_cast<unsigned long>(lineStart), offset - before);
    return position == 0 && offset > before ? length : position;
  }
  QString textBetween(long start, long end) const {
    if (end <= start) return {};
    const auto* bytes =
        reinterpret_cast<const char*>(send(S::SCI_GETRANGEPOINTER, static_cast<unsigned long>(start), end - start));
    if (!bytes) return {};
    const auto n = static_cast<qsizetype>(end - start);
    if (!utf8()) return QString::fromLatin1(bytes, n);
    // A byte order mark is a character of the page like any other, counted in every offset: kept.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(bytes, n));
  }
  static QString none(int* startOffset, int* endOffset) {
    *startOffset = *endOffset = -1;
    return {};
  }
  bool bounds(long position, QAccessible::TextBoundaryType boundary, long& start, long& end) const {
    switch (boundary) {
      case QAccessible::CharBoundary:
        start = position;
        end = nextCharacter(position);
        return end > start;
      case QAccessible::WordBoundary:
        return wordBounds(position, start, end);
      case QAccessible::LineBoundary: {
        const long line = lineOf(position);
        start = send(S::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
        end = send(S::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line + 1));
        if (end < start) end = send(S::SCI_GETLENGTH);
        // The empty line after a last line end is a line too.
        return end > start || position == send(S::SCI_GETLENGTH);
      }
      case QAccessible::NoBoundary:
        start = 0;
        end = send(S::SCI_GETLENGTH);
        return true;
      default:
        return false;
    }
  }
  // The position after the character at `position`: a line end's CR and LF are a character each, as they
  // are counted.
  long nextCharacter(long position) const {
    const long length = send(S::SCI_GETLENGTH);
    if (position >= length) return length;
    const auto byte = static_cast<unsigned char>(send(S::SCI_GETCHARAT, static_cast<unsigned long>(position)));
    if (byte < 0x80 || !utf8()) return position + 1;
    return send(S::SCI_POSITIONAFTER, static_cast<unsigned long>(position));
  }
  bool isWordCharacterAt(long position) const {
    // Scintilla moves a position between CR and LF out of the line end first: never a word.
    if (kindAt(position) == 1) return false;
    return send(S::SCI_WORDENDPOSITION, static_cast<unsigned long>(position), 1) > position;
  }
  // Blanks, line ends, and every other sign: the kinds of characters between words.
  int kindAt(long position) const {
    const auto byte = static_cast<unsigned char>(send(S::SCI_GETCHARAT, static_cast<unsigned long>(position)));
    if (byte == ' ' || byte == '\t') return 0;
    if (byte == '\r' || byte == '\n') return 1;
    return 2;
  }
  // The word at `position`, or the run of characters of one kind between words there.
  bool wordBounds(long position, long& start, long& end) const {
    const long length = send(S::SCI_GETLENGTH);
    if (position >= length) return false;
    if (isWordCharacterAt(position)) {
      start = send(S::SCI_WORDSTARTPOSITION, static_cast<unsigned long>(position), 1);
      end = send(S::SCI_WORDENDPOSITION, static_cast<unsigned long>(position), 1);
      return true;
    }
    const int kind = kindAt(position);
    start = position;
    while (start > 0) {
      const long before = send(S::SCI_POSITIONBEFORE, static_cast<unsigned long>(start));
      if (isWordCharacterAt(before) || kindAt(before) != kind) break;
      start = before;
    }
    end = nextCharacter(position);
    while (end < length && !isWordCharacterAt(end) && kindAt(end) == kind) end = nextCharacter(end);
    return true;
  }
  QString pieceAt(long position, QAccessible::TextBoundaryType boundary, int* startOffset, int* endOffset) const {
    long start = 0, end = 0;
    if (!bounds(position, boundary, start, end)) return none(startOffset, endOffset);
    *startOffset = offsetOf(start);
    *endOffset = offsetOf(end);
    return textBetween(start, end);
  }
};

// Answers for the editing window's own class name, which Qt asks about before that of the widget's base,
// so the widget's built-in interface (which counts characters from the page's start at every update) is
// never made.
QAccessibleInterface* factory(const QString& className, QObject* object) {
  if (className != QLatin1String("QsciScintilla") || !object || !object->isWidgetType()) return nullptr;
  return new EditorAccessible(static_cast<QsciScintillaBase*>(object));
}

// Tells assistive technology what changed: text put in or taken out, and the caret or selection moved.
// The widget announces insertions and deletions itself while its after-change notices are on (the mask
// holds them); with them off (colouring as you type needs only the notices before a change), the program
// does: a deletion's text is read before it goes, an insertion's once it is in (at the next change or
// update). Nothing is counted or converted while no assistive technology listens.
class ChangeNotices : public QObject {
 public:
  explicit ChangeNotices(QsciScintillaBase& editor) : QObject(&editor), editor_(editor) {
    connect(&editor, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char*, int length, int, int, int, int, int, int) {
              changing(position, type, length);
            });
    connect(&editor, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int) {
      announceInsertion();
      caretMaybeMoved();
    });
  }

 private:
  struct Insertion {
    long position = -1, length = 0;
    int offset = 0;
  };

  EditorAccessible* face() const {
    if (!QAccessible::isActive()) return nullptr;
    return dynamic_cast<EditorAccessible*>(QAccessible::queryAccessibleInterface(&editor_));
  }
  bool widgetAnnounces(int change) const { return (editor_.SendScintilla(S::SCI_GETMODEVENTMASK) & change) != 0; }

  void changing(long position, int type, long length) {
    if (!(type & (S::SC_MOD_BEFOREINSERT | S::SC_MOD_BEFOREDELETE)) || length <= 0) return;
    announceInsertion();  // a change before this one is complete by now
    EditorAccessible* f = face();
    if (!f) return;
    if (type & S::SC_MOD_BEFOREINSERT) {
      if (widgetAnnounces(S::SC_MOD_INSERTTEXT)) return;
      pending_ = {position, length, f->offsetAtPosition(position)};
      QTimer::singleShot(0, this, [this] { announceInsertion(); });
    } else if (!widgetAnnounces(S::SC_MOD_DELETETEXT)) {
      QAccessibleTextRemoveEvent event(&editor_, f->offsetAtPosition(position),
                                       f->textBetweenPositions(position, position + length));
      QAccessible::updateAccessibility(&event);
    }
  }

  void announceInsertion() {
    if (pending_.position < 0) return;
    const Insertion done = pending_;
    pending_ = {};
    EditorAccessible* f = face();
    if (!f || done.position + done.length > editor_.SendScintilla(S::SCI_GETLENGTH)) return;
    QAccessibleTextInsertEvent event(&editor_, done.offset,
                                     f->textBetweenPositions(done.position, done.position + done.length));
    QAccessible::updateAccessibility(&event);
  }

  // Announced whenever the caret or the selection is not where it was last announced: typing, undo and
  // pasting move them without the widget saying the selection changed.
  void caretMaybeMoved() {
    const long caret = editor_.SendScintilla(S::SCI_GETCURRENTPOS), anchor = editor_.SendScintilla(S::SCI_GETANCHOR);
    if (caret == caret_ && anchor == anchor_) return;
    EditorAccessible* f = face();
    if (!f) return;
    caret_ = caret;
    anchor_ = anchor;
    QAccessibleTextCursorEvent moved(&editor_, f->cursorPosition());
    QAccessible::updateAccessibility(&moved);
    int start = 0, end = 0;
    f->selection(0, &start, &end);
    QAccessibleTextSelectionEvent selection(&editor_, start, end);
    QAccessible::updateAccessibility(&selection);
  }

  QsciScintillaBase& editor_;
  Insertion pending_;
  long caret_ = -1, anchor_ = -1;
};

}  // namespace

void announceChanges(QsciScintillaBase& editor) { new ChangeNotices(editor); }

void install() {
  static const bool installed = [] {
    QAccessible::installFactory(factory);
    return true;
  }();
  (void)installed;
}

}  // namespace quillon::editor_accessible
