#include "platform/ui/qt_platform.h"

#include <QPrintDialog>
#include <QPrinter>

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>

#include "base/file_io.h"
#include "base/text_bytes.h"
#include "platform/ui/file_name_bytes.h"
#include "platform/ui/qt_text.h"

namespace quillon {

Answer QtPrompts::message(MessageKind kind, const std::string& caption, const std::string& text, Buttons buttons) {
  QMessageBox box(parent_);
  box.setWindowTitle(toQString(caption));
  box.setText(toQString(text));
  switch (kind) {
    case MessageKind::Info:
      box.setIcon(QMessageBox::Information);
      break;
    case MessageKind::Confirm:
      box.setIcon(QMessageBox::Question);
      break;
    case MessageKind::Warning:
      box.setIcon(QMessageBox::Warning);
      break;
    case MessageKind::Error:
      box.setIcon(QMessageBox::Critical);
      break;
  }
  switch (buttons) {
    case Buttons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case Buttons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case Buttons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case Buttons::YesNoAllCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::YesToAll | QMessageBox::NoToAll |
                             QMessageBox::Cancel);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Ok:
      return Answer::Ok;
    case QMessageBox::YesToAll:
      return Answer::YesToAll;
    case QMessageBox::NoToAll:
      return Answer::NoToAll;
    default:
      return buttons == Buttons::YesNo ? Answer::No : (buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel);
  }
}

QStringList qtNameFilters(const std::string& filter) {
  QStringList out;
  const QStringList parts = toQString(filter).split('|');
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
    // "*.*" means every file, also those without a dot in their names (most programs here).
    for (QString& pattern : patterns)
      if (pattern == "*.*") pattern = "*";
    out << parts[i] + " (" + patterns.join(' ') + ")";
  }
  return out;
}

std::optional<std::string> QtFileDialogs::choose(const FileDialogRequest& request) {
  QFileDialog dialog(parent_, toQString(request.title), toQString(request.initialDir));
  const bool save = request.mode == FileDialogRequest::Mode::Save;
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // Qt cannot tell whether a name that is not UTF-8 exists, so the dialog accepts any name and the file is
  // looked for by its bytes once chosen.
  dialog.setFileMode(QFileDialog::AnyFile);
  if (!request.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  const QStringList filters = qtNameFilters(request.filter);
  dialog.setNameFilters(filters);
  if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
    dialog.selectNameFilter(filters[request.filterIndex - 1]);
  if (!request.fileName.empty()) dialog.selectFile(toQString(request.fileName));
  while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    const std::string chosen = fileNameBytes(dialog.selectedFiles().first());
    if (save || (fileExists(chosen) && !isDirectory(chosen))) return chosen;
    QMessageBox::warning(&dialog, dialog.windowTitle(),
                         toQString(std::string(fileNamePart(chosen))) +
                             "\nFile not found.\nPlease verify the correct file name was given.");
  }
  return std::nullopt;
}

std::optional<ColourValue> QtColourDialogs::choose(ColourValue initial) {
  const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
  const QColor chosen = QColorDialog::getColor(start, parent_);
  if (!chosen.isValid()) return std::nullopt;
  return chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16);
}

// The exact bytes travel beside the text, so copying and pasting inside the program never re-encodes them.
static const char* const kBytesMime = "application/x-quillon-bytes";

std::string QtClipboard::text() const {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  if (data && data->hasFormat(kBytesMime)) {
    const QByteArray raw = data->data(kBytesMime);
    return std::string(raw.constData(), static_cast<size_t>(raw.size()));
  }
  return toBytes(QApplication::clipboard()->text());
}

bool QtClipboard::holdsOwnBytes() const {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  return data && data->hasFormat(kBytesMime);
}

void QtClipboard::setText(const std::string& bytes) {
  auto* data = new QMimeData;
  data->setText(toQString(bytes));
  data->setData(kBytesMime, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
  QApplication::clipboard()->setMimeData(data);
}
void QtClipboard::clear() { QApplication::clipboard()->clear(); }

int QtModalRunner::runModal(QDialog& dialog, bool) { return dialog.exec(); }

QtPlatform::QtPlatform() : platform_{prompts_, files_, colours_, clipboard_, modal_, prints_} {}

bool QtPrintDialogs::choose(QPrinter& printer, const std::string& jobTitle) {
  printer.setDocName(toQString(jobTitle));
  QPrintDialog dialog(&printer, parent_);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace quillon
