#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace quillon {

// The projects-list entry's files as they are on disk: the list shows names upper-cased, the disk keeps
// the case they were saved in, so the names are matched without regard to A-Z case (an exact match first).
std::string projectOutlinePath(const std::string& projectsDir, const std::string& entry);
// The link file: the outline's name with "fil" in place of its last three characters.
std::string projectLinkPath(const std::string& projectsDir, const std::string& entry);
// The pages of a project's link file, in page order; nothing when it cannot be read.
std::optional<std::vector<std::string>> projectPageFiles(const std::string& projectsDir, const std::string& entry);

// The path of `name` in `folder`, matched exactly or else without regard to A-Z case; `folder + name`
// when neither exists.
std::string findIgnoringCase(const std::string& folder, const std::string& name);

// The deepest folder holding every one of the absolute paths (with its closing '/'); relative paths are
// passed over; empty when there are none.
std::string commonFolder(const std::vector<std::string>& paths);

// "12_25_1998": month, day and four-digit year without leading zeros.
std::string dateStamp(const std::tm& day);

}  // namespace quillon
