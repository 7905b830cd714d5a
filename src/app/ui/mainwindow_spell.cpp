// Checking the spelling of the editing window: the selection first, then the rest from the caret.
#include <Qsci/qsciscintilla.h>
#include <QApplication>

#include "app/command_names.h"
#include "app/ui/mainwindow.h"
#include "base/write_failure.h"
#include "editor/ui/dialog_placement.h"
#include "editor/ui/editor_bytes.h"
#include "spell/spell_engine.h"
#include "spell/spell_walk.h"
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
  if (!spell_) spell_ = std::make_unique<SpellEngine>(SpellEngine::open(folders_));
  return *spell_;
}

std::vector<CommandRecord> TForm1::spellCommands() {
  return {{cmd::BitBtnSpellCheckClick, "Spell Check", "", "tools-check-spelling", call(&TForm1::BitBtnSpellCheckClick),
           kChangesText}};
}

// The whole check: the selection first (when there is one), then, on the user's word, the rest of the page
// from the end of the selection, all in one dialog.
void TForm1::BitBtnSpellCheckClick() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  if (!FormSpell) FormSpell = new TFormSpell(this);
  FormSpell->show();
  SpellEngine& engine = spellEngine();
  FormSpell->hide();  // the checker is ready
  QApplication::restoreOverrideCursor();
  for (const std::string& path : engine.unreadableDictionaries())
    platform_.prompts.error("The spelling dictionary \"" + path + "\" could not be read: it is missing or damaged.");
  if (!engine.hasMainDictionary()) {
    if (engine.unreadableDictionaries().empty())
      platform_.prompts.info("No spelling dictionary is in use. Choose one in the spell checker's options.");
    return;
  }

  const long selStart = editor_bytes::selectionStart(*RE1);
  const long selLength = editor_bytes::selectionLength(*RE1);
  // A check that leaves the text as it was leaves an unmodified document unmodified.
  const bool wasModified = session_->modified();
  const std::string before = wasModified ? std::string() : std::string(editor_bytes::text(*RE1));

  EditorSpellText text(*RE1);
  QWidget* shown = nullptr;  // the dialog, once made: it steps aside from each word it selects
  TSpellCheckDialog dialog(
      engine, text, platform_,
      [this, &shown](size_t offset, size_t length) {
        editor_bytes::select(*RE1, static_cast<long>(offset), static_cast<long>(length));
        RE1->ensureCursorVisible();
        if (shown) keepClearOfSelection(*shown, *RE1);
      },
      [this, &engine] {
        const WriteResult r = saveSpellConfig(programDir_ + "spell/spell.cfg", "default", engine.config());
        if (!r.ok) platform_.prompts.error(cannotWriteText(r, "spelling settings file"));
      },
      this);
  shown = &dialog;
  SpellWalk walk(static_cast<size_t>(selStart), static_cast<size_t>(selLength));
  dialog.setNextRange([&] {
    const char* question = walk.question();
    if (!question) return false;
    const bool yes =
        platform_.prompts.message(MessageKind::Confirm, kAppTitle, question, Buttons::YesNo) == Answer::Yes;
    const auto range = walk.answer(yes, engine.rangeEnd(), static_cast<size_t>(editor_bytes::length(*RE1)));
    // The words-checked count runs on.
    if (range) engine.begin(range->from, range->to, false);
    return range.has_value();
  });
  const SpellWalk::Range first = walk.first(static_cast<size_t>(editor_bytes::length(*RE1)));
  engine.begin(first.from, first.to, true);

  const bool stopped = dialog.start();
  if (stopped) platform_.modal.runModal(dialog);
  const bool cancelled = dialog.cancelled();
  if (!cancelled && walk.saysComplete()) platform_.prompts.info("Spell Check Complete.\r\n\r\n");

  if (!wasModified && editor_bytes::text(*RE1) == before) RE1->setModified(false);
  editor_bytes::select(*RE1, selStart, selLength);
  RE1->setFocus();
}

}  // namespace quillon
