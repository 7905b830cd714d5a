#pragma once

#include <string>

namespace quillon {

// The folder of the running executable, or QUILLON_PROGRAM_DIR when set; created when missing; always
// ends in '/'.
std::string resolveProgramDirectory();
// The same folder rules for a folder given explicitly (quillon-drive --program-dir).
std::string prepareProgramDirectory(std::string dir);

// The user's home folder, ending in '/'.
std::string homeDirectory();

}  // namespace quillon
