// The reference for start-up time: a bare main window holding a QsciScintilla, shown and painted once.
#include <QApplication>
#include <QMainWindow>
#include <Qsci/qsciscintilla.h>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  auto* editor = new QsciScintilla(&window);
  window.setCentralWidget(editor);
  window.resize(945, 650);
  window.show();
  QCoreApplication::processEvents();
  return 0;
}
