#include "app/window_caption.h"

#include "base/text_bytes.h"

namespace quillon {

std::string windowCaption(const std::string& projectCaption, const std::string& pagePath, bool untitled,
                          bool modified) {
  if (untitled && !modified) return projectCaption;
  const std::string page = untitled ? std::string("Untitled") : std::string(fileNamePart(pagePath));
  return projectCaption + " - " + page + (modified ? " *" : "");
}

}  // namespace quillon
