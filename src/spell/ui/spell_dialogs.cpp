#include "spell/ui/spell_dialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

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
                                     std::function<void(size_t, size_t)> highlight, std::function<void()> optionsChanged,
                                     QWidget* parent)
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
  connect(ListSuggestions, &QListWidget::currentTextChanged, EditReplace, &QLineEdit::setText);

  auto* buttons = new QVBoxLayout;
  auto button = [&](const char* name, const char* caption, std::function<void()> act) {
    auto* b = named(new QPushButton(caption, this), name);
    connect(b, &QPushButton::clicked, this, std::move(act));
    buttons->addWidget(b);
    return b;
  };
  button("ButtonChangeAll", "&Change All", [this] {
    engine_.changeAll(text_, replacement());
    advance();
  });
  ButtonChange = button("ButtonChange", "C&hange", [this] {
    engine_.change(text_, replacement());
    advance();
  });
  button("ButtonIgnoreAll", "&Ignore All", [this] {
    engine_.ignoreAll();
    advance();
  });
  button("ButtonIgnore", "I&gnore", [this] {
    engine_.ignore();
    advance();
  });
  button("ButtonAdd", "&Add", [this] {
    engine_.add();
    advance();
  });
  button("ButtonAutoCorrect", "Au&to-Correct", [this] {
    engine_.autoCorrect(text_, replacement());
    advance();
  });
  button("ButtonSuggest", "S&uggest", [this] {
    const std::string typed = toBytes(EditReplace->text());
    fillSuggestions(engine_.suggest(typed.empty() ? engine_.current()->word : typed));
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
  button("ButtonCancel", "Cancel", [this] {
    cancelled_ = true;
    reject();
  });
  buttons->addStretch();
  grid->addLayout(buttons, 0, 2, 4, 1);
}

std::string TSpellCheckDialog::replacement() const { return toBytes(EditReplace->text()); }

bool TSpellCheckDialog::start() {
  if (!engine_.next(text_)) return false;
  showStop();
  return true;
}

void TSpellCheckDialog::advance() {
  if (!engine_.next(text_)) {
    accept();
    return;
  }
  showStop();
}

void TSpellCheckDialog::fillSuggestions(const std::vector<std::string>& words) {
  ListSuggestions->clear();
  for (const auto& w : words) ListSuggestions->addItem(toQString(w));
}

void TSpellCheckDialog::showStop() {
  const auto& stop = *engine_.current();
  const bool repeated = stop.kind == SpellEngine::StopKind::Repeated;
  LabelNotFound->setText(repeated ? "Repeated Word:" : "Not Found:");
  ButtonChange->setText(repeated ? "&Delete" : "C&hange");
  EditWord->setText(toQString(stop.word));
  EditReplace->setText(repeated ? QString() : toQString(stop.word));
  LabelWordsChecked->setText(QString("Words Checked: %1").arg(engine_.wordsChecked()));
  ListSuggestions->clear();
  if (highlight_) highlight_(stop.offset, stop.word.size());
  if (!repeated && engine_.config().on(SpellOption::soAutoSuggest)) {
    setWindowTitle("Spell Check (Working...)");
    const auto words = engine_.dialogSuggestions(stop.word);
    fillSuggestions(words);
    setWindowTitle("Spell Check");
  }
}

}  // namespace quillon
