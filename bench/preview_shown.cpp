// bench_preview_shown DATA FOLDER: Extended Replace's Preview of every "alpha" in the files under FOLDER,
// timed from the click to the painted list of matches (seconds, then the count the dialog gives, on
// standard output). DATA is a scratch data folder.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <cstdio>

#include "platform/ui/byte_items.h"
#include "platform/ui/qt_platform.h"
#include "project/site_files.h"
#include "project/ui/big_replace_form.h"

int main(int argc, char** argv) {
  using namespace quillon;
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fputs("usage: bench_preview_shown DATA FOLDER\n", stderr);
    return 2;
  }
  const std::string data = std::string(argv[1]) + "/";
  SkippedFiles skipped;
  const std::vector<std::string> files = filesInFolder(argv[2], "", true, skipped);
  QtPlatform desktop;
  TFormBigReplace form(desktop.platform(), {data, data + "projects/", "", "11_12_2026", 10});
  form.resize(900, 700);
  form.show();
  app.processEvents();
  form.findChild<QLineEdit*>("EditFind")->setText("alpha");
  form.findChild<QRadioButton*>("RadioFiles")->click();
  auto* list = form.findChild<QListWidget*>("ListBoxFiles");
  for (const std::string& f : files) addByteItem(list, f);
  auto* tree = form.findChild<QTreeWidget*>("TreeResults");
  app.processEvents();

  QElapsedTimer clock;
  clock.start();
  form.findChild<QPushButton*>("ButtonPreview")->click();
  tree->repaint();
  app.processEvents();
  const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
  std::printf("%.6f %s\n", seconds, qPrintable(form.findChild<QLabel*>("LabelCount")->text().section(' ', 0, 0)));
  return 0;
}
