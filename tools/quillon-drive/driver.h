#pragma once

#include <QPointer>
#include <deque>
#include <optional>
#include <string>

#include "platform/ui/platform.h"
#include "platform/ui/qt_platform.h"
#include "script.h"

class QTreeWidget;
class QWidget;

namespace quillon {
class TForm1;
}

namespace quillon::drive {

// Runs a script against the real main window. It is also the program's platform: message boxes, file and
// colour dialogs and modal dialogs take their answers from the script's queues and are logged.
class Driver : public Prompts, public FileDialogs, public ColourDialogs, public ModalRunner, public PrintDialogs {
 public:
  // permissive: answer every prompt and close every dialog without a script (for --list-controls).
  explicit Driver(bool permissive = false);

  Platform& platform() { return platform_; }
  void setMainWindow(TForm1* window) { main_ = window; }

  // Queues the answers, file results and dialog handlers that open the script, before the main window is
  // made, so that prompts raised during start-up find them; returns the index of the first other directive.
  size_t queueBeforeStart(const std::vector<Directive>& directives);
  // Runs the directives from index `from`; returns the exit status.
  int run(const std::vector<Directive>& directives, size_t from = 0);

  Answer message(MessageKind kind, const std::string& caption, const std::string& text, Buttons buttons) override;
  std::optional<std::string> choose(const FileDialogRequest& request) override;
  std::optional<ColourValue> choose(ColourValue initial) override;
  int runModal(QDialog& dialog, bool selfClosing) override;
  bool choose(QPrinter& printer, const std::string& jobTitle) override;

 private:
  struct QueuedAnswer {
    int line;
    Answer answer;
    std::optional<std::string> text;
  };
  struct QueuedPath {
    int line;
    std::optional<std::string> path;  // nothing: cancel
  };
  struct QueuedColour {
    int line;
    std::optional<ColourValue> colour;
  };
  struct QueuedDialog {
    int line;
    std::string className;
    const std::vector<Directive>* body;
  };

  void fail(int line, const std::string& reason);
  bool failed() const { return failed_; }
  void pump();
  void waitIdle();
  void execute(const Directive& d, QWidget* root, bool inBlock);
  bool executeOnControl(const Directive& d, QWidget* root, bool inBlock);
  void executeOnMainWindow(const Directive& d);
  void runCommand(const Directive& d);
  void filesDirective(const Directive& d);
  void windowBlock(const Directive& d);
  bool queueDirective(const Directive& d);
  void checkUnused();
  bool needArgs(const Directive& d, size_t count);
  QWidget* control(const Directive& d, QWidget* root, const std::string& name);
  void dump();
  void clickOutlineItem(const Directive& d, QTreeWidget* tree, const std::string& how);

  bool permissive_;
  QtClipboard clipboard_;
  Platform platform_;
  QPointer<TForm1> main_;
  int currentLine_ = 0;
  bool failed_ = false;
  int errorLine_ = 0;
  std::string errorReason_;
  std::deque<QueuedAnswer> answers_;
  std::deque<QueuedPath> paths_;
  std::deque<QueuedColour> colours_;
  std::deque<QueuedPath> prints_;
  std::deque<QueuedDialog> dialogs_;
};

}  // namespace quillon::drive
