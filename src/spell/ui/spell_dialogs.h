#pragma once

#include <QDialog>
#include <map>
#include <string>

#include "platform/ui/platform.h"
#include "spell/spell_engine.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quillon {

// "Now Checking Spelling.....": shown while the checker gets ready.
class TFormSpell : public QDialog {
  Q_OBJECT
 public:
  explicit TFormSpell(QWidget* parent = nullptr);
};

// The configuration dialog, offering the options the program makes visible.
class TSpellConfigDialog : public QDialog {
  Q_OBJECT
 public:
  TSpellConfigDialog(const std::map<SpellOption, bool>& options, QWidget* parent = nullptr);
  std::map<SpellOption, bool> options() const;

 private:
  std::map<SpellOption, bool> options_;
  std::map<SpellOption, QCheckBox*> boxes_;
};

// The check dialog: one run checks a range, stopping at each word the user must decide on. It closes itself
// when the range is done (accepted) or on Cancel (rejected).
class TSpellCheckDialog : public QDialog {
  Q_OBJECT
 public:
  TSpellCheckDialog(SpellEngine& engine, SpellText& text, Platform& platform, std::function<void(size_t, size_t)> highlight,
                    std::function<void()> optionsChanged, QWidget* parent = nullptr);
  // Finds the first stop; false when there is none (nothing to show).
  bool start();
  bool cancelled() const { return cancelled_; }

 private:
  void advance();
  void showStop();
  void fillSuggestions(const std::vector<std::string>& words);
  std::string replacement() const;

  SpellEngine& engine_;
  SpellText& text_;
  Platform& platform_;
  std::function<void(size_t, size_t)> highlight_;
  std::function<void()> optionsChanged_;
  bool cancelled_ = false;
  QLabel* LabelNotFound = nullptr;
  QLineEdit* EditWord = nullptr;
  QLineEdit* EditReplace = nullptr;
  QListWidget* ListSuggestions = nullptr;
  QLabel* LabelWordsChecked = nullptr;
  QPushButton* ButtonChange = nullptr;
};

}  // namespace quillon
