#include "project/site_find.h"

#include <dirent.h>
#include <fnmatch.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <set>

#include "base/file_io.h"
#include "base/text_bytes.h"
#include "editor/page_encoding.h"

namespace quillon {

namespace {

constexpr size_t kBinaryProbe = 8192;

std::string realPath(const std::string& path) {
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

bool inside(const std::string& path, const std::string& folder) {
  return path == folder || (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
                            (folder.back() == '/' || path[folder.size()] == '/'));
}

}  // namespace

FileFindings findInPage(const std::string& path, std::string_view page, const SiteMatcher& matcher) {
  FileFindings f;
  f.path = path;
  f.utf8 = readAsUtf8(page);
  matcher.findAll(page, f.matches, f.error);
  size_t line = 1, lineStart = 0, scanned = 0;
  for (const PageMatch& m : f.matches) {
    // Lines end at LF, at CR LF or at a lone CR, as the editor counts them.
    for (; scanned < m.start; ++scanned) {
      const char c = page[scanned];
      if (c == '\n' || (c == '\r' && (scanned + 1 >= page.size() || page[scanned + 1] != '\n'))) {
        ++line;
        lineStart = scanned + 1;
      }
    }
    size_t lineEnd = page.find_first_of("\r\n", m.start);
    if (lineEnd == std::string_view::npos) lineEnd = page.size();
    lineEnd = std::max(lineEnd, m.end);
    f.lines.push_back(line);
    f.lineRanges.emplace_back(lineStart, lineEnd);
    // Up to 80 bytes before the match and 160 after it; a cut never splits a UTF-8 character.
    size_t from = m.start > lineStart + 80 ? m.start - 80 : lineStart;
    size_t to = std::min(lineEnd, m.end + 160);
    if (f.utf8) {
      while (from > lineStart && (static_cast<unsigned char>(page[from]) & 0xC0) == 0x80) --from;
      while (to < lineEnd && (static_cast<unsigned char>(page[to]) & 0xC0) == 0x80) ++to;
    }
    const size_t matchEnd = std::min(m.end, lineEnd);
    f.shown.push_back({fromDocumentEncoding(page.substr(from, m.start - from), f.utf8),
                       fromDocumentEncoding(page.substr(m.start, matchEnd - m.start), f.utf8),
                       fromDocumentEncoding(page.substr(matchEnd, to - matchEnd), f.utf8)});
  }
  return f;
}

std::string resultTitle(const FileFindings& f, size_t match) {
  const FileFindings::Shown& s = f.shown[match];
  std::string text = s.before + s.match + s.after;
  for (char& c : text)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return f.path + ":" + std::to_string(f.lines[match]) + ": " + std::string(trimBlanks(text));
}

bool nameMatchesFilter(std::string_view name, std::string_view filter) {
  bool any = false;
  const std::string lowerName = lowerAscii(name);
  for (size_t start = 0; start <= filter.size();) {
    size_t end = filter.find(';', start);
    if (end == std::string_view::npos) end = filter.size();
    const std::string pattern = lowerAscii(trimBlanks(filter.substr(start, end - start)));
    start = end + 1;
    if (pattern.empty()) continue;
    any = true;
    if (::fnmatch(pattern.c_str(), lowerName.c_str(), 0) == 0) return true;
  }
  return !any;
}

std::vector<std::string> filesInFolder(const std::string& folder, std::string_view filter, bool subfolders,
                                       SkippedFiles& skipped) {
  std::vector<std::string> files;
  const std::string root = realPath(folder);
  if (root.empty()) return files;
  std::set<std::string> seen;
  std::vector<std::string> pending = {folder.empty() || folder.back() == '/' ? folder : folder + "/"};
  while (!pending.empty()) {
    const std::string dir = pending.back();
    pending.pop_back();
    const std::string real = realPath(dir);
    if (real.empty() || !seen.insert(real).second) continue;
    DIR* d = ::opendir(dir.c_str());
    if (!d) {
      ++skipped.unreadable;
      continue;
    }
    std::vector<std::string> names;
    while (const dirent* e = ::readdir(d))
      if (std::string_view(e->d_name) != "." && std::string_view(e->d_name) != "..") names.emplace_back(e->d_name);
    ::closedir(d);
    for (const std::string& name : names) {
      const std::string path = dir + name;
      struct stat st {};
      if (::stat(path.c_str(), &st) != 0) {
        ++skipped.unreadable;
        continue;
      }
      if (S_ISDIR(st.st_mode)) {
        if (!subfolders) continue;
        if (!inside(realPath(path), root)) {
          ++skipped.outside;
          continue;
        }
        pending.push_back(path + "/");
        continue;
      }
      if (!nameMatchesFilter(name, filter)) continue;
      if (!S_ISREG(st.st_mode)) {
        ++skipped.notRegular;
        continue;
      }
      if (!inside(realPath(path), root)) {
        ++skipped.outside;
        continue;
      }
      files.push_back(path);
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

SiteFindRun::SiteFindRun(std::vector<std::string> files, std::shared_ptr<const SiteMatcher> matcher,
                         std::map<std::string, std::string> openTexts)
    : files_(std::move(files)), matcher_(std::move(matcher)), openTexts_(std::move(openTexts)) {}

SiteFindRun::~SiteFindRun() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

void SiteFindRun::start() {
  if (!thread_.joinable()) thread_ = std::thread([this] { work(); });
}

void SiteFindRun::work() {
  for (const std::string& path : files_) {
    if (stop_) break;
    std::optional<std::string> bytes;
    const auto open = openTexts_.find(path);
    // The stamp is taken before the bytes: a file changed while it is read is seen as changed later.
    const auto stamp = open == openTexts_.end() ? stampOf(path) : std::nullopt;
    if (open != openTexts_.end()) {
      bytes = open->second;
    } else {
      struct stat st {};
      const bool there = ::stat(path.c_str(), &st) == 0;
      if (!there || !S_ISREG(st.st_mode)) {
        std::lock_guard<std::mutex> lock(mutex_);
        ++(there ? skipped_.notRegular : skipped_.unreadable);
        ++read_;
        continue;
      }
      bytes = readWholeFile(path);
    }
    ++read_;
    if (!bytes) {
      std::lock_guard<std::mutex> lock(mutex_);
      ++skipped_.unreadable;
      continue;
    }
    if (std::string_view(*bytes).substr(0, kBinaryProbe).find('\0') != std::string_view::npos) {
      std::lock_guard<std::mutex> lock(mutex_);
      ++skipped_.binary;
      continue;
    }
    FileFindings f = findInPage(path, *bytes, *matcher_);
    f.fromWindow = open != openTexts_.end();
    if (stamp) f.stamp = *stamp;
    if (f.matches.empty() && f.error.empty()) continue;
    std::lock_guard<std::mutex> lock(mutex_);
    found_.push_back(std::move(f));
  }
  finished_ = true;
}

std::vector<FileFindings> SiteFindRun::take(bool& done) {
  done = finished_.load();  // read first: what was found before the end is in found_ by now
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<FileFindings> out;
  out.swap(found_);
  return out;
}

SkippedFiles SiteFindRun::skipped() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return skipped_;
}

std::string replaceMatches(std::string_view page, const SiteMatcher& matcher, const std::vector<PageMatch>& chosen,
                           std::string_view replacementUtf8) {
  const std::string replacement = textIntoPage(replacementUtf8, pageTextOf(page));
  std::string out;
  out.reserve(page.size());
  size_t at = 0;
  for (const PageMatch& m : chosen) {
    if (m.start < at || m.end > page.size()) continue;  // overlapping or out of the page: left alone
    out.append(page.substr(at, m.start - at));
    out += matcher.expand(replacement, page, m);
    at = m.end;
  }
  out.append(page.substr(at));
  return out;
}

}  // namespace quillon
