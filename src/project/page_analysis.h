#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/page_scans.h"

namespace quillon {

// A file's size in KB as the analysis counts it: bytes integer-divided by 1000.
inline long long kilobytes(long long bytes) { return bytes / 1000; }

// Seconds to load `kb` over a 28.8 and a 14.4 modem: the integer part of kb x 0.27027027027027027026 and
// kb x 0.52631578947368421053, computed exactly (37 KB gives 9 and 19).
long long loadSeconds288(long long kb);
long long loadSeconds144(long long kb);

// One page's analysis: the page summary lines, the grid row, and the message an unreadable page gives.
struct PageAnalysis {
  std::vector<std::string> summary;
  std::array<std::string, 6> row;
  bool unreadable = false;
  bool imageError = false;
  std::string message;
};

// Reads the page and looks up each unique image in `imageDir` (ending in '/'), by its name in any case.
PageAnalysis analysePage(const std::string& title, const std::string& path, const std::string& imageDir,
                         const StopCheck& stop = {});

inline constexpr int kSummaryRule = 35;
inline constexpr int kListingRule = 54;

// The link listing: its header for the page scanned last, then every unique link, sorted.
std::vector<std::string> linkListing(std::vector<std::string> links, const std::string& title, const std::string& path);

// The image listing: for a site run the project's header, for a page run the page's; then the image
// directory with each unique name, sorted, and a final " ".
struct ImageListingHeader {
  bool site = false;
  std::string project;  // site run
  std::string title;    // page run
  std::string path;     // page run
};
std::vector<std::string> imageListing(std::vector<std::string> names, const ImageListingHeader& header,
                                      const std::string& imageDir);

// The lines "Both" puts between the link listing and the image listing.
std::vector<std::string> bothSeparator();

// "Line#0, #2": the 0-based numbers of the lines holding `search` without regard to A-Z case; nothing when
// no line does.
std::optional<std::string> foundLines(std::string_view page, std::string_view search, const StopCheck& stop = {});

// The found list's head: generated time, project, search text, and the rule.
std::vector<std::string> foundListHeader(const std::string& time, const std::string& projectEntry,
                                         const std::string& search);
// One page's line of the found list.
std::string foundLine(const std::string& path, bool nameOnly, const std::string& lineNumbers);

}  // namespace quillon
