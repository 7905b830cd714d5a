#include <QApplication>
#include <QIcon>
#include <QTimer>

#include "app/ui/mainwindow.h"
#include "base/program_folders.h"
#include "platform/ui/qt_platform.h"

// quillon [FILE]: starts the program, opening FILE (an HTML page named by the desktop's "Open With") once
// the window is up.
int main(int argc, char** argv) {
  QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  QApplication::setApplicationName(quillon::kAppTitle);
  QApplication::setDesktopFileName("quillon");
  std::vector<std::string> unusable;
  const quillon::ProgramFolders folders = quillon::resolveProgramFolders(&unusable);
  QApplication::setWindowIcon(
      QIcon::fromTheme("quillon", QIcon(QString::fromStdString(folders.shared) + "quillon.svg")));
  quillon::QtPlatform desktop;
  quillon::TForm1 window(folders, desktop.platform());
  desktop.setParentWindow(&window);
  window.show();
  if (!unusable.empty())
    desktop.platform().prompts.error("Cannot make \"" + unusable.front() +
                                     "\". Settings, projects and backups cannot be saved until it can be made.");
  // QApplication has taken its own options out of argv; a name stays the bytes it was given.
  if (argc > 1) {
    const std::string file = argv[1];
    QTimer::singleShot(0, &window, [&window, file] { window.openGivenFile(file); });
  }
  return QApplication::exec();
}
