#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// "*.jpg;*.gif": a name matches when any pattern matches it, '*' and '?' as wildcards, without regard to
// A-Z case; "*.*" matches every name.
bool matchesMask(std::string_view name, std::string_view mask);

// Names of the folder's files that match the mask, in name order, each once, hidden ones left out.
std::vector<std::string> filesIn(const std::string& folder, std::string_view mask);
// Names of its sub-folders, in name order, hidden ones left out.
std::vector<std::string> foldersIn(const std::string& folder);

// The folder and a name joined with one separator.
std::string joinPath(const std::string& folder, const std::string& name);
// The parent of a folder ("/a/b/" -> "/a/"); the root stays the root.
std::string parentFolder(const std::string& folder);

enum class FileOpenKind { Image, Html, Other };
// How a double-click opens a file: ".gif"/".jpg" in the image dialog, the HTML extensions in the editor.
FileOpenKind openKindFor(std::string_view name);

}  // namespace quillon
