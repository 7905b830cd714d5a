// bench_colour_pass FILE: the core colouring pass over a file; prints the number of coloured ranges.
#include <cstdio>

#include "base/file_io.h"
#include "editor/tag_colouring.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const auto text = quillon::readWholeFile(argv[1]);
  if (!text) return 1;
  const std::array<quillon::ColourValue, 6> colours = {1, 2, 3, 4, 5, 6};
  std::printf("%zu\n", quillon::colourTags(*text, colours).size());
  return 0;
}
