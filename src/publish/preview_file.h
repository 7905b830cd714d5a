#pragma once

#include <string>
#include <string_view>

namespace quillon {

enum class PreviewMode { Temp, NoSave, Auto };

// "temp", "nosave", "auto" as stored; anything else reads as "temp".
PreviewMode previewModeOf(const std::string& stored);
std::string previewModeText(PreviewMode mode);
// The mode label's letter: "S" for auto, "N" for nosave, "T" for temp.
std::string previewModeLetter(PreviewMode mode);
// A double click on the label: S -> T -> N -> S.
PreviewMode nextPreviewMode(PreviewMode mode);

struct PreviewDocument {
  std::string path;  // the document's file name (the untitled name when untitled)
  bool untitled = false;
  bool modified = false;
  std::string startFolder;  // ends in '/'
  std::string programDir;   // ends in '/'
};

// What a preview shows and what it writes first.
struct PreviewPlan {
  std::string file;           // the file the browser is to load
  bool writeText = false;     // the editor's text is written to `file` first
  bool saveDocument = false;  // the document is saved to its own file first
  std::string helpCopy;       // embedded preview of a help page: the text is also written here, and shown
};
PreviewPlan planPreview(const PreviewDocument& document, PreviewMode mode, bool embedded);

// "file://" and the path, each byte that may not stand in a URL's path as it is (a blank, '%', '#', '?',
// bytes above 127, ...) written as %XX.
std::string fileUrl(const std::string& path);

}  // namespace quillon
