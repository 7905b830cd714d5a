#pragma once

#include <optional>
#include <string>

#include "base/colour_names.h"
#include "base/product.h"

// The program's seam to the desktop's dialogs. The windows show real ones; tests and the automation driver
// plug in scripted ones. Texts are bytes, shown as UTF-8 when valid and as Latin-1 otherwise.
namespace quillon {

enum class MessageKind { Info, Confirm, Warning, Error };
// YesNoAllCancel: also Yes to All and No to All, for a question asked of several things in turn.
enum class Buttons { Ok, YesNo, YesNoCancel, YesNoAllCancel };
enum class Answer { Ok, Yes, No, Cancel, YesToAll, NoToAll };

class Prompts {
 public:
  virtual ~Prompts() = default;
  virtual Answer message(MessageKind kind, const std::string& caption, const std::string& text, Buttons buttons) = 0;

  void error(const std::string& text) { message(MessageKind::Error, kAppTitle, text, Buttons::Ok); }
  void info(const std::string& text) { message(MessageKind::Info, kAppTitle, text, Buttons::Ok); }
};

struct FileDialogRequest {
  enum class Mode { Open, Save } mode = Mode::Open;
  std::string title;
  std::string filter;   // "Caption|patterns|Caption|patterns", patterns joined by ';'
  int filterIndex = 1;  // 1-based, as the filter lists them
  std::string initialDir;
  std::string fileName;
  std::string defaultExt;  // appended by the caller when the chosen name has none
  bool confirmOverwrite = false;
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The chosen path, or nothing when cancelled.
  virtual std::optional<std::string> choose(const FileDialogRequest& request) = 0;
};

class ColourDialogs {
 public:
  virtual ~ColourDialogs() = default;
  virtual std::optional<ColourValue> choose(ColourValue initial) = 0;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual std::string text() const = 0;
  // The text was put there by this program as exact bytes (else it is another program's text, UTF-8).
  virtual bool holdsOwnBytes() const { return false; }
  virtual void setText(const std::string& bytes) = 0;
  virtual void clear() = 0;
};

}  // namespace quillon
