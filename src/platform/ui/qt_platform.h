#pragma once

#include <QStringList>

#include "platform/ui/platform.h"

class QWidget;

namespace quillon {

class QtPrompts : public Prompts {
 public:
  explicit QtPrompts(QWidget*& parent) : parent_(parent) {}
  Answer message(MessageKind kind, const std::string& caption, const std::string& text, Buttons buttons) override;

 private:
  QWidget*& parent_;
};

class QtFileDialogs : public FileDialogs {
 public:
  explicit QtFileDialogs(QWidget*& parent) : parent_(parent) {}
  std::optional<std::string> choose(const FileDialogRequest& request) override;

 private:
  QWidget*& parent_;
};

class QtColourDialogs : public ColourDialogs {
 public:
  explicit QtColourDialogs(QWidget*& parent) : parent_(parent) {}
  std::optional<ColourValue> choose(ColourValue initial) override;

 private:
  QWidget*& parent_;
};

class QtClipboard : public Clipboard {
 public:
  std::string text() const override;
  bool holdsOwnBytes() const override;
  void setText(const std::string& bytes) override;
  void clear() override;
};

class QtPrintDialogs : public PrintDialogs {
 public:
  explicit QtPrintDialogs(QWidget*& parent) : parent_(parent) {}
  bool choose(QPrinter& printer, const std::string& jobTitle) override;

 private:
  QWidget*& parent_;
};

class QtModalRunner : public ModalRunner {
 public:
  int runModal(QDialog& dialog, bool selfClosing) override;
};

// "Caption|*.a;*.b|..." as Qt name filters "Caption (*.a *.b)".
QStringList qtNameFilters(const std::string& filter);

// The desktop's real dialogs, parented to the main window once it exists.
class QtPlatform {
 public:
  QtPlatform();
  Platform& platform() { return platform_; }
  void setParentWindow(QWidget* window) { parent_ = window; }

 private:
  QWidget* parent_ = nullptr;
  QtPrompts prompts_{parent_};
  QtFileDialogs files_{parent_};
  QtColourDialogs colours_{parent_};
  QtClipboard clipboard_;
  QtModalRunner modal_;
  QtPrintDialogs prints_{parent_};
  Platform platform_;
};

}  // namespace quillon
