#include "publish/ui/embedded_browser.h"

#include <QFileInfo>
#include <QLibrary>
#include <QUrl>
#include <QWidget>


namespace quillon {

EmbeddedBrowser::EmbeddedBrowser(const std::string& moduleFolder) : folder_(QString::fromStdString(moduleFolder)) {}

QString EmbeddedBrowser::modulePath() const { return folder_ + "libquillon_browser.so"; }

bool EmbeddedBrowser::installed() const { return QFileInfo(modulePath()).isFile(); }

QWidget* EmbeddedBrowser::create(QWidget* parent) {
  using Factory = QWidget* (*)(QWidget*);
  QLibrary module(modulePath());
  const auto factory = reinterpret_cast<Factory>(module.resolve("quillon_create_browser"));
  return factory ? factory(parent) : nullptr;
}

void EmbeddedBrowser::navigate(QWidget* view, const QString& address) {
  if (view) view->setProperty("url", QUrl(address));
}

bool EmbeddedBrowser::go(QWidget* view, int step) const {
  using Go = bool (*)(QWidget*, int);
  QLibrary module(modulePath());
  const auto go = reinterpret_cast<Go>(module.resolve("quillon_browser_go"));
  return view && go && go(view, step);
}

void EmbeddedBrowser::stop(QWidget* view) {
  if (view) QMetaObject::invokeMethod(view, "stop");
}

}  // namespace quillon
