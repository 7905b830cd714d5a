#include "publish/ui/embedded_browser.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>


namespace quillon {

EmbeddedBrowser::EmbeddedBrowser() : folder_(QCoreApplication::applicationDirPath()) {}

QString EmbeddedBrowser::modulePath() const { return folder_ + "/libquillon_browser.so"; }

bool EmbeddedBrowser::installed() const { return QFileInfo(modulePath()).isFile(); }

QWidget* EmbeddedBrowser::create(QWidget* parent) {
  using Factory = QWidget* (*)(QWidget*);
  QLibrary module(modulePath());
  const auto factory = reinterpret_cast<Factory>(module.resolve("quillon_create_browser"));
  return factory ? factory(parent) : nullptr;
}

}  // namespace quillon
