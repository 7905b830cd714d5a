#pragma once

#include <memory>
#include <string>

class QWidget;

namespace quillon {

// Creates a dialog by its class name with default contents, for listing its controls; nullptr when unknown.
// The main window needs a program directory and a platform, so it is made by its caller.
std::unique_ptr<QWidget> createWindow(const std::string& className);

}  // namespace quillon
