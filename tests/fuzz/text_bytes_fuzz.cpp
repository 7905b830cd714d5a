// Line splitting and UTF-8 checks on any bytes: lines rejoin to the text's content, and the piecewise
// UTF-8 check agrees with the whole-text one.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/text_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  size_t content = 0;
  for (char c : bytes) content += c != '\r' && c != '\n';
  size_t joined = 0;
  for (const auto& line : quillon::splitLines(bytes)) joined += line.size();
  if (joined != content) std::abort();
  quillon::Utf8Validator v;
  const size_t cut = size ? data[0] % (size + 1) : 0;
  v.feed(bytes.substr(0, cut));
  v.feed(bytes.substr(cut));
  if (v.finish() != quillon::isValidUtf8(bytes)) std::abort();
  return 0;
}
