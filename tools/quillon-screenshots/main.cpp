// quillon-screenshots OUTDIR [System|Light|Dark]: pictures of the main window (default and minimum size), the splash,
// each tab of the Settings dialog and every other dialog, as PNG files, for a reviewer to look at. Run it on a real X
// display (tools/screenshots.sh starts one with Xvfb); the program's settings go to a scratch folder, with
// the colour scheme given (System when none is), and the main window shows a small coloured page.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "app/ui/command_registry.h"
#include "app/ui/mainwindow.h"
#include "app/ui/window_factory.h"
#include "base/file_io.h"
#include "base/program_folders.h"
#include "platform/ui/qt_platform.h"

namespace {

void settle(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

QString fileNameFor(QString name) {
  for (QChar& c : name)
    if (!c.isLetterOrNumber()) c = '-';
  return name;
}

bool save(QWidget& window, const QDir& out, const QString& name) {
  const QString path = out.filePath(fileNameFor(name) + ".png");
  const bool ok = window.grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2 && argc != 3) {
    std::fputs("usage: quillon-screenshots OUTDIR [System|Light|Dark]\n", stderr);
    return 2;
  }
  QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.mkpath(".")) {
    std::fprintf(stderr, "quillon-screenshots: cannot make %s\n", argv[1]);
    return 1;
  }
  QTemporaryDir scratch;
  // The shipped files of this build (help, icons, dictionary); the settings of a first start without tips.
  quillon::ProgramFolders folders = quillon::chooseProgramFolders(quillon::factsOfThisProcess());
  folders.data = scratch.path().toStdString() + "/";
  const std::string scheme = argc == 3 ? argv[2] : "System";
  quillon::writeFileAtomic(folders.data + "OPTIONS.INI",
                           "[Help]\r\nShowTips=0\r\n[Editor]\r\nRestorePages=0\r\nScheme=" + scheme + "\r\n");
  quillon::seedDataFolder(folders);
  const std::string page = folders.data + "sample.html";
  quillon::writeFileAtomic(
      page,
      "<HTML>\r\n<HEAD><TITLE>Sample page</TITLE></HEAD>\r\n<BODY>\r\n<H1>Our sample page</H1>\r\n"
      "<P>Text with <A HREF=\"next.html\">a link</A>, <IMG SRC=\"logo.png\" ALT=\"logo\"> and\r\n"
      "<FONT COLOR=\"#336699\">coloured words</FONT>.</P>\r\n<TABLE><TR><TD>cell</TD></TR></TABLE>\r\n"
      "<UL><LI>one<LI>two</UL>\r\n</BODY>\r\n</HTML>\r\n");

  bool ok = true;
  // The splash runs modally inside the main window's start-up; it is taken while it shows.
  QTimer::singleShot(400, [&] {
    if (QWidget* splash = QApplication::activeModalWidget()) ok &= save(*splash, out, "splash");
  });
  quillon::QtPlatform desktop;
  quillon::TForm1 window(folders, desktop.platform());
  desktop.setParentWindow(&window);
  window.show();
  window.openGivenFile(page);
  window.commands().trigger("BitBtnColorNowClick");
  settle(500);
  ok &= save(window, out, "main-window");
  const QSize normal = window.size();
  window.resize(window.minimumSize());
  settle(300);
  ok &= save(window, out, "main-window-minimum");
  window.resize(normal);

  for (const std::string& name : quillon::windowClasses()) {
    std::unique_ptr<QWidget> dialog = quillon::createWindow(name, folders, desktop.platform());
    if (!dialog) continue;
    dialog->show();
    settle(250);
    if (auto* tabs = dialog->findChild<QTabWidget*>(); tabs && name == "TFormOptions") {
      for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        settle(150);
        ok &= save(*dialog, out, "settings-" + QString::number(i + 1) + "-" + tabs->tabText(i).remove('&'));
      }
    } else if (tabs) {
      for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        settle(150);
        ok &= save(*dialog, out, QString::fromStdString(name) + "-" + QString::number(i + 1));
      }
    } else {
      ok &= save(*dialog, out, QString::fromStdString(name));
    }
    dialog->hide();
  }
  return ok ? 0 : 1;
}
