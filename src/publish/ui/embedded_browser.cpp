#include "publish/ui/embedded_browser.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLibrary>
#include <QProcess>
#include <QUrl>
#include <QWidget>
#include <optional>

#include "publish/browser_start.h"

namespace quillon {

EmbeddedBrowser::EmbeddedBrowser(const std::string& moduleFolder) : folder_(QString::fromStdString(moduleFolder)) {}

QString EmbeddedBrowser::modulePath() const { return folder_ + "libquillon_browser.so"; }

bool EmbeddedBrowser::installed() const { return QFileInfo(modulePath()).isFile(); }

// A browser engine that refuses to start (run as root with its sandbox on, no usable graphics, a broken
// installation) ends the process it starts in, which would take unsaved work with it: so it is first
// started in a process of its own.
std::string EmbeddedBrowser::engineProblem() const {
  static std::optional<std::string> known;
  if (known) return *known;
  const QString check = folder_ + "quillon-browser-check";
  if (!QFileInfo(check).isExecutable()) {
    known = "The browser engine check \"" + check.toStdString() + "\" is missing, so the browser pane is not started.";
    return *known;
  }
  QProcess process;
  process.setProcessChannelMode(QProcess::SeparateChannels);
  process.setStandardOutputFile(QProcess::nullDevice());
  QStringList arguments;
  if (!QGuiApplication::platformName().isEmpty()) arguments << "-platform" << QGuiApplication::platformName();
  process.start(check, arguments);
  if (!process.waitForStarted(10000)) {
    known = "The browser engine check cannot be started: " + process.errorString().toStdString();
    return *known;
  }
  if (!process.waitForFinished(30000)) {
    process.kill();
    process.waitForFinished(2000);
    known = std::string("The browser engine did not start within 30 seconds.");
    return *known;
  }
  const bool crashed = process.exitStatus() == QProcess::CrashExit;
  if (!crashed && process.exitCode() == 0) {
    known = std::string();
  } else {
    known = browserStartFailure(process.readAllStandardError().toStdString(), process.exitCode(), crashed);
  }
  return *known;
}

QWidget* EmbeddedBrowser::create(QWidget* parent, std::string& failure) {
  failure = engineProblem();
  if (!failure.empty()) return nullptr;
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
