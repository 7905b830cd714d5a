#pragma once

#include <string_view>

namespace quillon {

// The text of one open document as the window holding it keeps it: its bytes, and its save point, which is
// the one record of whether the document is modified.
class DocumentText {
 public:
  virtual ~DocumentText() = default;
  virtual std::string_view bytes() const = 0;
  // Whether the text differs from the save point (typing away from it, undoing back to it).
  virtual bool modified() const = 0;
  // The text as it is now counts as saved.
  virtual void setSavePoint() = 0;
};

}  // namespace quillon
