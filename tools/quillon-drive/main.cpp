// quillon-drive: runs the real main window from a script under the offscreen platform.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <memory>

#include "app/ui/command_registry.h"
#include "app/ui/mainwindow.h"
#include "app/ui/window_factory.h"
#include "base/file_io.h"
#include "base/program_folders.h"
#include "driver.h"
#include "platform/ui/qt_text.h"
#include "script.h"
#include "transcript.h"
#include "widget_actions.h"

namespace {

int usage() {
  std::fputs(
      "usage: quillon-drive [--program-dir DIR] SCRIPT\n"
      "       quillon-drive [--program-dir DIR] --list-commands\n"
      "       quillon-drive [--program-dir DIR] --list-controls CLASS\n",
      stderr);
  return 2;
}

quillon::ProgramFolders foldersFrom(const std::string& option) {
  if (!option.empty()) return quillon::singleProgramFolder(option);
  return quillon::resolveProgramFolders();
}

void listControls(QWidget& window) {
  const auto children = window.findChildren<QWidget*>();
  for (QWidget* w : children) {
    const QString name = w->objectName();
    if (name.isEmpty() || name.startsWith("qt_")) continue;
    std::printf("%s\t%s\t%s\n", name.toUtf8().constData(), quillon::drive::kindOf(w).toUtf8().constData(),
                quillon::drive::captionOf(w).toUtf8().constData());
  }
}

}  // namespace

// The script's text, from a file or from standard input ("-"); false when it cannot be read (said).
bool readScript(const std::string& script, std::string& text) {
  if (script == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return true;
  }
  const auto data = quillon::readWholeFile(script);
  if (!data) {
    std::fprintf(stderr, "quillon-drive: cannot read %s\n", script.c_str());
    return false;
  }
  text = *data;
  return true;
}

int main(int argc, char** argv) {
  std::string programDirOption, script, listClass;
  bool listCommands = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--program-dir" && i + 1 < argc)
      programDirOption = argv[++i];
    else if (arg == "--list-commands")
      listCommands = true;
    else if (arg == "--list-controls" && i + 1 < argc)
      listClass = argv[++i];
    else if (script.empty() && (arg == "-" || arg.rfind("--", 0) != 0))
      script = arg;
    else
      return usage();
  }
  if (!listCommands && listClass.empty() && script.empty()) return usage();

  std::string scriptText;
  if (!script.empty() && !readScript(script, scriptText)) return 2;

  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Scripts run in containers, often as root, where the engine needs its sandbox off; a caller that sets
  // the flags itself (to see the engine refuse) keeps them.
  if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS"))
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
  QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  QApplication::setApplicationName(quillon::kAppTitle);
  const quillon::ProgramFolders folders = foldersFrom(programDirOption);

  const bool permissive = listCommands || !listClass.empty();
  quillon::drive::Driver driver(permissive);

  if (!listClass.empty() && listClass != "TForm1") {
    std::unique_ptr<QWidget> window = quillon::createWindow(listClass, folders, driver.platform());
    if (!window) {
      std::string known = "TForm1";
      for (const std::string& name : quillon::windowClasses()) known += " " + name;
      std::fprintf(stderr, "quillon-drive: unknown window class %s (known: %s)\n", listClass.c_str(), known.c_str());
      return 2;
    }
    listControls(*window);
    return 0;
  }

  quillon::drive::ParseResult parsed;
  size_t firstAction = 0;
  if (!script.empty()) {
    parsed = quillon::drive::parseScript(scriptText);
    if (parsed.error) {
      quillon::drive::writeLine("ERROR line " + std::to_string(parsed.error->first) + ": " + parsed.error->second);
      return 1;
    }
    firstAction = driver.queueBeforeStart(parsed.directives);
  }

  quillon::TForm1 window(folders, driver.platform());
  driver.setMainWindow(&window);
  if (listCommands) {
    for (const auto& c : window.commands().commands())
      std::printf("%s\t%s\t%s\n", c.name.c_str(), window.commands().works(c.name) ? "works" : "not built",
                  c.caption.c_str());
    return 0;
  }
  if (!listClass.empty()) {
    listControls(window);
    return 0;
  }

  window.show();
  window.activateWindow();
  QApplication::setActiveWindow(&window);
  return driver.run(parsed.directives, firstAction);
}
