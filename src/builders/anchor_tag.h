#pragma once

#include <string>

namespace quillon {

// What the anchor builder's controls hold.
struct AnchorTagRecord {
  std::string target;       // address, file name or anchor name, as typed
  std::string description;  // the link's visible text
  bool named = false;       // the in-page pair instead of a link
  bool relative = false;    // the relative folder goes in front of the target
  std::string relativePath;
};

// «<A HREF="target">description</A>», or for a named anchor «<A HREF=#target>description</A>  <A NAME=target>»
// (left unclosed); one line, nothing escaped or checked.
std::string anchorTagText(const AnchorTagRecord& record);

}  // namespace quillon
