#include "app/ui/preview_pane.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"
#include "publish/ui/embedded_browser.h"

namespace quillon {

PreviewPane::PreviewPane(QWidget& window, QWidget& editor, Platform& platform, std::string modulesDir)
    : QObject(&window),
      editor_(editor),
      platform_(platform),
      modulesDir_(std::move(modulesDir)),
      container_(window.findChild<QWidget*>("OleContainer1")),
      controls_(window.findChild<QFrame*>("PanelMSIE")),
      editTab_(window.findChild<QLabel*>("PanelE")),
      strip_(window.findChild<QLabel*>("PanelP")),
      browserTab_(window.findChild<QLabel*>("PanelIE")) {
  buildControls();
}

bool PreviewPane::checkInstalled() {
  available_ = EmbeddedBrowser(modulesDir_).installed();
  return available_;
}

void PreviewPane::buildControls() {
  auto* h = new QHBoxLayout(controls_);
  h->setContentsMargins(2, 2, 2, 2);
  auto* caption = named(new QLabel("MSIE Controls", controls_), "LabelMSIE");
  auto* back = named(new QPushButton("Back", controls_), "BitBtn6");
  auto* next = named(new QPushButton("Next", controls_), "BitBtn7");
  auto* stop = named(new QPushButton("Stop", controls_), "BitBtn5");
  auto* address = named(new QLineEdit("Enter an HTTP web address here", controls_), "Edit1", "Web address");
  auto* go = named(new QPushButton("GO!", controls_), "Button3");
  auto* hide = named(new QPushButton("X", controls_), "BitBtn8");
  for (QWidget* w : std::initializer_list<QWidget*>{caption, back, next, stop, address, go, hide}) h->addWidget(w);
  controls_->setFrameShape(QFrame::StyledPanel);
  controls_->adjustSize();
  connect(back, &QPushButton::clicked, this, [this] {
    if (!EmbeddedBrowser(modulesDir_).go(view_, -1))
      platform_.prompts.info("You are at the initial page -- you cannot go back further.");
  });
  connect(next, &QPushButton::clicked, this, [this] {
    if (!EmbeddedBrowser(modulesDir_).go(view_, 1))
      platform_.prompts.info("You are at the last page -- there is no NEXT page to view.");
  });
  connect(stop, &QPushButton::clicked, this, [this] { EmbeddedBrowser::stop(view_); });
  connect(go, &QPushButton::clicked, this, [this, address] {
    const QUrl url = QUrl::fromUserInput(address->text());
    if (!view_ || !url.isValid() || url.isEmpty()) {
      platform_.prompts.info(
          "Unable to connect to address listed. Please be sure it is a valid web address (http://....)");
      return;
    }
    EmbeddedBrowser::navigate(view_, url.toString());
    container_->show();
  });
  connect(hide, &QPushButton::clicked, controls_, &QWidget::hide);
}

bool PreviewPane::show(const std::string& url, bool withControls, std::string& failure) {
  if (!view_) {
    view_ = EmbeddedBrowser(modulesDir_).create(container_, failure);
    if (!view_) return false;
    auto* layout = new QHBoxLayout(container_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
  }
  markTab(browserTab_);
  EmbeddedBrowser::navigate(view_, toQString(url));
  editor_.hide();
  container_->show();
  shown_ = true;
  if (withControls) controls_->show();
  return true;
}

void PreviewPane::showEditor() {
  controls_->hide();
  if (available_) container_->hide();
  if (view_) EmbeddedBrowser::stop(view_);
  shown_ = false;
  editor_.show();
  markTab(editTab_);
}

// The tab of the pane in front is green, the others grey.
void PreviewPane::markTab(QLabel* current) {
  for (QLabel* tab : {editTab_, strip_, browserTab_})
    tab->setStyleSheet(tab == current ? "background-color: #00FF00;" : "background-color: #808080;");
}

}  // namespace quillon
