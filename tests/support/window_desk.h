#pragma once

#include <QDialog>

#include "platform/ui/platform.h"
#include "platform/ui/qt_platform.h"
#include "support/scripted_platform.h"

namespace quillon::testing {

// The scripted platform for tests of the whole main window: questions answered No, self-closing dialogs
// (the splash) accepted at once and every other one cancelled, no printer, the desktop's clipboard.
struct WindowDesk : ScriptedPlatform, ModalRunner, PrintDialogs {
  WindowDesk() { fallback = Answer::No; }
  int runModal(QDialog&, bool selfClosing) override { return selfClosing ? QDialog::Accepted : QDialog::Rejected; }
  bool choose(QPrinter&, const std::string&) override { return false; }
  QtClipboard clipboard;
  Platform platform{*this, *this, *this, clipboard, *this, *this};
};

}  // namespace quillon::testing
