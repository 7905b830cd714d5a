#pragma once

#include <QString>
#include <string>

class QWidget;

namespace quillon {

// The embedded browser pane lives in a module of its own, loaded on first use, so that the program does
// not map the browser engine's libraries at every start.
class EmbeddedBrowser {
 public:
  // The module is looked for in the program's module folder (beside the executable in the build tree).
  explicit EmbeddedBrowser(const std::string& moduleFolder);
  // The module was built and installed.
  bool installed() const;
  // Makes the browser view inside `parent`; nullptr when the module cannot be loaded or its engine cannot
  // start, with the reason in `failure` (empty when the module itself is missing or broken).
  QWidget* create(QWidget* parent, std::string& failure);
  // On a view that create() made: load an address; step back (-1) or forward (1) through its history,
  // false when there is no page that way; stop loading.
  static void navigate(QWidget* view, const QString& address);
  bool go(QWidget* view, int step) const;
  static void stop(QWidget* view);

 private:
  QString modulePath() const;
  // Runs the engine check beside the module, once per run of the program: empty when the engine starts.
  std::string engineProblem() const;
  QString folder_;
};

}  // namespace quillon
