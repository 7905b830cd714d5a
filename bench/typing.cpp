// Keystroke-to-paint latency of the editing window: a key typed at a random place, then the window drawn,
// KEYS times (200), median and worst. "bare" is a QsciScintilla as it comes; "off" is ours with colouring
// as you type off; "on" with it on (and tag completion). NO_WRAP=1 turns word wrap off; NO_NOTICES=1 stops
// the widget's change notices (to measure what they cost).   usage: bench_typing FILE bare|off|on [KEYS]
#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include "base/colour_names.h"
#include "editor/ui/colour_as_you_type.h"
#include "editor/ui/editor_accessible.h"
#include "editor/ui/editor_bytes.h"
#include "editor/ui/tag_completer.h"
#include "editor/ui/tag_styles.h"

using namespace quillon;
using Clock = std::chrono::steady_clock;

static long residentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) return 2;
  std::ifstream in(argv[1], std::ios::binary);
  std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const bool wrap = !std::getenv("NO_WRAP");
  const std::string mode = argv[2];
  if (mode != "bare") editor_accessible::install();  // before the window is made, as the program does
  QsciScintilla editor;
  editor.resize(900, 700);
  editor.show();
  ColourAsYouType* colouring = nullptr;
  if (mode != "bare") {
    tag_styles::install(editor);
    colouring = new ColourAsYouType(editor);
    std::array<ColourValue, 6> colours;
    colours.fill(ColorFromName("clRed"));
    colouring->setColours(colours);
    colouring->setOn(mode == "on");
    if (mode == "on") new TagCompleter(editor, [] { return true; });
    editor_bytes::setWordWrap(editor, wrap);
    editor_bytes::load(editor, page);
  } else {
    editor.SendScintilla(QsciScintillaBase::SCI_SETWRAPMODE, wrap ? QsciScintillaBase::SC_WRAP_WORD : 0);
    editor.SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, page.size(), page.data());
  }
  if (std::getenv("NO_NOTICES")) editor.SendScintilla(QsciScintillaBase::SCI_SETMODEVENTMASK, 0UL);
  // The bench's own copy of the page goes before the program's memory is measured.
  const size_t size = page.size();
  std::string().swap(page);
  app.processEvents();
  const long before = residentKb();
  std::mt19937 random(7);
  std::vector<double> ms;
  const int keys = argc > 3 ? std::atoi(argv[3]) : 200;
  for (int i = 0; i < keys; ++i) {
    const long at = static_cast<long>(random() % size);
    editor.SendScintilla(QsciScintillaBase::SCI_GOTOPOS, static_cast<unsigned long>(at));
    editor.SendScintilla(QsciScintillaBase::SCI_SCROLLCARET);
    app.processEvents();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, "x");
    const auto start = Clock::now();
    QApplication::sendEvent(editor.viewport(), &press);
    QApplication::sendEvent(editor.viewport(), &release);
    editor.viewport()->repaint();
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  // What idle time still does after the typing (the rest of the page styled) is not a keystroke's.
  for (int i = 0; i < 50; ++i) app.processEvents();
  std::sort(ms.begin(), ms.end());
  std::printf("%.3f %.3f %ld %ld\n", ms[ms.size() / 2], ms.back(), residentKb(), before);
  return 0;
}
