#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quillon {

// Bytes shown to the user: UTF-8 when valid, else Latin-1 (every byte a character).
QString toQString(std::string_view bytes);
// Text typed by the user, stored as UTF-8.
std::string toBytes(const QString& text);
// A value shown from `original` and read back: the original bytes when it was not changed; changed, it
// keeps the original's encoding (an 8-bit value stays 8-bit where Latin-1 can hold the text).
std::string toBytesKeeping(const QString& text, std::string_view original);

}  // namespace quillon
