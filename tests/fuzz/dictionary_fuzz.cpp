// Dictionary files of any bytes: loading either refuses them or gives lookups that stay inside the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "spell/dictionary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  // Most random inputs lack the header: give half of them a real one to reach the table and the words.
  if (size > 0 && data[0] & 1) {
    const std::string valid = quillon::Dictionary::build({"alpha", "beta", "gamma"}, "T", "abc");
    bytes = valid.substr(0, 48) + bytes;
  }
  if (const auto d = quillon::Dictionary::fromBytes(bytes)) {
    d->contains("alpha");
    d->contains(std::string(reinterpret_cast<const char*>(data), size < 16 ? size : 16));
    d->words();
  }
  return 0;
}
