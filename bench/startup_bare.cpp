// The reference for start-up time: a bare main window holding a QsciScintilla with a line of text, shown
// and painted once.
#include <Qsci/qsciscintilla.h>
#include <QApplication>
#include <QMainWindow>
#include <cstdlib>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  auto* editor = new QsciScintilla(&window);
  editor->setText("<HTML>");
  window.setCentralWidget(editor);
  window.resize(945, 650);
  window.show();
  QCoreApplication::processEvents();
  window.grab();  // the first complete paint of the window, text included
  std::_Exit(0);  // start-up ends here; closing down is not measured
}
