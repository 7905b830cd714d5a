#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

enum class FindingKind {
  BrokenLink,
  BrokenAnchor,
  OutsideSite,
  BadReference,
  MissingAlt,
  DuplicateId,
  Charset,
  UnreadablePage,
  Orphan,
  PageWeight,
  ExternalBroken,
  ExternalRedirect,
  ExternalLink,
};

// The kind as reports name it ("broken link"), and as a heading of the results ("Broken links").
std::string_view kindName(FindingKind kind);
std::string_view kindHeading(FindingKind kind);

struct Finding {
  FindingKind kind = FindingKind::BrokenLink;
  bool problem = true;  // false for what is only reported: external links listed, pages within budget
  std::string page;     // the page (or, for an orphan, the file) as the user named the site
  size_t line = 1, column = 1;
  std::string target;
  std::string detail;
};

// "PAGE:LINE:COLUMN: KIND: TARGET (DETAIL)", control characters written as \xNN.
std::string findingLine(const Finding& f);
// A header line, then one line per finding: page,line,column,kind,target,detail,problem (RFC 4180 quoting).
std::string findingsCsv(const std::vector<Finding>& findings);
// {"findings": [{"page", "line", "column", "kind", "target", "detail", "problem"}...]}
std::string findingsJson(const std::vector<Finding>& findings);
// A page of its own: the counts by kind, then each kind's findings as a table.
std::string findingsHtml(const std::vector<Finding>& findings, std::string_view site);

}  // namespace quillon
