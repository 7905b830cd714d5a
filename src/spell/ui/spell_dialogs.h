#pragma once

#include <QDialog>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "platform/ui/platform.h"
#include "spell/spell_engine.h"

class QVBoxLayout;
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

// The check dialog: one dialog for the whole check, stopping at each word the user must decide on. When
// the engine's range is done it asks `nextRange` (which may begin another range on the engine) and closes
// itself (accepted) when there is none; Cancel or Escape close it rejected. Suggestions are worked out on
// another thread; any button press cancels them, so the dialog answers at once whatever the word.
class TSpellCheckDialog : public QDialog {
  Q_OBJECT
 public:
  TSpellCheckDialog(SpellEngine& engine, SpellText& text, Platform& platform,
                    std::function<void(size_t, size_t)> highlight, std::function<void()> optionsChanged,
                    QWidget* parent = nullptr);
  ~TSpellCheckDialog() override;
  void setNextRange(std::function<bool()> nextRange) { nextRange_ = std::move(nextRange); }
  // Finds the first stop; false when there is none in any range (nothing to show).
  bool start();
  bool cancelled() const { return cancelled_; }
  void reject() override;

 private:
  QVBoxLayout* buildButtons();
  void advance();
  // A word kept for this run only, because the user dictionary could not be written, is said.
  void reportUserDictionary(const WriteResult& saved);
  bool findStop();
  void showStop();
  void suggestFor(const std::string& word);
  void stopSuggesting();
  void fillSuggestions(const std::vector<std::string>& words);
  void updateChangeButtons();
  std::string replacement() const;
  // Runs a command of the dialog: suggestions still being worked out are dropped first.
  void act(const std::function<void()>& command);

  SpellEngine& engine_;
  SpellText& text_;
  Platform& platform_;
  std::function<void(size_t, size_t)> highlight_;
  std::function<void()> optionsChanged_;
  std::function<bool()> nextRange_;
  bool cancelled_ = false;
  std::thread suggester_;
  std::shared_ptr<std::atomic<bool>> cancelSuggestions_;
  QLabel* LabelNotFound = nullptr;
  QLineEdit* EditWord = nullptr;
  QLineEdit* EditReplace = nullptr;
  QListWidget* ListSuggestions = nullptr;
  QLabel* LabelWordsChecked = nullptr;
  QPushButton* ButtonChange = nullptr;
  QPushButton* ButtonChangeAll = nullptr;
  QPushButton* ButtonAutoCorrect = nullptr;
};

}  // namespace quillon
