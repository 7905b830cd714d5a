#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quillon {

// Bytes shown to the user: UTF-8 when valid, else Latin-1 (every byte a character).
QString toQString(std::string_view bytes);
// Text typed by the user, stored as UTF-8.
std::string toBytes(const QString& text);

}  // namespace quillon
