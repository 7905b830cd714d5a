#include "check/site_check.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <optional>
#include <set>
#include <thread>

#include "base/file_copy.h"
#include "base/file_io.h"
#include "base/text_bytes.h"
#include "check/css_references.h"
#include "check/page_facts.h"
#include "check/reference_target.h"
#include "editor/page_encoding.h"
#include "publish/publish_tree.h"

namespace quillon {

namespace {

std::string extensionOf(std::string_view path) {
  const size_t slash = path.rfind('/');
  const size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
  return lowerAscii(path.substr(dot + 1));
}

bool isHtmlName(std::string_view path) {
  const std::string ext = extensionOf(path);
  return ext == "html" || ext == "htm" || ext == "xhtml" || ext == "shtml";
}

bool isCssName(std::string_view path) { return extensionOf(path) == "css"; }

// A page read and parsed, with what the checks need of its bytes.
struct ParsedPage {
  bool read = false;
  PageFacts facts;
  std::optional<LinePositions> positions;
  bool validUtf8 = true, ascii = true, bom = false;
};

ParsedPage parsePage(const std::string& path) {
  ParsedPage p;
  const auto bytes = readWholeFile(path);
  if (!bytes) return p;
  p.read = true;
  p.facts = readPageFacts(*bytes);
  p.positions.emplace(*bytes);
  p.validUtf8 = isValidUtf8(*bytes);
  p.ascii = std::none_of(bytes->begin(), bytes->end(), [](char c) { return (c & 0x80) != 0; });
  p.bom = bytes->compare(0, 3, "\xEF\xBB\xBF") == 0;
  return p;
}

class Checker {
 public:
  Checker(const SiteCheckRequest& request, SiteCheckProgress& progress) : request_(request), progress_(progress) {
    root_ = request.root.empty() || request.root.back() == '/' ? request.root : request.root + "/";
  }

  SiteCheckResult run() {
    SiteCheckResult result;
    if (root_ == "/" || root_.empty()) {
      result.error = request_.pages.empty()
                         ? "The whole file system is no site: choose the site's own folder."
                         : "The project's pages share no folder but the root of the file system, so there is no "
                           "site folder to check: check a folder instead.";
      return result;
    }
    const LocalTree tree = scanLocalTree(root_, exclusionPatterns(kDefaultPublishExclusions));
    if (!tree.readable) {
      result.error = "The site folder " + root_ + " cannot be read.";
      return result;
    }
    for (const std::string& unreadable : tree.unreadable)
      findings_.push_back({FindingKind::UnreadablePage, true, shown(unreadable), 1, 1, unreadable,
                           "it cannot be read, so nothing in it is checked"});
    for (const LocalFile& f : tree.files) files_.emplace(f.path, f.size);
    for (const std::string& f : tree.folders) folders_.insert(f);
    result.filesInSite = files_.size();

    std::vector<std::string> checked;  // relative paths
    if (request_.pages.empty()) {
      for (const auto& [path, size] : files_)
        if (isHtmlName(path)) checked.push_back(path);
    } else {
      for (const std::string& page : request_.pages) {
        if (page.compare(0, root_.size(), root_) != 0) {
          findings_.push_back({FindingKind::UnreadablePage, true, page, 1, 1, page, "it is not in the site folder"});
          continue;
        }
        const std::string rel = page.substr(root_.size());
        if (std::find(checked.begin(), checked.end(), rel) == checked.end()) checked.push_back(rel);
      }
    }
    parseAll(checked);
    for (const std::string& rel : checked) {
      if (progress_.stop) break;
      checkPage(rel);
      ++result.pagesChecked;
    }
    if (request_.pages.empty())
      for (const auto& [path, size] : files_)
        if (isCssName(path)) sheetsToCheck_.insert(path);
    for (const std::string& rel : sheetsToCheck_)
      if (!progress_.stop) checkSheet(rel);
    if (!progress_.stop) findOrphans(checked);
    result.stopped = progress_.stop;
    result.findings = std::move(findings_);
    result.external = std::move(external_);
    return result;
  }

 private:
  std::string shown(const std::string& rel) const { return root_ + rel; }

  void parseAll(const std::vector<std::string>& rels) {
    progress_.pagesTotal = rels.size();
    std::vector<ParsedPage> parsed(rels.size());
    std::atomic<size_t> next{0};
    const auto work = [&] {
      for (size_t i; !progress_.stop && (i = next++) < rels.size();) {
        parsed[i] = parsePage(root_ + rels[i]);
        ++progress_.pagesDone;
      }
    };
    const unsigned threads = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
    std::vector<std::thread> pool;
    for (unsigned i = 1; i < threads && i < rels.size(); ++i) pool.emplace_back(work);
    work();
    for (std::thread& t : pool) t.join();
    for (size_t i = 0; i < rels.size(); ++i) pages_.emplace(rels[i], std::move(parsed[i]));
  }

  const ParsedPage& page(const std::string& rel) {
    auto it = pages_.find(rel);
    if (it == pages_.end()) it = pages_.emplace(rel, parsePage(root_ + rel)).first;
    return it->second;
  }

  const std::vector<CssReference>& sheet(const std::string& rel) {
    auto it = sheets_.find(rel);
    if (it == sheets_.end()) {
      const auto bytes = readWholeFile(root_ + rel);
      it = sheets_.emplace(rel, bytes ? cssReferences(*bytes) : std::vector<CssReference>{}).first;
    }
    return it->second;
  }

  // The file a local target names, or why there is none.
  struct Located {
    std::string file;  // relative path; empty when `why` says what is wrong
    std::string why;
    bool outside = false;
  };
  Located locate(const ReferenceTarget& t, const std::string& from) {
    if (t.path.empty() && !t.folder) return {from, {}};
    const auto indexOf = [&](const std::string& folder) -> Located {
      const std::string prefix = folder.empty() ? "" : folder + "/";
      for (const char* name : {"index.html", "index.htm"})
        if (files_.count(prefix + name)) return {prefix + name, {}};
      return {{}, "the folder has no index.html or index.htm"};
    };
    if (t.folder || folders_.count(t.path)) {
      if (t.path.empty() || folders_.count(t.path) || isDirectory(root_ + t.path)) return indexOf(t.path);
      if (files_.count(t.path)) return {{}, "it is a file, not a folder"};
      if (lowerNames_.empty()) {
        for (const auto& [path, size] : files_) lowerNames_.emplace(lowerAscii(path), path);
        for (const std::string& folder : folders_) lowerNames_.emplace(lowerAscii(folder), folder + "/");
      }
      const auto similar = lowerNames_.find(lowerAscii(t.path));
      if (similar != lowerNames_.end() && similar->second.back() == '/')
        return {{}, "no such folder; there is " + similar->second + " (names differ in case)"};
      return {{}, "no such folder"};
    }
    if (files_.count(t.path)) return {t.path, {}};
    const std::string full = root_ + t.path;
    struct stat st {};
    if (::lstat(full.c_str(), &st) == 0) {
      // Not listed with the site: it may lie behind a link that leads out of the site folder.
      if (!staysInside(full, root_)) return {{}, "it lies behind a link that leads out of the site folder", true};
      if (isDirectory(full)) return indexOf(t.path);
      return {t.path, {}};  // a file the site's listing leaves out (hidden, a backup): it is there
    }
    if (errno == EACCES) return {{}, "it cannot be read (no permission)"};
    if (lowerNames_.empty()) {
      for (const auto& [path, size] : files_) lowerNames_.emplace(lowerAscii(path), path);
      for (const std::string& folder : folders_) lowerNames_.emplace(lowerAscii(folder), folder + "/");
    }
    const auto similar = lowerNames_.find(lowerAscii(t.path));
    if (similar != lowerNames_.end())
      return {{}, "no such file; there is " + similar->second + " (names differ in case)"};
    return {{}, "no such file"};
  }

  void add(FindingKind kind, const std::string& rel, const ParsedPage& p, size_t offset, std::string target,
           std::string detail = {}) {
    const auto [line, column] = p.positions->at(offset);
    findings_.push_back({kind, true, shown(rel), line, column, std::move(target), std::move(detail)});
  }

  void checkPage(const std::string& rel) {
    const ParsedPage& p = page(rel);
    const size_t first = findings_.size();
    if (!p.read) {
      findings_.push_back({FindingKind::UnreadablePage, true, shown(rel), 1, 1, rel, "it cannot be read"});
      return;
    }
    if (!p.facts.unparsed.empty()) {
      add(FindingKind::UnreadablePage, rel, p, 0, rel, p.facts.unparsed);
      return;
    }
    std::vector<std::pair<size_t, size_t>> order;  // offset, finding index
    const auto note = [&](size_t offset) { order.emplace_back(offset, findings_.size() - 1); };
    for (const PageReference& ref : p.facts.references) {
      const ReferenceTarget t = resolveReference(ref.url, rel, p.facts.base);
      switch (t.kind) {
        case ReferenceTarget::Other:
          continue;
        case ReferenceTarget::Bad:
          add(FindingKind::BadReference, rel, p, ref.offset, ref.url, t.why);
          note(ref.offset);
          continue;
        case ReferenceTarget::Outside:
          add(FindingKind::OutsideSite, rel, p, ref.offset, ref.url, "it climbs out of the site folder");
          note(ref.offset);
          continue;
        case ReferenceTarget::External: {
          const auto [line, column] = p.positions->at(ref.offset);
          external_.push_back({t.url, shown(rel), line, column});
          continue;
        }
        case ReferenceTarget::Local:
          break;
      }
      const Located found = locate(t, rel);
      if (found.file.empty()) {
        add(found.outside ? FindingKind::OutsideSite : FindingKind::BrokenLink, rel, p, ref.offset, ref.url, found.why);
        note(ref.offset);
        continue;
      }
      if (t.fragment.empty() || !isHtmlName(found.file)) continue;
      const ParsedPage& target = page(found.file);
      if (!target.read || !target.facts.unparsed.empty()) continue;
      if (target.facts.targets.count(t.rawFragment) || target.facts.targets.count(t.fragment) ||
          equalsIgnoringAsciiCase(t.fragment, "top"))
        continue;
      add(FindingKind::BrokenAnchor, rel, p, ref.offset, ref.url,
          "no id or name \"" + t.fragment + "\" in " + (found.file == rel ? "this page" : found.file));
      note(ref.offset);
    }
    for (const auto& [src, offset] : p.facts.imagesWithoutAlt) {
      add(FindingKind::MissingAlt, rel, p, offset, src.empty() ? "img" : src, "the image has no alt text");
      note(offset);
    }
    for (const PageFacts::DuplicateId& d : p.facts.duplicateIds) {
      const size_t firstLine = p.positions->at(d.first).first;
      add(FindingKind::DuplicateId, rel, p, d.offset, d.id, "first at line " + std::to_string(firstLine));
      note(d.offset);
    }
    if (!p.facts.base.empty() && baseInEffect(p.facts.base).empty()) {
      add(FindingKind::BadReference, rel, p, p.facts.baseOffset, p.facts.base,
          "no web server can use this base; the page's links are checked from its own folder");
      note(p.facts.baseOffset);
    }
    if (const std::string& declared = p.facts.charset; !declared.empty()) {
      std::string why;
      if (isUtf8CharsetName(declared) && !p.validUtf8)
        why = "it declares " + declared + ", but its bytes are not UTF-8";
      if (isEightBitCharsetName(declared) && (p.bom || (p.validUtf8 && !p.ascii)))
        why = "it declares " + declared + ", but its bytes are UTF-8";
      if (!why.empty()) {
        add(FindingKind::Charset, rel, p, p.facts.charsetOffset, declared, why);
        note(p.facts.charsetOffset);
      }
    }
    // The page's findings in the order they stand in it.
    std::stable_sort(order.begin(), order.end(), [](auto& a, auto& b) { return a.first < b.first; });
    std::vector<Finding> sorted;
    for (const auto& [offset, index] : order) sorted.push_back(std::move(findings_[index]));
    findings_.resize(first);
    for (Finding& f : sorted) findings_.push_back(std::move(f));
    weigh(rel);
  }

  // The references of a style sheet of the site, reported in the sheet's own lines.
  void checkSheet(const std::string& rel) {
    const auto bytes = readWholeFile(root_ + rel);
    if (!bytes) {
      findings_.push_back({FindingKind::UnreadablePage, true, shown(rel), 1, 1, rel, "it cannot be read"});
      return;
    }
    const LinePositions positions(*bytes);
    const auto report = [&](FindingKind kind, const CssReference& r, std::string why) {
      const auto [line, column] = positions.at(r.offset);
      findings_.push_back({kind, true, shown(rel), line, column, r.url, std::move(why)});
    };
    for (const CssReference& r : sheet(rel)) {
      const ReferenceTarget t = resolveReference(r.url, rel, {});
      if (t.kind == ReferenceTarget::Bad) report(FindingKind::BadReference, r, t.why);
      if (t.kind == ReferenceTarget::Outside) report(FindingKind::OutsideSite, r, "it climbs out of the site folder");
      if (t.kind == ReferenceTarget::External) {
        const auto [line, column] = positions.at(r.offset);
        external_.push_back({t.url, shown(rel), line, column});
      }
      if (t.kind != ReferenceTarget::Local) continue;
      const Located found = locate(t, rel);
      if (found.file.empty()) report(found.outside ? FindingKind::OutsideSite : FindingKind::BrokenLink, r, found.why);
    }
  }

  // Everything a page loads with it, its frames' loads and its style sheets' loads included.
  void weigh(const std::string& rel) {
    std::set<std::string> framed;  // pages shown in this page's frames: what they load counts for it
    std::set<std::string> loaded = {rel};
    std::vector<std::string> pending = {rel};
    while (!pending.empty()) {
      const std::string file = pending.back();
      pending.pop_back();
      const auto load = [&](const ReferenceTarget& t, const std::string& from) {
        if (t.kind != ReferenceTarget::Local) return;
        const Located found = locate(t, from);
        if (!found.file.empty() && loaded.insert(found.file).second) pending.push_back(found.file);
      };
      if (isCssName(file)) {
        sheetsToCheck_.insert(file);
        for (const CssReference& r : sheet(file)) load(resolveReference(r.url, file, {}), file);
      } else if (file == rel || isHtmlName(file)) {
        // Only the page and its frames are read as pages: an image named .html is only loaded.
        if (file != rel && !framed.count(file)) continue;
        const ParsedPage& p = page(file);
        for (const PageReference& ref : p.facts.references) {
          if (ref.use == ReferenceUse::Link || ref.use == ReferenceUse::Alternative) continue;
          const ReferenceTarget t = resolveReference(ref.url, file, p.facts.base);
          if (ref.use == ReferenceUse::Frame && t.kind == ReferenceTarget::Local) {
            const Located found = locate(t, file);
            if (!found.file.empty()) framed.insert(found.file);
          }
          load(t, file);
        }
      }
    }
    int64_t bytes = 0;
    for (const std::string& file : loaded) {
      const auto it = files_.find(file);
      if (it != files_.end())
        bytes += it->second;
      else if (const auto size = regularFileSize(root_ + file))
        bytes += *size;
    }
    const double mobile = secondsAt(bytes, kMobileBitsPerSecond), broadband = secondsAt(bytes, kBroadbandBitsPerSecond);
    char times[96];
    std::snprintf(times, sizeof times, "%zu %s; %.1f s on mobile, %.1f s on broadband", loaded.size(),
                  loaded.size() == 1 ? "file" : "files", mobile, broadband);
    std::string detail = times;
    const bool heavy = bytes > request_.goodBytes;
    if (bytes > request_.heavyBytes)
      detail += "; too heavy, over " + kilobytesText(request_.heavyBytes);
    else if (heavy)
      detail += "; heavy, over " + kilobytesText(request_.goodBytes);
    findings_.push_back({FindingKind::PageWeight, heavy, shown(rel), 1, 1, kilobytesText(bytes), detail});
  }

  void findOrphans(const std::vector<std::string>& checked) {
    std::deque<std::string> pending;
    std::set<std::string> reached;
    const auto reach = [&](const std::string& file) {
      if (reached.insert(file).second) pending.push_back(file);
    };
    if (!request_.pages.empty())
      for (const std::string& rel : checked) reach(rel);
    for (const char* index : {"index.html", "index.htm"})
      if (files_.count(index)) {
        reach(index);
        break;
      }
    if (reached.empty()) {
      findings_.push_back({FindingKind::Orphan, false, root_, 1, 1, root_,
                           "the site folder has no index.html or index.htm, so orphans are not looked for"});
      return;
    }
    while (!pending.empty() && !progress_.stop) {
      const std::string file = pending.front();
      pending.pop_front();
      const auto follow = [&](const ReferenceTarget& t, const std::string& from) {
        if (t.kind != ReferenceTarget::Local) return;
        const Located found = locate(t, from);
        if (!found.file.empty()) reach(found.file);
      };
      if (isCssName(file)) {
        for (const CssReference& r : sheet(file)) follow(resolveReference(r.url, file, {}), file);
      } else if (isHtmlName(file)) {
        const ParsedPage& p = page(file);
        for (const PageReference& ref : p.facts.references) follow(resolveReference(ref.url, file, p.facts.base), file);
      }
    }
    // A file listed under one name may be reached under another (a folder linked to by a symbolic link).
    std::set<std::string> reachedReal;
    for (const std::string& file : reached)
      if (char* real = ::realpath((root_ + file).c_str(), nullptr)) {
        reachedReal.insert(real);
        std::free(real);
      }
    for (const auto& [file, size] : files_) {
      if (reached.count(file)) continue;
      if (char* real = ::realpath((root_ + file).c_str(), nullptr)) {
        const bool same = reachedReal.count(real) > 0;
        std::free(real);
        if (same) continue;
      }
      findings_.push_back({FindingKind::Orphan, true, shown(file), 1, 1, file, "no page of the site leads to it"});
    }
  }

  const SiteCheckRequest& request_;
  SiteCheckProgress& progress_;
  std::string root_;
  std::map<std::string, int64_t> files_;
  std::set<std::string> folders_;
  std::map<std::string, std::string> lowerNames_;
  std::map<std::string, ParsedPage> pages_;
  std::map<std::string, std::vector<CssReference>> sheets_;
  std::set<std::string> framed_;
  std::set<std::string> sheetsToCheck_;  // the site's style sheets: every one in a folder check, else those loaded  //
                                         // pages shown in frames: what they load counts for the page around them
  std::vector<Finding> findings_;
  std::vector<ExternalUse> external_;
};

}  // namespace

double secondsAt(int64_t bytes, double bitsPerSecond) { return static_cast<double>(bytes) * 8.0 / bitsPerSecond; }

std::string kilobytesText(int64_t bytes) {
  int64_t kb = (bytes + 1023) / 1024;
  std::string digits = std::to_string(kb);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<size_t>(i), ",");
  return digits + " KB";
}

SiteCheckResult checkSite(const SiteCheckRequest& request, SiteCheckProgress& progress) {
  return Checker(request, progress).run();
}

std::vector<Finding> externalFindings(const std::vector<ExternalUse>& uses,
                                      const std::map<std::string, ExternalAnswer>* answers) {
  std::vector<Finding> out;
  for (const ExternalUse& use : uses) {
    Finding f{FindingKind::ExternalLink, false, use.page, use.line, use.column, use.url, {}};
    const auto it = answers ? answers->find(use.url) : std::map<std::string, ExternalAnswer>::const_iterator{};
    if (answers && it != answers->end()) {
      const ExternalAnswer& a = it->second;
      if (!a.error.empty() || a.status >= 400 || a.status == 0) {
        f.kind = FindingKind::ExternalBroken;
        f.problem = true;
        f.detail = a.error.empty() ? "the server answered " + std::to_string(a.status) : a.error;
      } else if (!a.finalUrl.empty() && a.finalUrl != use.url) {
        f.kind = FindingKind::ExternalRedirect;
        f.detail = "it leads to " + a.finalUrl + " (" + std::to_string(a.status) + ")";
      } else {
        f.detail = std::to_string(a.status);
      }
    }
    out.push_back(std::move(f));
  }
  return out;
}

}  // namespace quillon
