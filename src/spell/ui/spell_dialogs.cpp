#include "spell/ui/spell_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ui/background_work.h"
#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"

namespace quillon {

TFormSpell::TFormSpell(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("TFormSpell");
  setWindowTitle("Now Checking Spelling.....");
  auto* v = new QVBoxLayout(this);
  v->addWidget(new QLabel("Now Checking Spelling.....", this));
  setModal(false);
}

TSpellConfigDialog::TSpellConfigDialog(const std::map<SpellOption, bool>& options, QWidget* parent)
    : QDialog(parent), options_(options) {
  setObjectName("TSpellConfigDialog");
  setWindowTitle("Spell Check Configuration");
  auto* v = new QVBoxLayout(this);
  auto* ignore = new QGroupBox(" Ignore: ", this);
  auto* iv = new QVBoxLayout(ignore);
  auto* general = new QGroupBox(" General: ", this);
  auto* gv = new QVBoxLayout(general);
  // The options the program offers: the others keep their values.
  const std::pair<SpellOption, const char*> visible[] = {{SpellOption::soUpcase, "Words in &UPPERCASE"},
                                                         {SpellOption::soNumbers, "Words Containing &Numbers"},
                                                         {SpellOption::soHTML, "&HTML Tags"},
                                                         {SpellOption::soInternet, "UR&Ls and E-mail Addresses"},
                                                         {SpellOption::soRecheck, "Re-check Replaced Words"}};
  for (const auto& [option, caption] : visible) {
    auto* box = new QCheckBox(caption, this);
    for (const auto& [o, key] : spellOptionKeys())
      if (o == option) box->setObjectName(QString("Check_") + key);
    box->setChecked(options_.count(option) && options_.at(option));
    (option == SpellOption::soRecheck ? gv : iv)->addWidget(box);
    boxes_[option] = box;
  }
  v->addWidget(ignore);
  v->addWidget(general);
  auto* row = new QHBoxLayout;
  row->addStretch();
  auto* ok = named(new QPushButton("OK", this), "ButtonOK");
  auto* cancel = named(new QPushButton("Cancel", this), "ButtonCancel");
  row->addWidget(ok);
  row->addWidget(cancel);
  v->addLayout(row);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::map<SpellOption, bool> TSpellConfigDialog::options() const {
  std::map<SpellOption, bool> out = options_;
  for (const auto& [option, box] : boxes_) out[option] = box->isChecked();
  return out;
}

TSpellCheckDialog::TSpellCheckDialog(SpellEngine& engine, SpellText& text, Platform& platform,
                                     std::function<void(size_t, size_t)> highlight,
                                     std::function<void()> optionsChanged, QWidget* parent)
    : QDialog(parent),
      engine_(engine),
      text_(text),
      platform_(platform),
      highlight_(std::move(highlight)),
      optionsChanged_(std::move(optionsChanged)) {
  setObjectName("TSpellCheckDialog");
  setWindowTitle("Spell Check");
  auto* grid = new QGridLayout(this);
  LabelNotFound = named(new QLabel("Not Found:", this), "LabelNotFound");
  EditWord = named(new QLineEdit(this), "EditWord");
  EditWord->setReadOnly(true);
  grid->addWidget(LabelNotFound, 0, 0);
  grid->addWidget(EditWord, 0, 1);
  grid->addWidget(new QLabel("Replace With:", this), 1, 0);
  EditReplace = named(new QLineEdit(this), "EditReplace");
  grid->addWidget(EditReplace, 1, 1);
  grid->addWidget(new QLabel("Suggestions:", this), 2, 0, Qt::AlignTop);
  ListSuggestions = named(new QListWidget(this), "ListSuggestions");
  grid->addWidget(ListSuggestions, 2, 1);
  LabelWordsChecked = named(new QLabel(this), "LabelWordsChecked");
  grid->addWidget(LabelWordsChecked, 3, 0, 1, 2);
  // Choosing a suggestion puts it in "Replace With"; emptying the list (at the next word) leaves the box alone.
  connect(ListSuggestions, &QListWidget::currentTextChanged, this, [this](const QString& text) {
    if (!text.isEmpty()) EditReplace->setText(text);
  });
  connect(EditReplace, &QLineEdit::textChanged, this, [this] { updateChangeButtons(); });

  grid->addLayout(buildButtons(), 0, 2, 4, 1);
}

// The column of buttons, each acting on the word the check stopped at.
QVBoxLayout* TSpellCheckDialog::buildButtons() {
  auto* buttons = new QVBoxLayout;
  auto button = [&](const char* name, const char* caption, std::function<void()> command) {
    auto* b = named(new QPushButton(caption, this), name);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, command = std::move(command)] { act(command); });
    buttons->addWidget(b);
    return b;
  };
  ButtonChangeAll = button("ButtonChangeAll", "&Change All", [this] {
    engine_.changeAll(text_, replacement());
    advance();
  });
  ButtonChange = button("ButtonChange", "C&hange", [this] {
    engine_.change(text_, replacement());
    advance();
  });
  ButtonChange->setDefault(true);
  button("ButtonIgnoreAll", "&Ignore All", [this] {
    engine_.ignoreAll();
    advance();
  });
  button("ButtonIgnore", "I&gnore", [this] {
    engine_.ignore();
    advance();
  });
  button("ButtonAdd", "&Add", [this] {
    reportUserDictionary(engine_.add());
    advance();
  });
  ButtonAutoCorrect = button("ButtonAutoCorrect", "Au&to-Correct", [this] {
    reportUserDictionary(engine_.autoCorrect(text_, replacement()));
    advance();
  });
  button("ButtonSuggest", "S&uggest", [this] {
    const std::string typed = toBytes(EditReplace->text());
    if (engine_.current()) suggestFor(typed.empty() ? engine_.current()->word : typed);
  });
  button("ButtonStart", "Start", [this] {
    // Resumes at the current word: it is judged again.
    if (engine_.current()) engine_.begin(engine_.current()->offset, text_.bytes().size(), false);
    advance();
  });
  button("ButtonUndo", "Undo &Last", [this] {
    if (engine_.undoLast(text_)) advance();
  });
  button("ButtonOptions", "&Options", [this] {
    TSpellConfigDialog config(engine_.config().options, this);
    if (platform_.modal.runModal(config) == QDialog::Accepted) {
      engine_.setOptions(config.options());
      if (optionsChanged_) optionsChanged_();
    }
  });
  auto* help = button("ButtonHelp", "Hel&p", [] {});
  help->setEnabled(false);  // the checker has no help file of its own
  button("ButtonCancel", "Cancel", [this] { reject(); });
  buttons->addStretch();
  return buttons;
}

TSpellCheckDialog::~TSpellCheckDialog() { stopSuggesting(); }

void TSpellCheckDialog::reject() {
  // Cancel and Escape alike end the whole check.
  stopSuggesting();
  cancelled_ = true;
  QDialog::reject();
}

void TSpellCheckDialog::act(const std::function<void()>& command) {
  stopSuggesting();
  command();
}

std::string TSpellCheckDialog::replacement() const { return toBytes(EditReplace->text()); }

void TSpellCheckDialog::updateChangeButtons() {
  // Changing a misspelt word into nothing would delete it: only a repeated word is deleted, by "Delete".
  const bool repeated = engine_.current() && engine_.current()->kind == SpellEngine::StopKind::Repeated;
  const bool hasText = !EditReplace->text().isEmpty();
  ButtonChange->setEnabled(repeated || hasText);
  ButtonChangeAll->setEnabled(hasText);
  ButtonAutoCorrect->setEnabled(hasText);
}

bool TSpellCheckDialog::findStop() {
  while (!engine_.next(text_))
    if (!nextRange_ || !nextRange_()) return false;
  return true;
}

bool TSpellCheckDialog::start() {
  if (!findStop()) return false;
  showStop();
  return true;
}

void TSpellCheckDialog::reportUserDictionary(const WriteResult& saved) {
  if (saved.ok) return;
  platform_.prompts.error("Cannot save the user dictionary \"" + saved.failedPath + "\". " + saved.error +
                          ". The word is known until the program ends.");
}

void TSpellCheckDialog::advance() {
  if (!findStop()) {
    if (!cancelled_) accept();
    return;
  }
  showStop();
}

void TSpellCheckDialog::fillSuggestions(const std::vector<std::string>& words) {
  ListSuggestions->clear();
  for (const auto& w : words) ListSuggestions->addItem(toQString(w));
  // The first suggestion takes the place of the word in "Replace With", unless the user typed there.
  const auto& stop = engine_.current();
  if (!words.empty() && stop && stop->kind == SpellEngine::StopKind::NotFound &&
      toBytes(EditReplace->text()) == stop->word)
    ListSuggestions->setCurrentRow(0);
}

void TSpellCheckDialog::stopSuggesting() {
  if (cancelSuggestions_) cancelSuggestions_->store(true);
  if (suggester_.joinable()) suggester_.join();
  cancelSuggestions_.reset();
  setWindowTitle("Spell Check");
}

void TSpellCheckDialog::suggestFor(const std::string& word) {
  stopSuggesting();
  ListSuggestions->clear();
  setWindowTitle("Spell Check (Working...)");
  auto cancel = std::make_shared<std::atomic<bool>>(false);
  cancelSuggestions_ = cancel;
  BackgroundWork::started();
  QPointer<TSpellCheckDialog> self(this);
  suggester_ = std::thread([this, self, cancel, word, &engine = engine_] {
    std::vector<std::string> words = engine.suggest(word, cancel.get());
    // Delivered on the window's thread; dropped when cancelled or when the dialog is gone.
    QMetaObject::invokeMethod(
        qApp,
        [this, self, cancel, words = std::move(words)] {
          BackgroundWork::finished();
          if (!self || cancel->load()) return;
          setWindowTitle("Spell Check");
          fillSuggestions(words);
        },
        Qt::QueuedConnection);
  });
}

void TSpellCheckDialog::showStop() {
  const auto& stop = *engine_.current();
  const bool repeated = stop.kind == SpellEngine::StopKind::Repeated;
  LabelNotFound->setText(repeated ? "Repeated Word:" : "Not Found:");
  ButtonChange->setText(repeated ? "&Delete" : "C&hange");
  EditWord->setText(toQString(stop.word));
  ListSuggestions->clear();
  EditReplace->setText(repeated ? QString() : toQString(stop.word));
  updateChangeButtons();
  LabelWordsChecked->setText(QString("Words Checked: %1").arg(engine_.wordsChecked()));
  if (highlight_) highlight_(stop.offset, stop.length);
  if (!repeated && engine_.config().on(SpellOption::soAutoSuggest)) suggestFor(stop.word);
}

}  // namespace quillon
