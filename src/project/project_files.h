#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_io.h"
#include "project/project_model.h"

namespace quillon {

inline constexpr const char* kFileLoadError = "File load error";

struct OutlineLine {
  std::string title;
  int level = 1;
};

// The outline file (.out): one line per page, (level - 1) TABs then the title. Lines end at CR, LF or
// CR LF and a NUL byte ends the text. Leading TABs and blanks both count as indentation and are removed;
// a line indented two or more past the previous page's level fails the whole load.
std::optional<std::vector<OutlineLine>> parseOutline(std::string_view bytes);
std::string formatOutline(const PageTree& tree);

// The link file (.fil): line k is the link of page k; same line rules.
std::vector<std::string> parseLinks(std::string_view bytes);
std::string formatLinks(const PageTree& tree);

// "SITE.out" -> "SITE.fil": the path without its last three characters, then "fil".
std::string linkFileFor(const std::string& outlinePath);
// The file name part of a chosen path, its extension replaced by ".out" when it is not exactly ".out".
std::string projectFileName(const std::string& chosenPath);

struct ProjectLoad {
  std::optional<PageTree> tree;  // nothing: the load failed, see error
  std::string error;
  std::string warning;  // the outline and link files disagree on the number of pages
};
// Reads an outline file and its link file. A link file shorter than the outline leaves the last pages
// with empty links; extra link lines are ignored: titles and links always pair up.
ProjectLoad loadProject(const std::string& outlinePath);
// Writes both files of a project: both temporaries completely, then both renames.
WriteResult saveProject(const std::string& outlinePath, const PageTree& tree);

// Moves an opened path to the front of the four recent projects: an equal entry k swaps with entry 1,
// else the entries move down and the last is dropped.
void recordRecent(std::array<std::string, 4>& recent, const std::string& path);

// Outline files of the projects directory (".out" in any case), upper-cased, in name order; names that
// differ from another only in case are listed as they are.
std::vector<std::string> listProjects(const std::string& projectsDir);
// Index of the open project in that list (the same name, else the same without regard to case), or -1.
int projectListSelection(const std::vector<std::string>& list, const std::string& projectName);

}  // namespace quillon
