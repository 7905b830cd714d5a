#include "app/ui/snip_pane.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "base/file_io.h"
#include "base/text_bytes.h"
#include "base/write_failure.h"
#include "editor/custom_tags.h"
#include "editor/ui/custom_form.h"
#include "editor/ui/edit_snip_form.h"
#include "platform/ui/qt_text.h"

namespace quillon {

namespace {

// Each entry keeps its file's bytes beside the text shown.
constexpr int kBytesRole = Qt::UserRole;

std::string bytesOf(const QListWidgetItem* item) { return item->data(kBytesRole).toByteArray().toStdString(); }

QListWidgetItem* itemFor(const std::string& bytes) {
  auto* item = new QListWidgetItem(toQString(bytes));
  item->setData(kBytesRole, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
  return item;
}

// Inserted where case-blind order puts it (duplicates allowed).
int insertSorted(QListWidget* list, const std::string& bytes) {
  int row = 0;
  while (row < list->count() && !lessIgnoringAsciiCase(bytes, bytesOf(list->item(row)))) ++row;
  list->insertItem(row, itemFor(bytes));
  return row;
}

std::vector<std::string> entriesOf(const QListWidget* list) {
  std::vector<std::string> out;
  for (int i = 0; i < list->count(); ++i) out.push_back(bytesOf(list->item(i)));
  return out;
}

}  // namespace

SnipPane::SnipPane(QWidget& window, Platform& platform, std::string programDir, Hooks hooks)
    : QObject(&window),
      window_(window),
      platform_(platform),
      programDir_(std::move(programDir)),
      hooks_(std::move(hooks)),
      custom_(window.findChild<QComboBox*>("ComboCustom")),
      urls_(window.findChild<QListWidget*>("ListBoxURL")),
      misc_(window.findChild<QListWidget*>("ListBoxMisc")),
      pasteIntoEditor_(window.findChild<QRadioButton*>("RadioPaste")) {
  connect(custom_, &QComboBox::activated, this, [this](int index) { customTagChosen(index); });
  const std::tuple<List, const char*, const char*, const char*, const char*> pages[] = {
      {List::Urls, "EditURL", "ButtonAddURL", "ButtonDelURL", "ButtonEditURL"},
      {List::Misc, "EditMisc", "ButtonAddMisc", "ButtonDelMisc", "ButtonEditMisc"}};
  for (const auto& [which, edit, add, del, editButton] : pages) {
    const Snips s = snips(which);
    auto* entry = window.findChild<QLineEdit*>(edit);
    entry->installEventFilter(this);
    connect(window.findChild<QPushButton*>(add), &QPushButton::clicked, this, [this, s, entry] { addSnip(s, entry); });
    connect(window.findChild<QPushButton*>(del), &QPushButton::clicked, this, [this, s] { deleteSnip(s); });
    connect(window.findChild<QPushButton*>(editButton), &QPushButton::clicked, this,
            [this, which = which] { hooks_.editCommand(which); });
    connect(s.list, &QListWidget::itemDoubleClicked, this, [this, s] { useSnip(s); });
    // A right click selects the entry under the pointer, which the menu then edits.
    connect(s.list, &QListWidget::customContextMenuRequested, this, [this, s, which = which](const QPoint& pos) {
      if (QListWidgetItem* item = s.list->itemAt(pos)) s.list->setCurrentItem(item);
      QMenu menu(&window_);
      hooks_.fillMenu(menu, which);
      menu.exec(s.list->viewport()->mapToGlobal(pos));
    });
  }
}

SnipPane::Snips SnipPane::snips(List which) const {
  return which == List::Urls ? Snips{urls_, "urlsnips.dat"} : Snips{misc_, "missnips.dat"};
}

// A click into a snippet entry field empties it and drops the list's selection.
bool SnipPane::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    static_cast<QLineEdit*>(watched)->clear();
    (watched->objectName() == "EditURL" ? urls_ : misc_)->clearSelection();
  }
  return QObject::eventFilter(watched, event);
}

void SnipPane::load() {
  custom_->clear();
  std::vector<std::string> entries;
  if (const auto data = readWholeFile(programDir_ + "custom.dat")) entries = splitLines(*data);
  sortCaseBlind(entries);
  custom_->addItem("  Select a Custom Tag to Insert");
  custom_->addItem(" NONE");
  for (const auto& e : entries) custom_->addItem(toQString(e), QByteArray(e.data(), static_cast<qsizetype>(e.size())));
  custom_->setCurrentIndex(0);
  for (List which : {List::Urls, List::Misc}) {
    const Snips s = snips(which);
    s.list->clear();
    std::vector<std::string> lines;
    if (const auto data = readWholeFile(programDir_ + s.file)) lines = splitLines(*data);
    sortCaseBlind(lines);
    for (const auto& e : lines) s.list->addItem(itemFor(e));
  }
}

// Items 0 and 1 do nothing; any other wraps its tags around the selection, and the box shows item 0 again.
void SnipPane::customTagChosen(int index) {
  if (index >= 2) hooks_.wrapInCustomTag(custom_->itemData(index).toByteArray().toStdString());
  custom_->setCurrentIndex(0);
}

std::vector<std::string> SnipPane::customTagEntries() const {
  std::vector<std::string> out;
  for (int i = 2; i < custom_->count(); ++i) out.push_back(custom_->itemData(i).toByteArray().toStdString());
  return out;
}

// The combo takes the entries in case-blind order after its two fixed items, and custom.dat is rewritten.
void SnipPane::setCustomTags(std::vector<std::string> entries) {
  sortCaseBlind(entries);
  while (custom_->count() > 2) custom_->removeItem(2);
  for (const auto& e : entries) custom_->addItem(toQString(e), QByteArray(e.data(), static_cast<qsizetype>(e.size())));
  custom_->setCurrentIndex(0);
  const std::string path = programDir_ + "custom.dat";
  const WriteResult r = writeFileAtomic(path, joinCrLf(entries));
  if (!r.ok) platform_.prompts.error(cannotWriteText(r, "file", path));
}

void SnipPane::addCustomTag() {
  TFormCustom dialog(TFormCustom::Mode::Add, platform_.prompts, {}, &window_);
  if (platform_.modal.runModal(dialog) == QDialog::Accepted && !dialog.newEntry().empty()) {
    std::vector<std::string> entries = customTagEntries();
    entries.push_back(dialog.newEntry());
    setCustomTags(std::move(entries));
  }
  custom_->setCurrentIndex(0);
}

void SnipPane::deleteCustomTag() {
  TFormCustom dialog(TFormCustom::Mode::Delete, platform_.prompts, customTagEntries(), &window_);
  if (platform_.modal.runModal(dialog) == QDialog::Accepted) setCustomTags(dialog.entries());
  custom_->setCurrentIndex(0);
}

void SnipPane::saveSnips(const Snips& s) {
  const std::string path = programDir_ + s.file;
  const WriteResult r = writeFileAtomic(path, joinCrLf(entriesOf(s.list)));
  // The change stays in the list on screen either way.
  if (!r.ok) platform_.prompts.error(cannotWriteText(r, "file", path));
}

void SnipPane::addSnip(const Snips& s, QLineEdit* entry) {
  if (entry->text().isEmpty()) return;
  if (const std::string problem = lineBreakProblem(toBytes(entry->text()), "snippet"); !problem.empty()) {
    platform_.prompts.error(problem);
    entry->setFocus();
    return;
  }
  s.list->setCurrentRow(insertSorted(s.list, toBytes(entry->text())));
  entry->clear();
  entry->setFocus();
  saveSnips(s);
}

// The entry before the removed one becomes selected; none when the first was removed.
void SnipPane::deleteSnip(const Snips& s) {
  const int row = s.list->currentRow();
  if (row < 0 || !s.list->currentItem()->isSelected()) return;
  delete s.list->takeItem(row);
  s.list->clearSelection();
  s.list->setCurrentRow(row > 0 ? row - 1 : -1);
  saveSnips(s);
}

void SnipPane::editSnip(List which) {
  const Snips s = snips(which);
  QListWidgetItem* item = s.list->currentItem();
  if (!item || !item->isSelected()) {
    platform_.prompts.error("You have not selected an item to edit. You must first select at item (click it).");
    return;
  }
  TFormEditSnip dialog(bytesOf(item), &window_);
  if (platform_.modal.runModal(dialog) != QDialog::Accepted) return;
  const std::string text = dialog.text();
  if (const std::string problem = lineBreakProblem(text, "snippet"); !problem.empty()) {
    platform_.prompts.error(problem + " The snippet was left as it was.");
    return;
  }
  item->setText(toQString(text));
  item->setData(kBytesRole, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
  saveSnips(s);
}

// A double-click puts the entry on the clipboard and, with "Paste into HTML Editor", over the selection.
void SnipPane::useSnip(const Snips& s) {
  const QListWidgetItem* item = s.list->currentItem();
  if (!item || !item->isSelected()) return;
  const std::string text = bytesOf(item);
  platform_.clipboard.clear();
  platform_.clipboard.setText(text);
  if (pasteIntoEditor_->isChecked()) hooks_.paste(text);
}

}  // namespace quillon
