#pragma once

#include <QString>
#include <string>

namespace quillon {

// The bytes of a path that Qt hands back as text. Qt reads file names as UTF-8, so a name that is not
// (a Latin-1 "caf\xe9.htm") comes back with replacement characters, or as the program showed it, and its
// UTF-8 bytes name no file. Each part of the path that does not exist as written is looked up in its folder
// among the names that read as the same text; when exactly one does, its bytes are used. A part that matches
// none or several (a new name typed into a save dialog) stays as written.
std::string fileNameBytes(const QString& path);

}  // namespace quillon
