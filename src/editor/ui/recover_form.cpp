#include "editor/ui/recover_form.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/file_io.h"
#include "base/text_bytes.h"
#include "editor/line_diff.h"
#include "editor/page_reading.h"
#include "platform/ui/dialog_parts.h"
#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"

namespace quillon {

namespace {

// A text of the page's encoding as the window shows it.
QString shown(const std::string& bytes, const std::string& encoding) {
  const auto reading = readingNamed(bytes, encoding == "8-bit" ? "ISO-8859-1" : encoding);
  if (reading && !reading->utf8 && !reading->transcoded)
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  const std::string text = reading ? windowTextOf(bytes, *reading) : bytes;
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Whether the page's file was written after the copy was made: the recovered text then misses what changed.
bool changedSince(const RecoveryCopy& copy) {
  if (copy.pagePath.empty()) return false;
  const auto stamp = stampOf(copy.pagePath);
  return stamp && stamp->modifiedNs / 1000000000 > copy.savedAt;
}

}  // namespace

TFormRecover::TFormRecover(Platform& platform, const RecoveryCopy& copy, QWidget* parent)
    : QDialog(parent), platform_(platform), copy_(copy) {
  setObjectName("TFormRecover");
  setWindowTitle("Recover Unsaved Edits");
  auto* v = new QVBoxLayout(this);
  const QString when = QDateTime::fromSecsSinceEpoch(copy.savedAt).toString("yyyy-MM-dd HH:mm:ss");
  const QString page = copy.pagePath.empty() ? QString("An untitled page") : toQString(copy.pagePath);
  LabelPage = named(new QLabel(page +
                                   "\nhad edits that were not saved when the program ended. The copy kept of them "
                                   "is from " +
                                   when + "." +
                                   QString(changedSince(copy) ? "\n\nThe file has been changed on disk since then: "
                                                                "Compare shows how it differs from the recovered text."
                                                              : ""),
                               this),
                    "LabelPage");
  LabelPage->setWordWrap(true);
  v->addWidget(LabelPage);
  auto* buttons = new QHBoxLayout;
  ButtonRecover = namedButton("&Recover", "ButtonRecover", this);
  ButtonRecover->setToolTip("Open the page with the recovered text, to look it over and save it");
  ButtonRecover->setDefault(true);
  ButtonCompare = namedButton("&Compare...", "ButtonCompare", this);
  ButtonCompare->setToolTip("Show how the recovered text differs from the file on disk");
  ButtonCompare->setEnabled(!copy.pagePath.empty());
  ButtonDiscard = namedButton("&Discard", "ButtonDiscard", this);
  ButtonDiscard->setToolTip("Throw the recovered text away");
  buttons->addWidget(ButtonRecover);
  buttons->addWidget(ButtonCompare);
  buttons->addStretch();
  buttons->addWidget(ButtonDiscard);
  v->addLayout(buttons);
  connect(ButtonRecover, &QPushButton::clicked, this, [this] {
    choice_ = Choice::Recover;
    accept();
  });
  connect(ButtonDiscard, &QPushButton::clicked, this, [this] {
    if (platform_.prompts.message(MessageKind::Confirm, windowTitle().toStdString(),
                                  "Throw the recovered edits away? They cannot be got back.",
                                  Buttons::YesNo) != Answer::Yes)
      return;
    choice_ = Choice::Discard;
    accept();
  });
  connect(ButtonCompare, &QPushButton::clicked, this, [this] { ButtonCompareClick(); });
}

void TFormRecover::ButtonCompareClick() {
  const auto stamp = stampOf(copy_.pagePath);
  const auto onDisk = stamp && fileExists(copy_.pagePath) ? readWholeFile(copy_.pagePath) : std::nullopt;
  QString text;
  if (!stamp) {
    text = "The file " + toQString(copy_.pagePath) + " is no longer there: the recovered text is all there is.";
  } else if (!onDisk) {
    text = "The file " + toQString(copy_.pagePath) +
           " cannot be read as a page now (it is not a plain file, or it is not readable): the recovered text is "
           "all there is.";
  } else {
    const std::string differences = lineDifferences(*onDisk, copy_.bytes);
    text = differences.empty() ? QString("The recovered text is the same as the file on disk.")
                               : "Lines starting with - are in the file on disk, lines starting with + in the "
                                 "recovered text.\n\n" +
                                     shown(differences, copy_.encoding);
  }
  QDialog window(this);
  window.setObjectName("TFormRecoverCompare");
  window.setWindowTitle("Recovered Text and File on Disk");
  auto* v = new QVBoxLayout(&window);
  auto* view = named(new QPlainTextEdit(text, &window), "MemoDifferences");
  view->setReadOnly(true);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  view->setMinimumSize(560, 320);
  v->addWidget(view);
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close, &window);
  connect(close, &QDialogButtonBox::rejected, &window, &QDialog::reject);
  v->addWidget(close);
  platform_.modal.runModal(window);
}

}  // namespace quillon
