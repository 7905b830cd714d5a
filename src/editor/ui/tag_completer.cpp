#include "editor/ui/tag_completer.h"

#include <Qsci/qsciscintilla.h>

#include <algorithm>
#include <string>

#include "editor/ui/editor_bytes.h"

namespace quillon {

namespace {

using S = QsciScintillaBase;
constexpr long kLookedBack = 1 << 20;

}  // namespace

TagCompleter::TagCompleter(QsciScintilla& editor, std::function<bool()> active)
    : QObject(&editor), editor_(editor), active_(std::move(active)) {
  editor.SendScintilla(S::SCI_AUTOCSETIGNORECASE, 1UL);
  editor.SendScintilla(S::SCI_AUTOCSETSEPARATOR, static_cast<unsigned long>(' '));
  editor.SendScintilla(S::SCI_AUTOCSETORDER, static_cast<unsigned long>(S::SC_ORDER_PERFORMSORT));
  editor.SendScintilla(S::SCI_AUTOCSETCANCELATSTART, 0UL);
  connect(&editor, &QsciScintillaBase::SCN_CHARADDED, this, [this](int ch) { charAdded(ch); });
  connect(&editor, qOverload<const char*, int, int, int>(&QsciScintillaBase::SCN_AUTOCSELECTION), this,
          [this](const char* item, int position, int, int) { chosen(item, position); });
}

void TagCompleter::charAdded(int ch) {
  if (!active_()) return;
  const bool letter = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
  if (ch != '/' && ch != '<' && ch != ' ' && !letter) return;
  // While its list is open, the window narrows it to what is typed.
  if (letter && editor_.SendScintilla(S::SCI_AUTOCACTIVE)) return;
  const long caret = editor_.SendScintilla(S::SCI_GETCURRENTPOS);
  const long from = std::max(0L, caret - kLookedBack);
  const auto* before = reinterpret_cast<const char*>(
      editor_.SendScintilla(S::SCI_GETRANGEPOINTER, static_cast<unsigned long>(from), caret - from));
  if (!before) return;
  const CompletionOffer offer = completionAt(std::string_view(before, static_cast<size_t>(caret - from)));
  if (offer.kind == CompletionKind::None) return;
  std::string list;
  for (const std::string& item : offer.items) list += (list.empty() ? "" : " ") + item;
  shown_ = offer.kind;
  editor_.SendScintilla(S::SCI_AUTOCSHOW, static_cast<unsigned long>(offer.typed), list.c_str());
}

void TagCompleter::chosen(const char* item, int position) {
  if (shown_ == CompletionKind::None || !item) return;
  // The window would put in the name alone: the item goes in here, whole and as one step.
  editor_.SendScintilla(S::SCI_AUTOCCANCEL);
  const CompletionText text = completionText(shown_, item);
  shown_ = CompletionKind::None;
  const long caret = editor_.SendScintilla(S::SCI_GETCURRENTPOS);
  editor_.SendScintilla(S::SCI_BEGINUNDOACTION);
  editor_bytes::replaceRange(editor_, position, caret - position, text.text);
  editor_.SendScintilla(S::SCI_ENDUNDOACTION);
  const long end = position + static_cast<long>(text.text.size() - text.caretBack);
  editor_.SendScintilla(S::SCI_SETSEL, static_cast<unsigned long>(end), end);
}

}  // namespace quillon
