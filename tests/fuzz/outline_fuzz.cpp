// Outline and link files of any bytes: a load either fails or gives levels that step down freely and up by
// one, and what it gives writes back and reads again to the same pages.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "project/project_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto lines = quillon::parseOutline(bytes);
  if (!lines) return 0;
  std::vector<quillon::Page> pages;
  int previous = 0;
  for (const auto& line : *lines) {
    if (line.level < 1 || line.level > previous + 1) std::abort();
    previous = line.level;
    // A title keeps no leading blanks, so it survives the round trip.
    pages.push_back({line.title, "", line.level, false});
  }
  const quillon::PageTree tree(pages);
  const auto again = quillon::parseOutline(quillon::formatOutline(tree));
  if (!again || again->size() != lines->size()) std::abort();
  for (size_t i = 0; i < lines->size(); ++i)
    if ((*again)[i].level != (*lines)[i].level || (*again)[i].title != (*lines)[i].title) std::abort();
  quillon::parseLinks(bytes);
  return 0;
}
