// Checking the spelling of the editing window: the selection first, then the rest from the caret.
#include <QApplication>
#include <Qsci/qsciscintilla.h>

#include "app/ui/mainwindow.h"
#include "editor/ui/editor_bytes.h"
#include "spell/spell_engine.h"
#include "spell/ui/spell_dialogs.h"

namespace quillon {

namespace {

// The editing window as the checker's text: it reads the bytes and replaces words in place.
class EditorSpellText : public SpellText {
 public:
  explicit EditorSpellText(QsciScintilla& editor) : editor_(editor) {}
  std::string_view bytes() override { return editor_bytes::text(editor_); }
  void replace(size_t start, size_t length, std::string_view with) override {
    editor_bytes::replaceRange(editor_, static_cast<long>(start), static_cast<long>(length), with);
  }

 private:
  QsciScintilla& editor_;
};

}  // namespace

SpellEngine& TForm1::spellEngine() {
  if (!spell_) spell_ = std::make_unique<SpellEngine>(SpellEngine::open(programDir_));
  return *spell_;
}

// One check of [from, to); false when it was cancelled.
bool TForm1::checkSpelling(size_t from, size_t to, bool resetCount) {
  SpellEngine& engine = spellEngine();
  EditorSpellText text(*RE1);
  engine.begin(from, to, resetCount);
  TSpellCheckDialog dialog(
      engine, text, platform_,
      [this](size_t offset, size_t length) {
        editor_bytes::select(*RE1, static_cast<long>(offset), static_cast<long>(length));
        RE1->ensureCursorVisible();
      },
      [this, &engine] {
        const WriteResult r = saveSpellConfig(programDir_ + "spell/spell.cfg", "default", engine.config());
        if (!r.ok) platform_.prompts.error("Cannot write the spelling settings. " + r.error + ".");
      },
      this);
  FormSpell->hide();  // the checker is ready
  QApplication::restoreOverrideCursor();
  if (!dialog.start()) return true;
  platform_.modal.runModal(dialog);
  return !dialog.cancelled();
}

void TForm1::BitBtnSpellCheckClick() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  FormSpell->show();
  const long selStart = editor_bytes::selectionStart(*RE1);
  const long selLength = editor_bytes::selectionLength(*RE1);
  bool goOn = true;
  bool resetCount = true;
  if (selLength > 0) {
    const bool completed = checkSpelling(static_cast<size_t>(selStart), static_cast<size_t>(selStart + selLength), true);
    resetCount = false;
    goOn = completed && platform_.prompts.message(MessageKind::Confirm, kAppTitle,
                                                  "The selected text has been checked.\r\nCheck the remainder of the "
                                                  "document?",
                                                  Buttons::YesNo) == Answer::Yes;
  }
  if (goOn) {
    const bool completed = checkSpelling(static_cast<size_t>(selStart + selLength),
                                         static_cast<size_t>(editor_bytes::length(*RE1)), resetCount);
    if (completed) platform_.prompts.info("Spell Check Complete.\r\n\r\n");
  }
  FormSpell->hide();
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  editor_bytes::select(*RE1, selStart, selLength);
  RE1->setFocus();
}

}  // namespace quillon
