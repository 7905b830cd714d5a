#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/program_folders.h"

class QWidget;

namespace quillon {

struct Platform;

// Creates a dialog by its class name with default contents, for listing its controls; nullptr when unknown.
// Dialogs that work on settings, a project or the spelling dictionaries get those of the program's folders.
// The main window is made by its caller.
std::unique_ptr<QWidget> createWindow(const std::string& className, const ProgramFolders& folders, Platform& platform);
// Every class createWindow makes.
std::vector<std::string> windowClasses();

}  // namespace quillon
