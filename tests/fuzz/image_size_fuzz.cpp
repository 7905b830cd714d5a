// Image headers of any bytes: measuring never reads past the end and never gives a size below 1.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "builders/image_size.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto measured = quillon::measureImage(std::string_view(reinterpret_cast<const char*>(data), size));
  if (measured && (measured->width < 1 || measured->height < 1)) std::abort();
  return 0;
}
