#include "project/project_files.h"

#include <dirent.h>
#include <algorithm>

#include "base/text_bytes.h"

namespace quillon {

namespace {
std::string_view untilNul(std::string_view bytes) {
  const size_t nul = bytes.find('\0');
  return nul == std::string_view::npos ? bytes : bytes.substr(0, nul);
}
}  // namespace

std::optional<std::vector<OutlineLine>> parseOutline(std::string_view bytes) {
  std::vector<OutlineLine> out;
  int previous = 0;
  for (std::string& line : splitLines(untilNul(bytes))) {
    size_t indent = 0;
    while (indent < line.size() && (line[indent] == '\t' || line[indent] == ' ')) ++indent;
    const size_t b = indent;
    int level;
    if (b < static_cast<size_t>(previous))
      level = static_cast<int>(b) + 1;
    else if (b <= static_cast<size_t>(previous) + 1)
      level = previous + 1;
    else
      return std::nullopt;
    out.push_back({line.substr(indent), level});
    previous = level;
  }
  return out;
}

std::string formatOutline(const PageTree& tree) {
  std::string out;
  for (const Page& page : tree.pages()) {
    out.append(static_cast<size_t>(page.level - 1), '\t');
    out += page.title;
    out += kCrLf;
  }
  return out;
}

std::vector<std::string> parseLinks(std::string_view bytes) { return splitLines(untilNul(bytes)); }

std::string formatLinks(const PageTree& tree) {
  std::string out;
  for (const Page& page : tree.pages()) {
    out += page.link;
    out += kCrLf;
  }
  return out;
}

// The link file sits beside the outline with "fil" for its last three letters. An existing one is found
// whichever case its ending has (SITE.OUT beside SITE.FIL); a new one follows the case of the outline's.
std::string linkFileFor(const std::string& outlinePath) {
  const std::string stem = outlinePath.substr(0, outlinePath.size() >= 3 ? outlinePath.size() - 3 : 0);
  const std::string lower = stem + "fil";
  const std::string upper = stem + "FIL";
  if (fileExists(lower)) return lower;
  if (fileExists(upper)) return upper;
  // SHOP.FIL beside Shop.out: the same name in other letters, when it is the only one.
  const std::string folder(folderPart(outlinePath));
  const std::string wanted(fileNamePart(lower));
  std::string only;
  int matches = 0;
  if (DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str())) {
    while (const dirent* entry = ::readdir(dir))
      if (equalsIgnoringAsciiCase(entry->d_name, wanted) && fileExists(folder + entry->d_name)) {
        only = folder + entry->d_name;
        ++matches;
      }
    ::closedir(dir);
  }
  if (matches == 1) return only;
  const bool outlineUpper = outlinePath.size() >= 3 && outlinePath.compare(outlinePath.size() - 3, 3, "OUT") == 0;
  return outlineUpper ? upper : lower;
}

std::string projectFileName(const std::string& chosenPath) {
  std::string name(fileNamePart(chosenPath));
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && name.compare(dot, std::string::npos, ".out") == 0) return name;
  return (dot == std::string::npos ? name : name.substr(0, dot)) + ".out";
}

ProjectLoad loadProject(const std::string& outlinePath) {
  // A save that died between renaming the outline and the link file is finished before they are read.
  completeInterruptedWrites(std::string(folderPart(outlinePath)));
  const auto outline = readWholeFile(outlinePath);
  if (!outline) return {std::nullopt, "Cannot read the project file \"" + outlinePath + "\".", {}};
  const auto lines = parseOutline(*outline);
  if (!lines) return {std::nullopt, kFileLoadError, {}};
  const std::string linkPath = linkFileFor(outlinePath);
  const auto linkBytes = readWholeFile(linkPath);
  if (!linkBytes) return {std::nullopt, "Cannot read the link file \"" + linkPath + "\".", {}};
  std::vector<std::string> links = parseLinks(*linkBytes);
  std::string warning;
  if (links.size() != lines->size())
    warning = "The project file \"" + outlinePath + "\" lists " + std::to_string(lines->size()) +
              " pages but its link file \"" + linkPath + "\" holds " + std::to_string(links.size()) +
              " links. Pages and links may not match: please check the links before saving.";
  links.resize(lines->size());
  std::vector<Page> pages;
  pages.reserve(lines->size());
  for (size_t i = 0; i < lines->size(); ++i)
    pages.push_back({std::move((*lines)[i].title), std::move(links[i]), (*lines)[i].level, false});
  return {PageTree(std::move(pages)), {}, std::move(warning)};
}

WriteResult saveProject(const std::string& outlinePath, const PageTree& tree) {
  const std::string outline = formatOutline(tree);
  const std::string links = formatLinks(tree);
  return writeFilesTogether({{outlinePath, outline}, {linkFileFor(outlinePath), links}});
}

void recordRecent(std::array<std::string, 4>& recent, const std::string& path) {
  for (size_t k = 0; k < recent.size(); ++k) {
    if (recent[k] == path) {
      std::swap(recent[0], recent[k]);
      return;
    }
  }
  std::rotate(recent.begin(), recent.end() - 1, recent.end());
  recent[0] = path;
}

std::vector<std::string> listProjects(const std::string& projectsDir) {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(projectsDir.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name.size() > 4 && equalsIgnoringAsciiCase(std::string_view(name).substr(name.size() - 4), ".out") &&
          fileExists(projectsDir + name))
        names.push_back(name);
    }
    ::closedir(dir);
  }
  // Upper-cased, except names that differ from another only in case (a.out beside A.out): those keep
  // their own letters, so that each entry names and opens its own file.
  std::vector<std::string> shown;
  for (const std::string& name : names) {
    const std::string upper = upperAscii(name);
    const bool clash = std::count_if(names.begin(), names.end(),
                                     [&](const std::string& other) { return upperAscii(other) == upper; }) > 1;
    shown.push_back(clash ? name : upper);
  }
  std::sort(shown.begin(), shown.end());
  return shown;
}

int projectListSelection(const std::vector<std::string>& list, const std::string& projectName) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == projectName) return static_cast<int>(i);
  for (size_t i = 0; i < list.size(); ++i)
    if (equalsIgnoringAsciiCase(list[i], projectName)) return static_cast<int>(i);
  return -1;
}

}  // namespace quillon
