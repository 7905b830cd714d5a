#include "editor/open_pages.h"

#include <algorithm>
#include <charconv>

#include "base/text_bytes.h"

namespace quillon {

namespace {

constexpr std::string_view kStoredHeader = "Quillon open pages 1";

std::optional<int64_t> numberOf(std::string_view text) {
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

}  // namespace

OpenPages::OpenPages() { add({}); }

std::optional<size_t> OpenPages::indexOf(std::string_view path,
                                         const std::function<bool(std::string_view, std::string_view)>& same) const {
  for (size_t i = 0; i < pages_.size(); ++i)
    if (pages_[i].state.path == path || (same && same(pages_[i].state.path, path))) return i;
  return std::nullopt;
}

std::optional<size_t> OpenPages::indexOfId(int id) const {
  for (size_t i = 0; i < pages_.size(); ++i)
    if (pages_[i].id == id) return i;
  return std::nullopt;
}

size_t OpenPages::add(OpenPage page) {
  page.id = nextId_++;
  pages_.push_back(std::move(page));
  return pages_.size() - 1;
}

void OpenPages::select(size_t index) {
  if (index < pages_.size()) current_ = index;
}

size_t OpenPages::nextIndex() const { return (current_ + 1) % pages_.size(); }

size_t OpenPages::previousIndex() const { return (current_ + pages_.size() - 1) % pages_.size(); }

bool OpenPages::remove(size_t index) {
  if (pages_.size() < 2 || index >= pages_.size()) return false;
  pages_.erase(pages_.begin() + static_cast<std::ptrdiff_t>(index));
  // The shown page keeps being shown; a removed shown page gives way to its right neighbour, which has
  // now moved into its place, or to its left one when it was the last.
  if (current_ > index || current_ == pages_.size()) --current_;
  return true;
}

void OpenPages::move(size_t from, size_t to) {
  if (from >= pages_.size() || to >= pages_.size() || from == to) return;
  const int shown = pages_[current_].id;
  OpenPage page = std::move(pages_[from]);
  pages_.erase(pages_.begin() + static_cast<std::ptrdiff_t>(from));
  pages_.insert(pages_.begin() + static_cast<std::ptrdiff_t>(to), std::move(page));
  current_ = *indexOfId(shown);
}

bool leaveEveryPage(const std::vector<size_t>& modifiedPages, const std::function<LeaveAnswer(size_t)>& ask,
                    const std::function<bool(size_t)>& save) {
  std::optional<LeaveAnswer> forAll;
  for (const size_t page : modifiedPages) {
    LeaveAnswer answer = forAll ? *forAll : ask(page);
    if (answer == LeaveAnswer::Cancel) return false;
    if (answer == LeaveAnswer::SaveAll || answer == LeaveAnswer::DiscardAll) forAll = answer;
    if ((answer == LeaveAnswer::Save || answer == LeaveAnswer::SaveAll) && !save(page)) return false;
  }
  return true;
}

std::string storedPagesBytes(const StoredPages& stored) {
  std::string out(kStoredHeader);
  out += "\r\ncurrent\t" + std::to_string(stored.current) + "\r\n";
  for (const StoredPages::Page& page : stored.pages)
    out += "page\t" + std::to_string(page.caret) + "\t" + fieldEscaped(page.path) + "\r\n";
  return out;
}

StoredPages readStoredPages(std::string_view bytes) {
  StoredPages stored;
  const std::vector<std::string> lines = splitLines(bytes);
  if (lines.empty() || lines.front() != kStoredHeader) return stored;
  // A last line without its line end may be cut short: only whole lines count.
  const bool lastWhole = !bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r');
  const size_t whole = lastWhole ? lines.size() : lines.size() - 1;
  int64_t current = 0;
  for (size_t i = 1; i < whole; ++i) {
    const std::vector<std::string_view> fields = tabFields(lines[i]);
    if (fields.size() == 2 && fields[0] == "current") {
      current = numberOf(fields[1]).value_or(0);
    } else if (fields.size() == 3 && fields[0] == "page") {
      const auto caret = numberOf(fields[1]);
      auto path = fieldUnescaped(fields[2]);
      if (caret && path && !path->empty()) stored.pages.push_back({std::move(*path), *caret});
    }
  }
  stored.current = current >= 0 && static_cast<size_t>(current) < stored.pages.size() ? current : 0;
  return stored;
}

}  // namespace quillon
