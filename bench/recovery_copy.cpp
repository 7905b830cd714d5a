// bench_recovery_copy DATA_FOLDER: a 50 MB page in an editing window, edited in the middle, then copied
// for recovery as the program does it, piece by piece on the window's thread and written on another.
// Prints the longest the window's event loop waited while the copy was taken, and the time until the copy
// was on disk, in seconds (worst of five).
#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <string>

#include "editor/recovery_copies.h"
#include "editor/ui/editor_bytes.h"
#include "editor/ui/recovery_snapshot.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: bench_recovery_copy DATA_FOLDER\n", stderr);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QsciScintilla editor;
  std::string page;
  while (page.size() < 50'000'000) page += "<P>a line of the page, long enough to be a real one</P>\r\n";
  quillon::editor_bytes::load(editor, page);
  quillon::RecoveryKeeper keeper(argv[1]);
  double worstPause = 0, worstWritten = 0;
  for (int i = 0; i < 5; ++i) {
    quillon::editor_bytes::replaceRange(editor, static_cast<long>(page.size() / 2 + i), 0, "x");  // gap mid-page
    QElapsedTimer total, sinceTick;
    bool taken = false;
    quillon::RecoverySnapshot snapshot(editor, [&](std::string bytes) {
      keeper.keep(std::move(bytes), "/site/page.html", "UTF-8");
      taken = true;
    });
    // A probe that runs at every turn of the event loop: the longest gap between two runs is the pause.
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
      worstPause = std::max(worstPause, sinceTick.nsecsElapsed() / 1e9);
      sinceTick.restart();
      if (taken) {
        probe.stop();
        app.quit();
      }
    });
    total.start();
    sinceTick.start();
    snapshot.start();
    probe.start();
    app.exec();
    keeper.waitUntilWritten();
    worstWritten = std::max(worstWritten, total.nsecsElapsed() / 1e9);
  }
  std::printf("%.6f %.6f\n", worstPause, worstWritten);
  return 0;
}
