#include "editor/ui/colour_follows_caret.h"

#include <Qsci/qsciscintilla.h>

namespace quillon {

ColourFollowsCaret::ColourFollowsCaret(QsciScintilla& editor, std::function<bool()> active)
    : QObject(&editor), editor_(editor), active_(std::move(active)) {
  connect(&editor, &QsciScintillaBase::SCN_MODIFIED, this,
          [this](int position, int type, const char* text, int length, int, int, int, int, int, int) {
            modified(position, type, text, length);
          });
}

void ColourFollowsCaret::modified(int position, int type, const char*, int length) {
  if (!(type & QsciScintillaBase::SC_MOD_INSERTTEXT) || position <= 0 || length <= 0 || !active_()) return;
  const long style = editor_.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(position - 1));
  if (style == 0) return;
  editor_.SendScintilla(QsciScintillaBase::SCI_STARTSTYLING, static_cast<unsigned long>(position), 0L);
  editor_.SendScintilla(QsciScintillaBase::SCI_SETSTYLING, static_cast<unsigned long>(length), style);
}

}  // namespace quillon
