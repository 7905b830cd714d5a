#include "editor/custom_tags.h"

#include <algorithm>

#include "base/text_bytes.h"

namespace quillon {

std::string customTagEntry(std::string_view name, std::string_view start, std::string_view end) {
  return std::string(name) + " * " + std::string(start) + std::string(end);
}

Insertion applyCustomTag(const EditView& view, std::string_view entry) {
  std::string start, end;
  const size_t lt = entry.find('<');
  if (lt != std::string_view::npos) {
    const size_t gt = entry.find('>', lt);
    const size_t startEnd = gt == std::string_view::npos ? entry.size() : gt + 1;
    start = std::string(entry.substr(lt, startEnd - lt));
    const size_t lt2 = entry.find('<', startEnd);
    if (lt2 != std::string_view::npos) {
      const size_t gt2 = entry.find('>', lt2);
      end = std::string(entry.substr(lt2, (gt2 == std::string_view::npos ? entry.size() : gt2 + 1) - lt2));
    }
  }
  const std::string text = start + std::string(view.text.substr(view.selStart, view.selLength)) + end;
  return {view.selStart, view.selLength, text, view.selStart, text.size()};
}

std::string lineBreakProblem(std::string_view text, std::string_view field) {
  if (text.find_first_of("\r\n") == std::string_view::npos) return {};
  return "The " + std::string(field) +
         " holds a line break. Each entry of the list is kept on one line, so type or paste it without line "
         "breaks.";
}

std::string customTagNameProblem(std::string_view name) {
  if (name.empty()) return "You must supply a NAME for this tag.";
  if (std::string problem = lineBreakProblem(name, "NAME"); !problem.empty()) return problem;
  if (name[0] == ' ') return "The NAME may not start with a blank space.";
  if (name.find_first_of("*<>") != std::string_view::npos)
    return "The NAME cannot contain any asterisk(*), \"<\", or \">\" characters. Please fix.";
  return {};
}

TypedTag completeStartTag(std::string_view typed) {
  std::string t(typed);
  if (t.front() != '<') t.insert(0, 1, '<');
  if (t.back() != '>') t += '>';
  return {t, t.size() - 1, "</" + t.substr(1)};
}

TypedTag completeEndTag(std::string_view typed) {
  std::string t(typed);
  if (t.front() != '<') t.insert(0, 1, '<');
  if (t.size() < 2 || t[1] != '/') t.insert(1, 1, '/');
  if (t.back() != '>') t += '>';
  return {t, t.size() - 1, {}};
}

void sortCaseBlind(std::vector<std::string>& entries) {
  std::stable_sort(entries.begin(), entries.end(), lessIgnoringAsciiCase);
}

}  // namespace quillon
