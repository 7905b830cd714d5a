#include "project/project_builder.h"

#include <algorithm>

#include "base/text_bytes.h"

namespace quillon {

namespace {

constexpr std::string_view kNoTitle = "NO TITLE: ";
constexpr std::string_view kTitleTag = "<title>";

std::string_view upToTag(std::string_view text) { return text.substr(0, text.find('<')); }

bool startsIndented(std::string_view line) {
  return line.size() >= kHierarchyIndent && line.substr(0, kHierarchyIndent) == std::string(kHierarchyIndent, ' ');
}

}  // namespace

std::string nameFromFileName(std::string_view path) {
  const std::string_view name = fileNamePart(path);
  return std::string(name.substr(0, name.find('.')));
}

std::string nameFromTitle(std::string_view bytes, const std::string& path) {
  const std::vector<std::string> lines = splitLines(bytes);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string lower = lowerAscii(lines[i]);
    const size_t at = lower.find(kTitleTag);
    if (at == std::string::npos) continue;
    if (lines[i].size() == kTitleTag.size()) {
      if (i + 1 >= lines.size() || lines[i + 1].empty() || lines[i + 1][0] == '<') return std::string(kNoTitle) + path;
      return std::string(upToTag(lines[i + 1]));
    }
    return std::string(upToTag(std::string_view(lines[i]).substr(at + kTitleTag.size())));
  }
  return std::string(kNoTitle) + path;
}

void indentLines(std::vector<std::string>& lines, const std::vector<size_t>& marked) {
  for (size_t i : marked)
    if (i < lines.size()) lines[i].insert(0, kHierarchyIndent, ' ');
}

void unindentLines(std::vector<std::string>& lines, const std::vector<size_t>& marked) {
  for (size_t i : marked)
    if (i < lines.size() && startsIndented(lines[i])) lines[i].erase(0, kHierarchyIndent);
}

int hierarchyLevel(std::string_view line) {
  if (!startsIndented(line)) return 0;
  const size_t blanks = std::min(line.find_first_not_of(' '), line.size());
  return static_cast<int>(blanks / kHierarchyIndent);
}

std::optional<size_t> firstHierarchyJump(const std::vector<std::string>& lines) {
  for (size_t i = 0; i + 1 < lines.size(); ++i)
    if (hierarchyLevel(lines[i + 1]) > hierarchyLevel(lines[i]) + 1) return i;
  return std::nullopt;
}

std::string tidyPageName(std::string_view name, const std::string& path) {
  const size_t first = name.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::string(kNoTitle) + path;
  const size_t last = name.find_last_not_of(" \t");
  return std::string(name.substr(first, last - first + 1));
}

std::string builderOutlineText(const std::vector<std::string>& lines, const std::vector<std::string>& files) {
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const size_t blanks = startsIndented(line) ? std::min(line.find_first_not_of(' '), line.size()) : 0;
    out.append(blanks / kHierarchyIndent, '\t');
    const std::string_view title = std::string_view(line).substr(blanks);
    const size_t start = title.find_first_not_of(" \t");
    if (start == std::string_view::npos)
      out += std::string(kNoTitle) + (i < files.size() ? files[i] : std::string());
    else
      out += title.substr(start);
    out += kCrLf;
  }
  return out;
}

std::string builderLinkText(const std::vector<std::string>& files) { return joinCrLf(files); }

bool validProjectName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
         name.find('\0') == std::string_view::npos;
}

}  // namespace quillon
