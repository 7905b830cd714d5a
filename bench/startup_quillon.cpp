// Start-up to the first shown main window, with the splash's 2.2-second timer left out: the splash is
// closed as soon as it would show, and the tip of the day is not shown.
#include <QApplication>
#include <cstdlib>

#include "app/ui/mainwindow.h"
#include "base/program_folders.h"
#include "platform/ui/qt_platform.h"

namespace {
class NoWaitModal : public quillon::ModalRunner {
 public:
  int runModal(QDialog&, bool selfClosing) override { return selfClosing ? QDialog::Accepted : QDialog::Rejected; }
};
}  // namespace

int main(int argc, char** argv) {
  QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  quillon::QtPlatform desktop;
  NoWaitModal modal;
  quillon::Platform platform{desktop.platform().prompts,
                             desktop.platform().fileDialogs,
                             desktop.platform().colourDialogs,
                             desktop.platform().clipboard,
                             modal,
                             desktop.platform().printDialogs};
  quillon::TForm1 window(quillon::resolveProgramFolders(), platform);
  window.show();
  QCoreApplication::processEvents();
  window.grab();  // the first complete paint of the window, text included
  std::_Exit(0);  // start-up ends here; closing down is not measured
}
