#pragma once

#include <string>

namespace quillon {

// What the browser-engine check printed and how it ended, as one sentence for the user: the engine's own
// reason (its last error line, without the log prefix), or the exit status when it said nothing.
std::string browserStartFailure(const std::string& errorOutput, int exitStatus, bool crashed);

}  // namespace quillon
