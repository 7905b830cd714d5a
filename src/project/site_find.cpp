#include "project/site_find.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>

#include "base/file_copy.h"
#include "base/file_io.h"
#include "base/text_bytes.h"
#include "editor/page_encoding.h"

namespace quillon {

namespace {

constexpr size_t kBinaryProbe = 8192;

// A file read for searching: opened once (never waiting on a FIFO), its kind and stamp from the open file.
enum class ReadKind { Read, NotRegular, Unreadable };
ReadKind readForSearch(const std::string& path, std::string& bytes, FileStamp& stamp) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return ReadKind::Unreadable;
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    ::close(fd);
    return ReadKind::Unreadable;
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return ReadKind::NotRegular;
  }
  stamp = FileStamp{static_cast<int64_t>(st.st_size),
                    static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
  bytes.resize(static_cast<size_t>(st.st_size));
  size_t got = 0;
  bool ok = true;
  while (got < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  bytes.resize(got);  // a file that shrank while it was read
  // A file that grew while it was read: the rest is read too (its stamp then no longer matches the file).
  for (char more[65536]; ok && got == static_cast<size_t>(st.st_size);) {
    const ssize_t n = ::read(fd, more, sizeof more);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    bytes.append(more, static_cast<size_t>(n));
  }
  ::close(fd);
  return ok ? ReadKind::Read : ReadKind::Unreadable;
}

}  // namespace

FileFindings findInPage(const std::string& path, std::string_view page, const SiteMatcher& matcher) {
  FileFindings f;
  f.path = path;
  f.utf8 = readAsUtf8(page);
  matcher.findAll(page, f.utf8, f.matches, f.error);
  size_t line = 1, lineStart = 0, scanned = 0;
  const char* base = page.data();
  // The next LF and CR at or after `scanned`, found with memchr (this runs over every byte before the last
  // match of every page) and looked for again only once passed.
  size_t nextLf = 0, nextCr = 0;
  const auto after = [&](char c, size_t from) {
    const void* hit = from < page.size() ? std::memchr(base + from, c, page.size() - from) : nullptr;
    return hit ? static_cast<size_t>(static_cast<const char*>(hit) - base) : page.size();
  };
  nextLf = after('\n', 0);
  nextCr = after('\r', 0);
  for (const PageMatch& m : f.matches) {
    // Lines end at LF, at CR LF or at a lone CR, as the editor counts them.
    while (scanned < m.start) {
      if (nextLf < scanned) nextLf = after('\n', scanned);
      if (nextCr < scanned) nextCr = after('\r', scanned);
      const size_t next = std::min(nextLf, nextCr);
      if (next >= m.start) {
        scanned = m.start;
        break;
      }
      const bool crlf = base[next] == '\r' && next + 1 < page.size() && base[next + 1] == '\n';
      if (crlf && next + 1 >= m.start) {  // the match starts on the LF of a CR LF: still this line
        scanned = m.start;
        break;
      }
      scanned = next + (crlf ? 2 : 1);
      ++line;
      lineStart = scanned;
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

std::string resultTitle(const FileFindings& f, size_t match, std::pair<size_t, size_t>* mark) {
  const FileFindings::Shown& s = f.shown[match];
  std::string text = s.before + s.match + s.after;
  for (char& c : text)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  const std::string_view trimmed = trimBlanks(text);
  const std::string prefix = f.path + ":" + std::to_string(f.lines[match]) + ": ";
  if (mark) {
    // The match in the text's own places, then in the trimmed text's.
    const size_t lead = static_cast<size_t>(trimmed.data() - text.data());
    const size_t start = std::max(s.before.size(), lead) - lead;
    const size_t end = std::min(s.before.size() + s.match.size(), lead + trimmed.size()) - lead;
    *mark = {prefix.size() + start, end > start ? end - start : 0};
  }
  return prefix + std::string(trimmed);
}

bool nameMatchesFilter(std::string_view name, std::string_view filter) {
  if (trimBlanks(filter).empty()) return true;
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
  if (!isDirectory(folder)) return files;
  std::set<FileIdentity> seen;
  std::vector<std::string> pending = {folder.empty() || folder.back() == '/' ? folder : folder + "/"};
  while (!pending.empty()) {
    const std::string dir = pending.back();
    pending.pop_back();
    const auto id = identityOf(dir);
    if (!id || !seen.insert(*id).second) continue;
    DIR* d = ::opendir(dir.c_str());
    if (!d) {
      ++skipped.unreadable;
      continue;
    }
    std::vector<std::pair<std::string, unsigned char>> names;
    while (const dirent* e = ::readdir(d))
      if (std::string_view(e->d_name) != "." && std::string_view(e->d_name) != "..")
        names.emplace_back(e->d_name, e->d_type);
    ::closedir(d);
    for (const auto& [name, type] : names) {
      const std::string path = dir + name;
      // Only a link can lead out of the folder: plain files and folders are inside as their folder is.
      const bool link = type == DT_LNK || type == DT_UNKNOWN;
      if (type == DT_REG) {
        if (nameMatchesFilter(name, filter)) files.push_back(path);
        continue;
      }
      struct stat st {};
      if (::stat(path.c_str(), &st) != 0) {
        ++skipped.unreadable;
        continue;
      }
      if (S_ISDIR(st.st_mode)) {
        if (!subfolders) continue;
        if (link && !staysInside(path, folder)) {
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
      if (link && !staysInside(path, folder)) {
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
  for (std::thread& t : threads_)
    if (t.joinable()) t.join();
}

void SiteFindRun::start() {
  if (!threads_.empty()) return;
  searched_.assign(files_.size(), 0);
  const unsigned processors = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
  const size_t count = std::max<size_t>(1, std::min<size_t>(processors, files_.size()));
  working_ = count;
  for (size_t i = 0; i < count; ++i) threads_.emplace_back([this] { work(); });
}

void SiteFindRun::work() {
  for (size_t i; !stop_ && (i = next_++) < files_.size();) searchFile(i);
  if (--working_ == 0) finished_ = true;
}

void SiteFindRun::searchFile(size_t index) {
  const std::string& path = files_[index];
  std::optional<std::string> bytes;
  FileStamp stamp;
  const auto open = openTexts_.find(path);
  const auto searched = [&](std::optional<FileFindings> f, size_t SkippedFiles::*skip) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (skip) ++(skipped_.*skip);
    if (f) found_.emplace(index, std::move(*f));
    searched_[index] = 1;
    ++read_;
  };
  if (open != openTexts_.end()) {
    bytes = open->second;
  } else {
    std::string read;
    const ReadKind kind = readForSearch(path, read, stamp);
    if (kind != ReadKind::Read)
      return searched(std::nullopt,
                      kind == ReadKind::NotRegular ? &SkippedFiles::notRegular : &SkippedFiles::unreadable);
    bytes = std::move(read);
  }
  if (std::string_view(*bytes).substr(0, kBinaryProbe).find('\0') != std::string_view::npos)
    return searched(std::nullopt, &SkippedFiles::binary);
  FileFindings f = findInPage(path, *bytes, *matcher_);
  f.fromWindow = open != openTexts_.end();
  f.stamp = stamp;
  if (f.matches.empty() && f.error.empty()) return searched(std::nullopt, nullptr);
  searched(std::move(f), nullptr);
}

std::vector<FileFindings> SiteFindRun::take(bool& done) {
  done = finished_.load();  // read first: what was found before the end is in found_ by now
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<FileFindings> out;
  // In the order of the files: a file is handed out once every file before it has been searched.
  while (handedOut_ < searched_.size() && searched_[handedOut_]) {
    const auto it = found_.find(handedOut_);
    if (it != found_.end()) {
      out.push_back(std::move(it->second));
      found_.erase(it);
    }
    ++handedOut_;
  }
  // A stopped run hands out what it found, in order, though files between were never searched.
  if (done)
    for (auto& [index, f] : found_) out.push_back(std::move(f));
  if (done) found_.clear();
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
