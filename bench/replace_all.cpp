// bench_replace_all FIND REPLACEMENT IN OUT: the document Replace All, file to file, as sed does it.
#include <cstdio>
#include <string>

#include "base/file_io.h"
#include "editor/search.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fputs("usage: bench_replace_all FIND REPLACEMENT IN OUT\n", stderr);
    return 2;
  }
  const auto text = quillon::readWholeFile(argv[3]);
  if (!text) return 1;
  const quillon::ReplaceAllResult result = quillon::replaceAll(*text, argv[1], argv[2], true);
  if (!quillon::writeFileAtomic(argv[4], result.text).ok) return 1;
  std::printf("%zu\n", result.count);
  return 0;
}
