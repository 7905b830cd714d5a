#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// A page's name from its file: the file name without its folder, cut at its first ".".
std::string nameFromFileName(std::string_view path);

// A page's name from its <TITLE>: the first line holding "<title>" in any case gives the text after it up
// to the next "<"; a line holding only the tag gives the next line up to its first "<". "NO TITLE: " and
// the path when there is no title line, or the line after a lone tag is empty or starts with "<".
std::string nameFromTitle(std::string_view bytes, const std::string& path);

inline constexpr int kHierarchyIndent = 5;

// Five blanks put in front of each marked line, or taken from the front of each marked line that starts
// with five blanks.
void indentLines(std::vector<std::string>& lines, const std::vector<size_t>& marked);
void unindentLines(std::vector<std::string>& lines, const std::vector<size_t>& marked);

// A line's level below the top: its leading blanks divided by five, for a line that starts with five.
int hierarchyLevel(std::string_view line);
// The first of two adjacent lines where the second is more than one level below the first.
std::optional<size_t> firstHierarchyJump(const std::vector<std::string>& lines);

// The outline file's text: each indented line's leading blanks become one TAB per five; CR LF line ends.
// Blanks and TABs left at the start of a title are dropped (the outline file would read them as levels),
// and a title left empty becomes "NO TITLE: " and its file's path.
std::string builderOutlineText(const std::vector<std::string>& lines, const std::vector<std::string>& files = {});

// A loaded name without the blanks and TABs around it; "NO TITLE: " and the path when nothing is left.
std::string tidyPageName(std::string_view name, const std::string& path);
std::string builderLinkText(const std::vector<std::string>& files);

// A name the projects directory can hold as typed: not empty, no slash, not "." or "..".
bool validProjectName(std::string_view name);

}  // namespace quillon
