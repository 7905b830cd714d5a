#include "builders/ui/help_on_top_form.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

#include "base/file_io.h"
#include "builders/help_pages.h"
#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"

namespace quillon {

namespace {

constexpr int kInitialWidth = 420;
constexpr int kInitialHeight = 360;
constexpr int kViewerMarginWidth = 15;
constexpr int kViewerMarginHeight = 68;
constexpr int kButtonGap = 4;
constexpr int kViewerInset = 4;  // a little frame round the viewer, inside the margins above
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

}  // namespace

TFormHelpOnTop::TFormHelpOnTop(Prompts& prompts, const Start& start, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), prompts_(prompts), helpDir_(start.helpDir) {
  setObjectName("TFormHelpOnTop");
  setWindowTitle("Help On Top");
  REHelp = named(new QTextBrowser(this), "REHelp", "Help");
  REHelp->setOpenLinks(false);
  BitBtn1 = named(new QPushButton("Next", this), "BitBtn1");
  BitBtn1->setDefault(true);
  BitBtn2 = named(new QPushButton("Prev", this), "BitBtn2");
  LabelHint = named(new QLabel("Resize me by dragging on one of my corners. Move me anywhere on the screen by dragging "
                               "my title bar above.",
                               this),
                    "LabelHint");
  LabelHint->setWordWrap(true);
  LabelHint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QFont small = LabelHint->font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  LabelHint->setFont(small);
  connect(BitBtn1, &QPushButton::clicked, this, [this] {
    if (page_ + 1 < pages_.size()) showPage(page_ + 1);
  });
  connect(BitBtn2, &QPushButton::clicked, this, [this] {
    if (page_ > 0) showPage(page_ - 1);
  });
  resize(kInitialWidth, kInitialHeight);

  const auto list = readWholeFile(helpDir_ + "welcome.fil");
  if (list) pages_ = helpPageList(*list);
  if (pages_.empty()) {
    // Said once the window is in place, so whoever opened it can see that it was not shown.
    QTimer::singleShot(0, this, [this] {
      prompts_.error(
          "Unable to open the Help files. Have you deleted them?\rReinstall Quillon Pro to recreate the Help files.");
      close();
    });
    return;
  }
  opened_ = true;
  showPage(firstHelpPage(pages_, start.helpMode, start.documentName));
}

void TFormHelpOnTop::showPage(size_t index) {
  page_ = index;
  REHelp->clear();
  BitBtn2->setEnabled(page_ > 0);
  BitBtn1->setEnabled(page_ + 1 < pages_.size());
  const std::string& name = pages_[page_];
  const auto bytes = readWholeFile(helpDir_ + name);
  if (!bytes) {
    prompts_.error("The help page " + name + " cannot be read.");
    return;
  }
  const QString text = toQString(*bytes);
  if (Qt::mightBeRichText(text))
    REHelp->setHtml(text);
  else
    REHelp->setPlainText(text);
}

// The first resize is the window's own placing; any later one is the user's, which the viewer follows.
void TFormHelpOnTop::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int viewerHeight = std::max(0, height() - kViewerMarginHeight);
  const int buttonsTop = kViewerInset + viewerHeight + kButtonGap;
  REHelp->setGeometry(kViewerInset, kViewerInset, std::max(0, width() - kViewerMarginWidth), viewerHeight);
  BitBtn2->setGeometry(8, buttonsTop, kButtonWidth, kButtonHeight);
  BitBtn1->setGeometry(8 + kButtonWidth + 8, buttonsTop, kButtonWidth, kButtonHeight);
  // The hint takes what is left beside the buttons, down to the bottom edge.
  const int hintLeft = 8 + 2 * (kButtonWidth + 8);
  LabelHint->setGeometry(hintLeft, buttonsTop - 2, std::max(0, width() - hintLeft - 4),
                         std::max(0, height() - buttonsTop));
  if (++resizes_ > 1) LabelHint->hide();
}

void TFormHelpOnTop::closeEvent(QCloseEvent* event) {
  emit closed();
  QWidget::closeEvent(event);
}

}  // namespace quillon
