// The custom tags of the tag panel and the two snippet lists of the Snips tab.
#include <Qsci/qsciscintilla.h>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "app/command_names.h"
#include "app/ui/command_registry.h"
#include "app/ui/mainwindow.h"
#include "base/file_io.h"
#include "base/text_bytes.h"
#include "base/write_failure.h"
#include "editor/custom_tags.h"
#include "editor/ui/custom_form.h"
#include "editor/ui/edit_snip_form.h"
#include "editor/ui/editor_bytes.h"
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

void TForm1::loadCustomTags() {
  ComboCustom->clear();
  std::vector<std::string> entries;
  if (const auto data = readWholeFile(programDir_ + "custom.dat")) entries = splitLines(*data);
  sortCaseBlind(entries);
  ComboCustom->addItem("  Select a Custom Tag to Insert");
  ComboCustom->addItem(" NONE");
  for (const auto& e : entries)
    ComboCustom->addItem(toQString(e), QByteArray(e.data(), static_cast<qsizetype>(e.size())));
  ComboCustom->setCurrentIndex(0);
}

void TForm1::loadSnipLists() {
  for (const SnipList& snips : {urlSnips(), miscSnips()}) {
    snips.list->clear();
    std::vector<std::string> entries;
    if (const auto data = readWholeFile(programDir_ + snips.file)) entries = splitLines(*data);
    sortCaseBlind(entries);
    for (const auto& e : entries) snips.list->addItem(itemFor(e));
  }
}

// Items 0 and 1 do nothing; any other wraps its tags around the selection, and the box shows item 0 again.
void TForm1::ComboCustomChange(int index) {
  if (index >= 2) {
    const std::string entry = ComboCustom->itemData(index).toByteArray().toStdString();
    applyInsertion(applyCustomTag(editView(), editor_bytes::fromUtf8(*RE1, entry)));
  }
  ComboCustom->setCurrentIndex(0);
}

std::vector<std::string> TForm1::customTagEntries() const {
  std::vector<std::string> out;
  for (int i = 2; i < ComboCustom->count(); ++i) out.push_back(ComboCustom->itemData(i).toByteArray().toStdString());
  return out;
}

// The combo takes the entries in case-blind order after its two fixed items, and custom.dat is rewritten.
void TForm1::setCustomTags(std::vector<std::string> entries) {
  sortCaseBlind(entries);
  while (ComboCustom->count() > 2) ComboCustom->removeItem(2);
  for (const auto& e : entries)
    ComboCustom->addItem(toQString(e), QByteArray(e.data(), static_cast<qsizetype>(e.size())));
  ComboCustom->setCurrentIndex(0);
  const std::string path = programDir_ + "custom.dat";
  const WriteResult r = writeFileAtomic(path, joinCrLf(entries));
  if (!r.ok) platform_.prompts.error(cannotWriteText(r, "file", path));
}

void TForm1::BitBtnCustomAddClick() {
  TFormCustom dialog(TFormCustom::Mode::Add, platform_.prompts, {}, this);
  if (platform_.modal.runModal(dialog) == QDialog::Accepted && !dialog.newEntry().empty()) {
    std::vector<std::string> entries = customTagEntries();
    entries.push_back(dialog.newEntry());
    setCustomTags(std::move(entries));
  }
  ComboCustom->setCurrentIndex(0);
}

void TForm1::BitBtnCustomDeleteClick() {
  TFormCustom dialog(TFormCustom::Mode::Delete, platform_.prompts, customTagEntries(), this);
  if (platform_.modal.runModal(dialog) == QDialog::Accepted) setCustomTags(dialog.entries());
  ComboCustom->setCurrentIndex(0);
}

void TForm1::saveSnips(const SnipList& snips) {
  const std::string path = programDir_ + snips.file;
  const WriteResult r = writeFileAtomic(path, joinCrLf(entriesOf(snips.list)));
  // The change stays in the list on screen either way.
  if (!r.ok) platform_.prompts.error(cannotWriteText(r, "file", path));
}

void TForm1::addSnip(const SnipList& snips, QLineEdit* entry) {
  if (entry->text().isEmpty()) return;
  if (const std::string problem = lineBreakProblem(toBytes(entry->text()), "snippet"); !problem.empty()) {
    platform_.prompts.error(problem);
    entry->setFocus();
    return;
  }
  snips.list->setCurrentRow(insertSorted(snips.list, toBytes(entry->text())));
  entry->clear();
  entry->setFocus();
  saveSnips(snips);
}

// The entry before the removed one becomes selected; none when the first was removed.
void TForm1::deleteSnip(const SnipList& snips) {
  const int row = snips.list->currentRow();
  if (row < 0 || !snips.list->currentItem()->isSelected()) return;
  delete snips.list->takeItem(row);
  snips.list->clearSelection();
  if (row > 0)
    snips.list->setCurrentRow(row - 1);
  else
    snips.list->setCurrentRow(-1);
  saveSnips(snips);
}

void TForm1::editSnip(const SnipList& snips) {
  QListWidgetItem* item = snips.list->currentItem();
  if (!item || !item->isSelected()) {
    platform_.prompts.error("You have not selected an item to edit. You must first select at item (click it).");
    return;
  }
  TFormEditSnip dialog(bytesOf(item), this);
  if (platform_.modal.runModal(dialog) != QDialog::Accepted) return;
  const std::string text = dialog.text();
  if (const std::string problem = lineBreakProblem(text, "snippet"); !problem.empty()) {
    platform_.prompts.error(problem + " The snippet was left as it was.");
    return;
  }
  item->setText(toQString(text));
  item->setData(kBytesRole, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
  saveSnips(snips);
}

// A double-click puts the entry on the clipboard and, with "Paste into HTML Editor", over the selection.
void TForm1::useSnip(const SnipList& snips) {
  const QListWidgetItem* item = snips.list->currentItem();
  if (!item || !item->isSelected()) return;
  const std::string text = bytesOf(item);
  platform_.clipboard.clear();
  platform_.clipboard.setText(text);
  if (findChild<QRadioButton*>("RadioPaste")->isChecked()) {
    RE1->setFocus();
    editor_bytes::replaceSelection(*RE1, editor_bytes::fromUtf8(*RE1, text));
  }
}

std::vector<CommandRecord> TForm1::snipCommands() {
  return {
      {cmd::BitBtnCustomAddClick, "Add a Custom Tag", "", "", call(&TForm1::BitBtnCustomAddClick)},
      {cmd::BitBtnCustomDeleteClick, "Delete a Custom Tag", "", "", call(&TForm1::BitBtnCustomDeleteClick)},
      {cmd::ButtonEditURLClick, "Edit Snip", "", "", [this] { editSnip(urlSnips()); }},
      {cmd::ButtonEditMiscClick, "Edit Snip", "", "", [this] { editSnip(miscSnips()); }},
  };
}

void TForm1::wireSnipPane() {
  connect(ComboCustom, &QComboBox::activated, this, [this](int index) { ComboCustomChange(index); });
  const std::tuple<SnipList, const char*, const char*, const char*, const char*, CommandName> pages[] = {
      {urlSnips(), "EditURL", "ButtonAddURL", "ButtonDelURL", "ButtonEditURL", cmd::ButtonEditURLClick},
      {miscSnips(), "EditMisc", "ButtonAddMisc", "ButtonDelMisc", "ButtonEditMisc", cmd::ButtonEditMiscClick}};
  for (const auto& [snips, edit, add, del, editButton, editCommand] : pages) {
    auto* entry = findChild<QLineEdit*>(edit);
    // A click into the entry field empties it and drops the list's selection.
    entry->installEventFilter(this);
    connect(findChild<QPushButton*>(add), &QPushButton::clicked, this,
            [this, snips = snips, entry] { addSnip(snips, entry); });
    connect(findChild<QPushButton*>(del), &QPushButton::clicked, this, [this, snips = snips] { deleteSnip(snips); });
    connect(findChild<QPushButton*>(editButton), &QPushButton::clicked, this,
            [this, name = editCommand] { commands_->trigger(name); });
    connect(snips.list, &QListWidget::itemDoubleClicked, this, [this, snips = snips] { useSnip(snips); });
    // A right click selects the entry under the pointer, which the menu then edits.
    connect(snips.list, &QListWidget::customContextMenuRequested, this, [this, snips = snips](const QPoint& pos) {
      if (QListWidgetItem* item = snips.list->itemAt(pos)) snips.list->setCurrentItem(item);
      QMenu menu(this);
      commands_->fillMenu(menu, snips.file == std::string("urlsnips.dat") ? urlSnipMenu() : miscSnipMenu(), true);
      menu.exec(snips.list->viewport()->mapToGlobal(pos));
    });
  }
}

}  // namespace quillon
