#include "driver.h"

#include <QPrinter>

#include <Qsci/qsciscintilla.h>
#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>

#include "app/ui/command_registry.h"
#include "app/ui/files_tab.h"
#include "app/ui/mainwindow.h"
#include "base/file_io.h"
#include "editor/ui/editor_bytes.h"
#include "platform/ui/background_work.h"
#include "platform/ui/qt_text.h"
#include "transcript.h"
#include "widget_actions.h"

namespace quillon::drive {

namespace {

const char* kindName(MessageKind kind) {
  switch (kind) {
    case MessageKind::Info:
      return "info";
    case MessageKind::Confirm:
      return "confirm";
    case MessageKind::Warning:
      return "warning";
    case MessageKind::Error:
      return "error";
  }
  return "info";
}

const char* answerName(Answer a) {
  switch (a) {
    case Answer::Ok:
      return "OK";
    case Answer::Yes:
      return "Yes";
    case Answer::No:
      return "No";
    case Answer::Cancel:
      return "Cancel";
    case Answer::YesToAll:
      return "YesToAll";
    case Answer::NoToAll:
      return "NoToAll";
  }
  return "OK";
}

bool fits(Answer a, Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
      return a == Answer::Ok;
    case Buttons::YesNo:
      return a == Answer::Yes || a == Answer::No;
    case Buttons::YesNoCancel:
      return a == Answer::Yes || a == Answer::No || a == Answer::Cancel;
    case Buttons::YesNoAllCancel:
      return a != Answer::Ok;
  }
  return false;
}

std::optional<int> toInt(const std::string& s) {
  try {
    size_t used = 0;
    const int v = std::stoi(s, &used);
    if (used == s.size()) return v;
  } catch (...) {
  }
  return std::nullopt;
}

}  // namespace

Driver::Driver(bool permissive) : permissive_(permissive), platform_{*this, *this, *this, clipboard_, *this, *this} {}

void Driver::fail(int line, const std::string& reason) {
  if (failed()) return;
  failed_ = true;
  errorLine_ = line ? line : currentLine_;
  errorReason_ = reason;
}

Answer Driver::message(MessageKind kind, const std::string& caption, const std::string& text, Buttons buttons) {
  const Answer fallback = buttons == Buttons::Ok ? Answer::Ok : buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
  if (permissive_) return buttons == Buttons::Ok ? Answer::Ok : fallback;
  if (failed()) return fallback;
  const std::string head =
      std::string("MESSAGE ") + kindName(kind) + " " + jsonString(caption) + " " + jsonString(text);
  if (answers_.empty()) {
    writeLine(head + " -> (nothing queued)");
    fail(currentLine_, "a message box with nothing queued for it");
    return fallback;
  }
  const QueuedAnswer queued = answers_.front();
  answers_.pop_front();
  if (queued.text && *queued.text != text) {
    fail(queued.line, "the message box text was " + jsonString(text));
    return fallback;
  }
  if (!fits(queued.answer, buttons)) {
    fail(queued.line, std::string("the answer ") + answerName(queued.answer) + " is not a button of this message box");
    return fallback;
  }
  writeLine(head + " -> " + answerName(queued.answer));
  return queued.answer;
}

std::optional<std::string> Driver::choose(const FileDialogRequest& request) {
  if (permissive_ || failed()) return std::nullopt;
  const std::string head = std::string("FILEDIALOG ") +
                           (request.mode == FileDialogRequest::Mode::Save ? "save" : "open") + " " +
                           jsonString(request.title) + " " + jsonString(request.filter) + " " +
                           jsonString(request.initialDir) + " " + jsonString(request.fileName);
  if (paths_.empty()) {
    writeLine(head + " -> (nothing queued)");
    fail(currentLine_, "a file dialog with nothing queued for it");
    return std::nullopt;
  }
  const QueuedPath queued = paths_.front();
  paths_.pop_front();
  writeLine(head + " -> " + (queued.path ? jsonString(*queued.path) : "Cancel"));
  return queued.path;
}

std::optional<ColourValue> Driver::choose(ColourValue) {
  if (permissive_ || failed()) return std::nullopt;
  if (colours_.empty()) {
    writeLine("COLOURDIALOG -> (nothing queued)");
    fail(currentLine_, "a colour dialog with nothing queued for it");
    return std::nullopt;
  }
  const QueuedColour queued = colours_.front();
  colours_.pop_front();
  if (!queued.colour) {
    writeLine("COLOURDIALOG -> Cancel");
    return std::nullopt;
  }
  const ColourValue c = *queued.colour;
  writeLine("COLOURDIALOG -> " + std::to_string(c & 0xFF) + " " + std::to_string((c >> 8) & 0xFF) + " " +
            std::to_string((c >> 16) & 0xFF));
  return c;
}

// A queued print goes into a PDF file instead of a printer.
bool Driver::choose(QPrinter& printer, const std::string& jobTitle) {
  if (permissive_ || failed()) return false;
  const std::string head = "PRINT " + jsonString(jobTitle);
  if (prints_.empty()) {
    writeLine(head + " -> (nothing queued)");
    fail(currentLine_, "a print dialog with nothing queued for it");
    return false;
  }
  const QueuedPath queued = prints_.front();
  prints_.pop_front();
  writeLine(head + " -> " + (queued.path ? jsonString(*queued.path) : "Cancel"));
  if (!queued.path) return false;
  printer.setDocName(toQString(jobTitle));
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(toQString(*queued.path));
  return true;
}

int Driver::runModal(QDialog& dialog, bool selfClosing) {
  const std::string className = dialog.objectName().toStdString();
  if (permissive_) return selfClosing ? QDialog::Accepted : QDialog::Rejected;
  if (failed()) return QDialog::Rejected;
  writeLine("DIALOG " + className + " shown");
  if (selfClosing) {
    writeLine("DIALOG " + className + " closed accepted");
    return QDialog::Accepted;
  }
  if (dialogs_.empty() || dialogs_.front().className != className) {
    fail(currentLine_, "modal dialog " + className + " with nothing queued for it");
    return QDialog::Rejected;
  }
  const QueuedDialog handler = dialogs_.front();
  dialogs_.pop_front();
  dialog.setResult(-1);
  dialog.show();
  const int outerLine = currentLine_;
  for (const Directive& d : *handler.body) {
    execute(d, &dialog, true);
    if (failed()) break;
  }
  currentLine_ = outerLine;
  if (!failed() && dialog.isVisible()) fail(handler.line, "the handler did not close dialog " + className);
  if (dialog.isVisible()) dialog.reject();
  if (failed()) return QDialog::Rejected;
  const bool accepted = dialog.result() == QDialog::Accepted;
  writeLine("DIALOG " + className + " closed " + (accepted ? "accepted" : "rejected"));
  return accepted ? QDialog::Accepted : QDialog::Rejected;
}

void Driver::pump() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void Driver::waitIdle() {
  auto* dispatcher = QAbstractEventDispatcher::instance();
  // While work is pending (a transfer, spelling suggestions on another thread), the loop sleeps until
  // something happens: a socket, a posted result, or this timer, which bounds each sleep.
  QTimer wake;
  wake.setInterval(5);
  wake.start();
  for (int i = 0; i < 100000 && !failed(); ++i) {
    QCoreApplication::sendPostedEvents();
    const bool ran = dispatcher->processEvents(QEventLoop::AllEvents);
    if (BackgroundWork::pending()) {
      if (!ran) dispatcher->processEvents(QEventLoop::WaitForMoreEvents);
      continue;
    }
    if (!ran) break;
  }
}

bool Driver::needArgs(const Directive& d, size_t count) {
  if (d.args.size() >= count) return true;
  fail(d.line, d.name + " needs " + std::to_string(count) + " argument(s)");
  return false;
}

QWidget* Driver::control(const Directive& d, QWidget* root, const std::string& name) {
  QWidget* w = findControl(root, toQString(name));
  if (!w) fail(d.line, "unknown control " + name);
  return w;
}

bool Driver::queueDirective(const Directive& d) {
  if (d.name == "answer") {
    if (!needArgs(d, 1)) return true;
    static const std::pair<const char*, Answer> names[] = {
        {"OK", Answer::Ok},         {"Yes", Answer::Yes},           {"No", Answer::No},
        {"Cancel", Answer::Cancel}, {"YesToAll", Answer::YesToAll}, {"NoToAll", Answer::NoToAll}};
    for (const auto& [n, a] : names)
      if (d.args[0] == n) {
        answers_.push_back({d.line, a, d.args.size() > 1 ? std::optional<std::string>(d.args[1]) : std::nullopt});
        return true;
      }
    fail(d.line, "unknown answer " + d.args[0]);
  } else if (d.name == "file") {
    if (needArgs(d, 1)) paths_.push_back({d.line, d.args[0]});
  } else if (d.name == "file-cancel") {
    paths_.push_back({d.line, std::nullopt});
  } else if (d.name == "colour") {
    if (!needArgs(d, 3)) return true;
    const auto r = toInt(d.args[0]), g = toInt(d.args[1]), b = toInt(d.args[2]);
    if (!r || !g || !b || *r < 0 || *r > 255 || *g < 0 || *g > 255 || *b < 0 || *b > 255)
      fail(d.line, "colour needs three numbers from 0 to 255");
    else
      colours_.push_back({d.line, *r | (*g << 8) | (*b << 16)});
  } else if (d.name == "colour-cancel") {
    colours_.push_back({d.line, std::nullopt});
  } else if (d.name == "print") {
    if (needArgs(d, 1)) prints_.push_back({d.line, d.args[0]});
  } else if (d.name == "print-cancel") {
    prints_.push_back({d.line, std::nullopt});
  } else if (d.name == "dialog") {
    if (needArgs(d, 1)) dialogs_.push_back({d.line, d.args[0], &d.body});
  } else {
    return false;
  }
  return true;
}

void Driver::execute(const Directive& d, QWidget* root, bool inBlock) {
  currentLine_ = d.line;
  if (queueDirective(d)) return;
  if (!inBlock) pump();
  if (failed()) return;
  if (executeOnControl(d, root, inBlock)) return;
  if (inBlock) return fail(d.line, "directive " + d.name + " cannot be used inside a block");
  executeOnMainWindow(d);
}

// The directives that act on a control of `root`, the main window or a dialog's block; false for others.
bool Driver::executeOnControl(const Directive& d, QWidget* root, bool inBlock) {
  const std::string& n = d.name;
  auto report = [&](const std::string& reason) {
    if (!reason.empty()) fail(d.line, reason);
  };
  if (n == "click" || n == "dblclick") {
    if (!needArgs(d, 1)) return true;
    if (QWidget* w = control(d, root, d.args[0])) report(clickControl(w, n == "dblclick"));
  } else if (n == "set") {
    if (!needArgs(d, 2)) return true;
    if (QWidget* w = control(d, root, d.args[0])) report(setControl(w, d.args[1]));
  } else if (n == "key") {
    if (!needArgs(d, 1)) return true;
    // Where the focus is, unless it was left behind in a dialog that has closed since.
    QWidget* target = QApplication::focusWidget();
    if (!target || !target->isVisible() || (root != main_ && !root->isAncestorOf(target))) target = root;
    report(pressChord(target, d.args[0]));
  } else if (n == "sleep") {
    if (!needArgs(d, 1)) return true;
    const auto ms = toInt(d.args[0]);
    if (!ms || *ms < 0) {
      fail(d.line, "sleep needs a number of milliseconds");
      return true;
    }
    QTest::qWait(*ms);
  } else if (inBlock && n == "select") {
    if (!needArgs(d, 2)) return true;
    std::vector<int> rows;
    for (size_t i = 1; i < d.args.size(); ++i) {
      const auto v = toInt(d.args[i]);
      if (!v) {
        fail(d.line, "select needs item numbers");
        return true;
      }
      rows.push_back(*v);
    }
    if (QWidget* w = control(d, root, d.args[0])) report(selectListItems(w, rows));
  } else if (inBlock && n == "cell") {
    if (!needArgs(d, 4)) return true;
    const auto col = toInt(d.args[1]), row = toInt(d.args[2]);
    if (!col || !row) {
      fail(d.line, "cell needs a column and a row number");
      return true;
    }
    if (QWidget* w = control(d, root, d.args[0])) report(setGridCell(w, *col, *row, d.args[3]));
  } else if (inBlock && n == "dump") {
    writeDialogDump(*root);
  } else if (inBlock && n == "wait-idle") {
    waitIdle();
  } else if (inBlock && (n == "outline" || n == "outline-dblclick")) {
    // The window's outline or tree: the first one it has that is shown.
    if (!needArgs(d, 1)) return true;
    QTreeWidget* tree = nullptr;
    for (QTreeWidget* t : root->findChildren<QTreeWidget*>())
      if (!tree && t->isVisible()) tree = t;
    if (!tree) {
      fail(d.line, "the window has no outline");
      return true;
    }
    clickOutlineItem(d, tree, n == "outline-dblclick" ? "outline-dblclick" : "outline");
  } else {
    return false;
  }
  return true;
}

// The directives of the main window's own level: commands, typing, the outline, the Files tab, blocks.
void Driver::executeOnMainWindow(const Directive& d) {
  const std::string& n = d.name;
  auto* editor = main_ ? main_->findChild<QsciScintilla*>("RE1") : nullptr;
  if (n == "command") {
    if (needArgs(d, 1)) runCommand(d);
  } else if (n == "type") {
    if (!needArgs(d, 1)) return;
    editor->setFocus();
    typeText(editor, d.args[0]);
  } else if (n == "select") {
    if (!needArgs(d, 2)) return;
    const auto start = toInt(d.args[0]), length = toInt(d.args[1]);
    if (!start || !length || *start < 0 || *length < 0 || *start + *length > editor_bytes::length(*editor))
      return fail(d.line, "select needs a start and a length inside the text");
    editor_bytes::select(*editor, *start, *length);
  } else if (n == "outline" || n == "outline-dblclick" || n == "outline-menu") {
    if (!needArgs(d, 1)) return;
    clickOutlineItem(d, main_->findChild<QTreeWidget*>("Outline1"), n);
  } else if (n == "files-dir" || n == "files-click" || n == "files-dblclick") {
    if (needArgs(d, 1)) filesDirective(d);
  } else if (n == "window") {
    if (needArgs(d, 1)) windowBlock(d);
  } else if (n == "wait-idle") {
    waitIdle();
  } else if (n == "dump") {
    dump();
  } else if (n == "expect-file") {
    if (!needArgs(d, 2)) return;
    const auto data = readWholeFile(d.args[0]);
    if (!data) return fail(d.line, "file " + d.args[0] + " cannot be read");
    if (*data != d.args[1]) fail(d.line, "file " + d.args[0] + " holds " + jsonString(*data));
  } else {
    fail(d.line, "unknown directive " + n);
  }
}

void Driver::runCommand(const Directive& d) {
  // The recent-project entries of the File menu: "Reopen1Click" to "Reopen4Click", or "Reopen1" to "Reopen4".
  const std::string& c = d.args[0];
  if (c.size() >= 7 && c.rfind("Reopen", 0) == 0 && c[6] >= '1' && c[6] <= '4' &&
      (c.size() == 7 || c.substr(7) == "Click")) {
    QAction* entry = main_->findChild<QAction*>(QString("Reopen%1").arg(c[6]));
    if (!entry || !entry->isEnabled()) return fail(d.line, "command " + c + " is disabled");
    entry->trigger();
    return;
  }
  if (!main_->commands().exists(c)) return fail(d.line, "unknown command " + c);
  if (!main_->commands().trigger(c)) return fail(d.line, "command " + c + " is disabled");
}

void Driver::filesDirective(const Directive& d) {
  if (d.name == "files-dir") {
    if (!isDirectory(d.args[0])) return fail(d.line, "no folder " + d.args[0]);
    auto* tabs = main_->findChild<QTabWidget*>("PageControl1");
    tabs->setCurrentIndex(1);
    std::string folder = d.args[0];
    if (folder.back() != '/') folder += '/';
    main_->filesTab().goTo(folder);
    return;
  }
  auto* list = main_->findChild<QListWidget*>("ListBox2");
  const auto found = list->findItems(toQString(d.args[0]), Qt::MatchExactly);
  if (found.isEmpty()) return fail(d.line, "no file " + d.args[0] + " in the Files tab");
  list->setCurrentItem(found.first());
  const QRect r = list->visualItemRect(found.first());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
  if (d.name == "files-dblclick") QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

void Driver::windowBlock(const Directive& d) {
  QWidget* window = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && w->objectName() == toQString(d.args[0])) window = w;
  if (!window) return fail(d.line, "no open window " + d.args[0]);
  writeLine("WINDOW " + d.args[0] + " shown");
  for (const Directive& inner : d.body) {
    execute(inner, window, true);
    if (failed()) return;
  }
}

void Driver::clickOutlineItem(const Directive& d, QTreeWidget* tree, const std::string& how) {
  const auto index = toInt(d.args[0]);
  QTreeWidgetItemIterator it(tree);
  for (int i = 1; *it && index && i < *index; ++i) ++it;
  if (!index || *index < 1 || !*it) return fail(d.line, "no page " + d.args[0] + " in the outline");
  for (auto* p = (*it)->parent(); p; p = p->parent())
    if (!p->isExpanded()) return fail(d.line, "page " + d.args[0] + " is hidden in a collapsed group");
  tree->scrollToItem(*it);
  const QRect r = tree->visualItemRect(*it);
  if (how == "outline-dblclick") {
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, r.center());
  } else if (how == "outline-menu") {
    emit tree->customContextMenuRequested(r.center());
  } else {
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.center());
  }
}

void Driver::checkUnused() {
  int line = 0;
  std::string what;
  auto consider = [&](int l, const std::string& w) {
    if (line == 0 || l < line) line = l, what = w;
  };
  if (!answers_.empty()) consider(answers_.front().line, "a queued answer was never used");
  if (!paths_.empty()) consider(paths_.front().line, "a queued file dialog result was never used");
  if (!colours_.empty()) consider(colours_.front().line, "a queued colour was never used");
  if (!prints_.empty()) consider(prints_.front().line, "a queued print result was never used");
  if (!dialogs_.empty())
    consider(dialogs_.front().line, "a queued dialog handler for " + dialogs_.front().className + " was never used");
  if (line) fail(line, what);
}

size_t Driver::queueBeforeStart(const std::vector<Directive>& directives) {
  size_t i = 0;
  while (i < directives.size() && !failed()) {
    currentLine_ = directives[i].line;
    if (!queueDirective(directives[i])) break;
    ++i;
  }
  return i;
}

int Driver::run(const std::vector<Directive>& directives, size_t from) {
  if (!failed())
    for (size_t i = from; i < directives.size(); ++i) {
      execute(directives[i], main_, false);
      if (failed()) break;
    }
  if (!failed()) {
    pump();
    checkUnused();
  }
  if (failed()) {
    writeLine("ERROR line " + std::to_string(errorLine_) + ": " + errorReason_);
    return 1;
  }
  return 0;
}

}  // namespace quillon::drive
