#include "publish/preview_file.h"

#include "base/preview_copy.h"
#include "base/text_bytes.h"

namespace quillon {

PreviewMode previewModeOf(const std::string& stored) {
  if (stored == "auto") return PreviewMode::Auto;
  if (stored == "nosave") return PreviewMode::NoSave;
  return PreviewMode::Temp;
}

std::string previewModeText(PreviewMode mode) {
  switch (mode) {
    case PreviewMode::Auto:
      return "auto";
    case PreviewMode::NoSave:
      return "nosave";
    case PreviewMode::Temp:
      return "temp";
  }
  return "temp";
}

std::string previewModeLetter(PreviewMode mode) {
  switch (mode) {
    case PreviewMode::Auto:
      return "S";
    case PreviewMode::NoSave:
      return "N";
    case PreviewMode::Temp:
      return "T";
  }
  return "T";
}

PreviewMode nextPreviewMode(PreviewMode mode) {
  switch (mode) {
    case PreviewMode::Auto:
      return PreviewMode::Temp;
    case PreviewMode::Temp:
      return PreviewMode::NoSave;
    case PreviewMode::NoSave:
      return PreviewMode::Auto;
  }
  return PreviewMode::Temp;
}

PreviewPlan planPreview(const PreviewDocument& d, PreviewMode mode, bool embedded) {
  PreviewPlan plan;
  if (d.untitled && d.modified) {
    plan.file = d.startFolder + std::string(kPreviewCopyName);
    plan.writeText = true;
  } else if (mode == PreviewMode::Auto) {
    plan.file = d.path;
    plan.saveDocument = true;
  } else if (mode == PreviewMode::NoSave) {
    plan.file = d.path;
  } else {
    plan.file = std::string(folderPart(d.path)) + std::string(kPreviewCopyName);
    plan.writeText = true;
  }
  const std::string_view name = fileNamePart(d.path);
  if (embedded && name.size() >= 4 && lowerAscii(name.substr(name.size() - 4)) == ".brn") {
    plan.helpCopy = d.programDir + "help/" + std::string(kHelpPreviewCopyName);
    plan.file = plan.helpCopy;
  }
  return plan;
}

std::string fileUrl(const std::string& path) {
  static const char* hex = "0123456789ABCDEF";
  std::string url = "file://";
  for (const char c : path) {
    const auto b = static_cast<unsigned char>(c);
    const bool plain = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') ||
                       std::string_view("-._~/$&+,;=:@!'()*").find(c) != std::string_view::npos;
    if (plain) {
      url += c;
    } else {
      url += '%';
      url += hex[b >> 4];
      url += hex[b & 15];
    }
  }
  return url;
}

}  // namespace quillon
