#pragma once

#include <QObject>
#include <string>

#include "platform/ui/platform.h"

class QFrame;
class QLabel;
class QWidget;

namespace quillon {

// The embedded browser in place of the editing window: the E and IE side tabs that switch between them,
// the browser's own row of controls, and the browser view, made when first shown.
class PreviewPane : public QObject {
  Q_OBJECT
 public:
  // `window` holds the controls by name; `editor` is the widget the browser takes the place of.
  PreviewPane(QWidget& window, QWidget& editor, Platform& platform, std::string modulesDir);

  // Whether a browser engine is there at all; asked once at start.
  bool checkInstalled();
  bool available() const { return available_; }
  bool shown() const { return shown_; }
  // Shows `url` in place of the editor, with the control row when asked. False, with the engine's reason in
  // `failure`, when no browser view could be made.
  bool show(const std::string& url, bool withControls, std::string& failure);
  // Back to the editing window; a page still loading is stopped.
  void showEditor();

 private:
  void buildControls();
  void markTab(QLabel* current);

  QWidget& editor_;
  Platform& platform_;
  std::string modulesDir_;
  QWidget* container_;
  QFrame* controls_;
  QLabel* editTab_;
  QLabel* strip_;
  QLabel* browserTab_;
  QWidget* view_ = nullptr;
  bool available_ = false;
  bool shown_ = false;
};

}  // namespace quillon
