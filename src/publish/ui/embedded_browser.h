#pragma once

#include <QString>
#include <string>

class QWidget;

namespace quillon {

// The embedded browser pane lives in a module of its own, loaded on first use, so that the program does
// not map the browser engine's libraries at every start.
class EmbeddedBrowser {
 public:
  // The module is looked for beside the running executable.
  EmbeddedBrowser();
  // The module was built and installed.
  bool installed() const;
  // Makes the browser view inside `parent`; nullptr when the module cannot be loaded.
  QWidget* create(QWidget* parent);

 private:
  QString modulePath() const;
  QString folder_;
};

}  // namespace quillon
