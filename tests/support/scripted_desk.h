#pragma once

#include <QDialog>

#include "platform/ui/platform.h"
#include "support/scripted_platform.h"

namespace quillon::testing {

// The scripted platform with every modal dialog cancelled at once and no printer, for window tests whose
// dialogs open dialogs of their own.
struct ScriptedDesk : ScriptedPlatform, ModalRunner, PrintDialogs {
  int runModal(QDialog&, bool) override { return QDialog::Rejected; }
  bool choose(QPrinter&, const std::string&) override { return false; }
  Platform platform{*this, *this, *this, *this, *this, *this};
};

}  // namespace quillon::testing
