#pragma once

#include <QFont>
#include <string>
#include <vector>

class QPrinter;

namespace quillon {

// Prints each line as one line of plain text, in `font`, starting new pages as they fill. Leading TABs
// indent the line by four character widths each. False when the printer could not be started.
bool printTextLines(QPrinter& printer, const std::vector<std::string>& lines, const QFont& font);

}  // namespace quillon
