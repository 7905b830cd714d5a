#pragma once

#include <QDialog>
#include <string>

#include "platform/prompts.h"

class QPrinter;

namespace quillon {

// Runs every modal dialog of the program, so that scripted runs can act on it instead of a person.
class ModalRunner {
 public:
  virtual ~ModalRunner() = default;
  // Returns QDialog::Accepted or QDialog::Rejected. A self-closing dialog (the splash) closes on its own timer.
  virtual int runModal(QDialog& dialog, bool selfClosing = false) = 0;
};

// The system print dialog: sets up the printer (which printer, pages, or a file) for a job, or is cancelled.
class PrintDialogs {
 public:
  virtual ~PrintDialogs() = default;
  virtual bool choose(QPrinter& printer, const std::string& jobTitle) = 0;
};

// The desktop services a window needs, passed in rather than reached through globals.
struct Platform {
  Prompts& prompts;
  FileDialogs& fileDialogs;
  ColourDialogs& colourDialogs;
  Clipboard& clipboard;
  ModalRunner& modal;
  PrintDialogs& printDialogs;
};

}  // namespace quillon
