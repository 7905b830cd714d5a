// quillon-browser-check: starts the browser engine the way the embedded-browser module does and loads an
// empty page. Exits 0 when the engine works; otherwise with the engine's own exit status (or 1), its reason
// on standard error. The program runs it before making its browser pane, because an engine that refuses to
// start ends the whole process it is in.
#include <QApplication>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  QWebEngineView view;
  int result = 1;
  QObject::connect(&view, &QWebEngineView::loadFinished, &app, [&](bool ok) {
    if (!ok) std::fputs("The browser engine could not load an empty page.\n", stderr);
    result = ok ? 0 : 1;
    app.quit();
  });
  QTimer::singleShot(20000, &app, [&] {
    std::fputs("The browser engine did not load an empty page within 20 seconds.\n", stderr);
    app.quit();
  });
  view.setUrl(QUrl("about:blank"));
  QApplication::exec();
  return result;
}
