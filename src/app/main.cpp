#include <QApplication>

#include "app/program_dir.h"
#include "app/ui/mainwindow.h"
#include "platform/ui/qt_platform.h"

int main(int argc, char** argv) {
  QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  QApplication::setApplicationName(quillon::kAppTitle);
  quillon::QtPlatform desktop;
  quillon::TForm1 window(quillon::resolveProgramDirectory(), desktop.platform());
  desktop.setParentWindow(&window);
  window.show();
  return QApplication::exec();
}
