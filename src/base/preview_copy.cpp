#include "base/preview_copy.h"

#include "base/text_bytes.h"

namespace quillon {

bool isPreviewCopyName(std::string_view name) {
  return equalsIgnoringAsciiCase(name, kPreviewCopyName) || equalsIgnoringAsciiCase(name, kHelpPreviewCopyName);
}

}  // namespace quillon
