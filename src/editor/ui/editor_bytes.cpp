#include "editor/ui/editor_bytes.h"

#include "editor/ui/wrap_catch_up.h"

#include <Qsci/qsciscintilla.h>
#include <Qsci/qsciscintillabase.h>

#include <algorithm>
#include <map>

#include <vector>

#include "base/file_io.h"
#include "base/text_bytes.h"
#include "editor/page_encoding.h"

namespace quillon::editor_bytes {

namespace {
using S = QsciScintillaBase;

bool isAscii(std::string_view bytes) {
  for (char c : bytes)
    if (c & 0x80) return false;
  return true;
}

// Sets how the window reads its bytes. Scintilla keeps a line character index (assistive technology's
// offsets) only while the text is UTF-8, so text that arrived while it was not leaves the index stale: it
// is built again here.
void setCodePage(QsciScintillaBase& editor, bool utf8) {
  const long indexed = editor.SendScintilla(S::SCI_GETLINECHARACTERINDEX);
  editor.SendScintilla(S::SCI_SETCODEPAGE, utf8 ? static_cast<unsigned long>(S::SC_CP_UTF8) : 0UL);
  if (utf8 && indexed != S::SC_LINECHARACTERINDEX_NONE) {
    editor.SendScintilla(S::SCI_RELEASELINECHARACTERINDEX, static_cast<unsigned long>(indexed));
    editor.SendScintilla(S::SCI_ALLOCATELINECHARACTERINDEX, static_cast<unsigned long>(indexed));
  }
}

void setCodePageFor(QsciScintilla& editor, std::string_view bytes) { setCodePage(editor, readAsUtf8(bytes)); }
}  // namespace

void load(QsciScintilla& editor, std::string_view bytes) { load(editor, bytes, readAsUtf8(bytes)); }

void setShownAsUtf8(QsciScintilla& editor, bool utf8) { setCodePage(editor, utf8); }

void load(QsciScintilla& editor, std::string_view bytes, bool showAsUtf8) {
  // Wrapping while text arrives measures every line at once; restored afterwards, it wraps what is in view
  // first and the rest while the program is idle.
  const long wrap = editor.SendScintilla(S::SCI_GETWRAPMODE);
  editor.SendScintilla(S::SCI_SETWRAPMODE, S::SC_WRAP_NONE);
  editor.SendScintilla(S::SCI_SETUNDOCOLLECTION, 0UL);
  editor.SendScintilla(S::SCI_CLEARALL);
  setShownAsUtf8(editor, showAsUtf8);
  // In pieces, so Scintilla's buffer grows once per piece rather than copying a second full-size block.
  constexpr size_t kPiece = 8u << 20;
  for (size_t at = 0; at < bytes.size(); at += kPiece) {
    const size_t n = std::min(kPiece, bytes.size() - at);
    editor.SendScintilla(S::SCI_APPENDTEXT, n, bytes.data() + at);
  }
  editor.SendScintilla(S::SCI_EMPTYUNDOBUFFER);
  editor.SendScintilla(S::SCI_SETUNDOCOLLECTION, 1UL);
  editor.SendScintilla(S::SCI_SETSAVEPOINT);
  editor.SendScintilla(S::SCI_GOTOPOS, 0UL);
  editor.SendScintilla(S::SCI_SETWRAPMODE, static_cast<unsigned long>(wrap));
}

LoadOutcome loadFile(QsciScintilla& editor, const std::string& path,
                     const std::function<bool(const FileShape&)>& accept) {
  // Never a FIFO or device: reading one can block for ever.
  const PieceReader file(path);
  if (!file.isOpen()) return LoadOutcome::Unreadable;
  const size_t size = file.size();
  if (accept && !accept(FileShape{size, 0, false})) return LoadOutcome::Declined;
  std::vector<char> piece(1u << 20);
  auto readAt = [&](size_t offset, size_t length) { return file.readAt(offset, piece.data(), length); };

  // First pass: the encoding and the file's shape, before the window is touched.
  bool ok = true;
  Utf8Validator utf8;
  LineLengthMeter lines;
  bool ascii = true;
  std::string start;  // the page's first bytes, where a character set is declared
  for (size_t at = 0; ok && at < size; at += piece.size()) {
    const size_t n = std::min(piece.size(), size - at);
    ok = readAt(at, n);
    if (ok) {
      const std::string_view bytes(piece.data(), n);
      utf8.feed(bytes);
      lines.feed(bytes);
      ascii = ascii && isAscii(bytes);
      if (start.size() < 8192) start.append(bytes.substr(0, 8192 - start.size()));
    }
  }
  if (!ok) return LoadOutcome::Unreadable;
  if (accept && !accept(FileShape{size, lines.longest()})) return LoadOutcome::Declined;

  load(editor, {});
  const long wrap = editor.SendScintilla(S::SCI_GETWRAPMODE);
  editor.SendScintilla(S::SCI_SETWRAPMODE, S::SC_WRAP_NONE);
  editor.SendScintilla(S::SCI_SETUNDOCOLLECTION, 0UL);
  setCodePage(editor, false);
  // Room for the whole file and some typing, so that neither the pieces nor the first edit or save (which
  // needs one spare byte) make Scintilla copy its buffer into a larger one.
  editor.SendScintilla(S::SCI_ALLOCATE, static_cast<unsigned long>(size) + (64u << 10));
  // Pieces go in from the end of the file, each at position 0: insertion notices then cost the size of the
  // piece, where appending would make each one count every character before it.
  size_t end = size;
  while (ok && end > 0) {
    const size_t n = std::min(piece.size(), end);
    end -= n;
    ok = readAt(end, n);
    if (!ok) break;
    editor.SendScintilla(S::SCI_SETTARGETRANGE, 0UL, 0L);
    editor.SendScintilla(S::SCI_REPLACETARGET, static_cast<unsigned long>(n), piece.data());
  }
  if (!ok) editor.SendScintilla(S::SCI_CLEARALL);
  setCodePage(editor, ok && readAsUtf8(utf8.finish(), ascii, start));
  editor.SendScintilla(S::SCI_EMPTYUNDOBUFFER);
  editor.SendScintilla(S::SCI_SETUNDOCOLLECTION, 1UL);
  editor.SendScintilla(S::SCI_SETSAVEPOINT);
  editor.SendScintilla(S::SCI_GOTOPOS, 0UL);
  editor.SendScintilla(S::SCI_SETWRAPMODE, static_cast<unsigned long>(wrap));
  return ok ? LoadOutcome::Loaded : LoadOutcome::FailedPartWay;
}

std::string_view text(QsciScintilla& editor) {
  const long n = editor.SendScintilla(S::SCI_GETLENGTH);
  if (n <= 0) return {};
  const auto* p = reinterpret_cast<const char*>(editor.SendScintilla(S::SCI_GETCHARACTERPOINTER));
  return std::string_view(p, static_cast<size_t>(n));
}

long length(QsciScintilla& editor) { return editor.SendScintilla(S::SCI_GETLENGTH); }

long selectionStart(QsciScintilla& editor) { return editor.SendScintilla(S::SCI_GETSELECTIONSTART); }

long selectionLength(QsciScintilla& editor) {
  return editor.SendScintilla(S::SCI_GETSELECTIONEND) - editor.SendScintilla(S::SCI_GETSELECTIONSTART);
}

void select(QsciScintilla& editor, long start, long len) {
  const long n = length(editor);
  start = std::clamp(start, 0L, n);
  const long end = std::clamp(start + std::max(len, 0L), start, n);
  editor.SendScintilla(S::SCI_SETSEL, static_cast<unsigned long>(start), end);
}

std::string selectedText(QsciScintilla& editor) {
  const long start = selectionStart(editor);
  return std::string(text(editor).substr(static_cast<size_t>(start), static_cast<size_t>(selectionLength(editor))));
}

void replaceSelection(QsciScintilla& editor, std::string_view bytes) {
  const long start = selectionStart(editor);
  editor.SendScintilla(S::SCI_TARGETFROMSELECTION);
  editor.SendScintilla(S::SCI_REPLACETARGET, bytes.size(), bytes.empty() ? "" : bytes.data());
  const long caret = start + static_cast<long>(bytes.size());
  editor.SendScintilla(S::SCI_SETSEL, static_cast<unsigned long>(caret), caret);
  // Text that arrives after a Latin-1 document was opened may turn it into valid UTF-8 or the reverse.
  if (editor.SendScintilla(S::SCI_GETCODEPAGE) == S::SC_CP_UTF8 && !isValidUtf8(bytes))
    setCodePageFor(editor, text(editor));
}

bool isUtf8(QsciScintilla& editor) { return editor.SendScintilla(S::SCI_GETCODEPAGE) == S::SC_CP_UTF8; }

std::string fromUtf8(QsciScintilla& editor, std::string_view utf8) {
  // A page declaring another multi-byte set (EUC-KR, Shift_JIS, ...) takes references: its own bytes are
  // neither UTF-8 nor Latin-1.
  if (!declaredMultiByteCharset(text(editor).substr(0, 8192)).empty())
    return textIntoPage(utf8, PageText::OtherMultiByte);
  return toDocumentEncoding(utf8, isUtf8(editor));
}

std::string toUtf8(QsciScintilla& editor, std::string_view bytes) {
  return fromDocumentEncoding(bytes, isUtf8(editor));
}

std::string bytesFor(QsciScintilla& editor, const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return fromUtf8(editor, std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

void replaceRange(QsciScintilla& editor, long start, long length, std::string_view bytes) {
  editor.SendScintilla(S::SCI_SETTARGETRANGE, static_cast<unsigned long>(start), start + length);
  editor.SendScintilla(S::SCI_REPLACETARGET, bytes.size(), bytes.empty() ? "" : bytes.data());
}

namespace {
std::map<const QsciScintilla*, std::function<void(long, long, long)>>& quietListeners() {
  static std::map<const QsciScintilla*, std::function<void(long, long, long)>> listeners;
  return listeners;
}
}  // namespace

void onQuietChange(QsciScintilla& editor, std::function<void(long start, long removed, long inserted)> listener) {
  quietListeners()[&editor] = std::move(listener);
  QObject::connect(&editor, &QObject::destroyed, [key = &editor] { quietListeners().erase(key); });
}

void replaceLargeRange(QsciScintilla& editor, long start, long length, std::string_view bytes) {
  // The text-change notices of a change this size would each convert megabytes to UTF-16 for listeners
  // (accessibility among them) that have no use for them; the save point still moves, so the document's
  // modified state follows as usual.
  const long mask = editor.SendScintilla(S::SCI_GETMODEVENTMASK);
  editor.SendScintilla(S::SCI_SETMODEVENTMASK, 0UL);
  // Wrapping while the change lands would measure every line at once; restored afterwards, it wraps what is
  // in view first and the rest while the program is idle.
  const long wrap = editor.SendScintilla(S::SCI_GETWRAPMODE);
  editor.SendScintilla(S::SCI_SETWRAPMODE, S::SC_WRAP_NONE);
  replaceRange(editor, start, length, bytes);
  editor.SendScintilla(S::SCI_SETWRAPMODE, static_cast<unsigned long>(wrap));
  editor.SendScintilla(S::SCI_SETMODEVENTMASK, static_cast<unsigned long>(mask));
  if (const auto listener = quietListeners().find(&editor); listener != quietListeners().end())
    listener->second(start, length, static_cast<long>(bytes.size()));
  catchUpWrapping(editor);
}

void setWordWrap(QsciScintilla& editor, bool on) {
  const long was = editor.SendScintilla(S::SCI_GETWRAPMODE);
  editor.SendScintilla(S::SCI_SETWRAPMODE, on ? S::SC_WRAP_WORD : S::SC_WRAP_NONE);
  if (on && was == S::SC_WRAP_NONE) catchUpWrapping(editor);
}

}  // namespace quillon::editor_bytes
