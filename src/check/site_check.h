#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "check/check_findings.h"

namespace quillon {

struct SiteCheckRequest {
  std::string root;                  // the site folder, as the user named it
  std::vector<std::string> pages;    // the project's pages (paths); empty: every HTML file under the root
  int64_t goodBytes = 500 * 1024;    // a page and its loads up to this are light
  int64_t heavyBytes = 1500 * 1024;  // above this, too heavy
};

// An external link, once for each place it is written.
struct ExternalUse {
  std::string url;
  std::string page;
  size_t line = 1, column = 1;
};

struct SiteCheckProgress {
  std::atomic<size_t> pagesDone{0}, pagesTotal{0};
  std::atomic<bool> stop{false};
};

struct SiteCheckResult {
  std::string error;              // the site could not be checked at all
  std::vector<Finding> findings;  // by page and place, orphans last
  std::vector<ExternalUse> external;
  size_t pagesChecked = 0, filesInSite = 0;
  bool stopped = false;
};

// Load times at today's speeds: mobile 1.6 Mbit/s, broadband 25 Mbit/s.
double secondsAt(int64_t bytes, double bitsPerSecond);
constexpr double kMobileBitsPerSecond = 1.6e6, kBroadbandBitsPerSecond = 25e6;

// Every check of the site's local files: references, anchors, images without alt, duplicate ids,
// charsets, orphans and page weight. Pages are parsed on up to four threads.
SiteCheckResult checkSite(const SiteCheckRequest& request, SiteCheckProgress& progress);

// How an external link answered.
struct ExternalAnswer {
  int status = 0;        // the last HTTP status; 0 when there was none
  std::string finalUrl;  // after redirects, when there were any
  std::string error;     // no answer: "no answer within 10 s", a refused connection ...
};

// The findings of the external links, one per place each is written: broken, redirected, or listed.
std::vector<Finding> externalFindings(const std::vector<ExternalUse>& uses,
                                      const std::map<std::string, ExternalAnswer>* answers);

// "1,234 KB"
std::string kilobytesText(int64_t bytes);

}  // namespace quillon
