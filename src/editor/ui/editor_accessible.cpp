#include "editor/ui/editor_accessible.h"

#include <Qsci/qsciscintilla.h>

#include <QAccessibleWidget>
#include <QByteArray>
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
    if (selectionIndex == 0)
      send(S::SCI_SETSEL, static_cast<unsigned long>(positionOf(startOffset)), positionOf(endOffset));
  }
  int cursorPosition() const override { return offsetOf(send(S::SCI_GETCURRENTPOS)); }
  void setCursorPosition(int position) override {
    send(S::SCI_GOTOPOS, static_cast<unsigned long>(positionOf(position)));
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
    return utf8() ? QString::fromUtf8(bytes, n) : QString::fromLatin1(bytes, n);
  }
  static QString none(int* startOffset, int* endOffset) {
    *startOffset = *endOffset = -1;
    return {};
  }
  bool bounds(long position, QAccessible::TextBoundaryType boundary, long& start, long& end) const {
    switch (boundary) {
      case QAccessible::CharBoundary:
        start = position;
        end = send(S::SCI_POSITIONAFTER, static_cast<unsigned long>(position));
        return end > start;
      case QAccessible::WordBoundary:
        start = send(S::SCI_WORDSTARTPOSITION, static_cast<unsigned long>(position), 1);
        end = send(S::SCI_WORDENDPOSITION, static_cast<unsigned long>(position), 1);
        return end > start;
      case QAccessible::LineBoundary: {
        const long line = lineOf(position);
        start = send(S::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
        end = send(S::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line + 1));
        if (end < start) end = send(S::SCI_GETLENGTH);
        return end > start;
      }
      case QAccessible::NoBoundary:
        start = 0;
        end = send(S::SCI_GETLENGTH);
        return true;
      default:
        return false;
    }
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

// Tells assistive technology what changed, as the change happens: text put in or taken out (read before
// the change, while its positions still hold) and the caret or selection moved. Nothing is counted or
// converted while no assistive technology listens.
class ChangeNotices : public QObject {
 public:
  explicit ChangeNotices(QsciScintillaBase& editor) : QObject(&editor), editor_(editor) {
    connect(&editor, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char* text, int length, int, int, int, int, int, int) {
              changing(position, type, text, length);
            });
    connect(&editor, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int updated) {
      if (updated & S::SC_UPDATE_SELECTION) caretMoved();
    });
  }

 private:
  EditorAccessible* face() const {
    if (!QAccessible::isActive()) return nullptr;
    return dynamic_cast<EditorAccessible*>(QAccessible::queryAccessibleInterface(&editor_));
  }
  void changing(long position, int type, const char* text, long length) {
    if (!(type & (S::SC_MOD_BEFOREINSERT | S::SC_MOD_BEFOREDELETE)) || length <= 0) return;
    EditorAccessible* f = face();
    if (!f) return;
    const int offset = f->offsetAtPosition(position);
    if (type & S::SC_MOD_BEFOREINSERT) {
      if (!text) return;
      const auto n = static_cast<qsizetype>(length);
      const bool utf8 = editor_.SendScintilla(S::SCI_GETCODEPAGE) == S::SC_CP_UTF8;
      QAccessibleTextInsertEvent event(&editor_, offset,
                                       utf8 ? QString::fromUtf8(text, n) : QString::fromLatin1(text, n));
      QAccessible::updateAccessibility(&event);
    } else {
      QAccessibleTextRemoveEvent event(&editor_, offset, f->textBetweenPositions(position, position + length));
      QAccessible::updateAccessibility(&event);
    }
  }
  void caretMoved() {
    EditorAccessible* f = face();
    if (!f) return;
    QAccessibleTextCursorEvent caret(&editor_, f->cursorPosition());
    QAccessible::updateAccessibility(&caret);
    int start = 0, end = 0;
    f->selection(0, &start, &end);
    QAccessibleTextSelectionEvent selection(&editor_, start, end);
    QAccessible::updateAccessibility(&selection);
  }

  QsciScintillaBase& editor_;
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
