#include "project/outline_print.h"

#include "base/text_bytes.h"

namespace quillon {

std::vector<std::string> printedOutlineLines(const std::vector<Page>& pages, PrintedLinks links) {
  std::vector<std::string> lines;
  lines.reserve(pages.size());
  for (const Page& page : pages) {
    std::string line(static_cast<size_t>(page.level > 1 ? page.level - 1 : 0), '\t');
    line += page.title;
    if (links != PrintedLinks::None)
      line += "  (" + (links == PrintedLinks::FileNameOnly ? std::string(fileNamePart(page.link)) : page.link) + ")";
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace quillon
