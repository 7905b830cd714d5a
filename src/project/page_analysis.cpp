#include "project/page_analysis.h"

#include <algorithm>

#include "base/file_io.h"
#include "base/text_bytes.h"
#include "editor/page_encoding.h"
#include "project/page_scans.h"
#include "project/site_files.h"

namespace quillon {

namespace {

std::string kb(long long value) { return std::to_string(value) + "KB"; }

const std::string kAsterisks = [] {
  std::string line;
  for (int i = 0; i < 36; ++i) line += " *";
  return line;
}();

void sortUnique(std::vector<std::string>& list) {
  std::sort(list.begin(), list.end());
  list.erase(std::unique(list.begin(), list.end()), list.end());
}

// The integer part of kb x 0.DDDD (twenty decimal digits: head * 10 + last), without rounding.
long long scaled(long long kbs, unsigned long long head, unsigned last) {
  if (kbs <= 0) return 0;
  const unsigned __int128 multiplier = static_cast<unsigned __int128>(head) * 10 + last;
  const unsigned __int128 tenTo20 = static_cast<unsigned __int128>(10000000000000000000ULL) * 10;
  return static_cast<long long>(static_cast<unsigned __int128>(kbs) * multiplier / tenTo20);
}

}  // namespace

long long loadSeconds288(long long kbs) { return scaled(kbs, 2702702702702702702ULL, 6); }  // 0.27027027027027027026
long long loadSeconds144(long long kbs) { return scaled(kbs, 5263157894736842105ULL, 3); }  // 0.52631578947368421053

PageAnalysis analysePage(const std::string& title, const std::string& path, const std::string& imageDir,
                         const StopCheck& stop) {
  PageAnalysis a;
  const auto page = readWholeFile(path);
  if (!page) {
    a.unreadable = true;
    a.message = "Could not open file \"" + std::string(fileNamePart(path)) + "\".";
    a.summary = {"Error For Page: " + title, std::string(kSummaryRule, '='),
                 "Could not open this HTML file. Has it been moved, renamed, or deleted?", " "};
    a.row = {title, "ERROR", "", "", "Cannot access file.", ""};
    return a;
  }
  std::vector<std::string> images = scanImages(*page, stop);
  sortUnique(images);
  a.summary = {"Data For Page: " + title, "HTML File Location:  " + upperAscii(path), std::string(kSummaryRule, '='),
               "Embedded Images....."};
  long long imageTotal = 0;
  for (const std::string& name : images) {
    // The scan lower-cases names; on this system the file may be named in other letters.
    const std::string imagePath = findIgnoringCase(imageDir, name);
    const auto size = regularFileSize(imagePath);
    if (!size) {
      a.summary.push_back("**Cannot access file       " + imagePath);
      a.summary.push_back("    Make sure file exists and is in the image directory above.");
      a.imageError = true;
      continue;
    }
    imageTotal += kilobytes(*size);
    a.summary.push_back(kb(kilobytes(*size)) + "       " + imagePath);
  }
  const auto pageSize = regularFileSize(path);
  const long long htmlKb = pageSize ? kilobytes(*pageSize) : 0;
  const std::string htmlText = pageSize ? std::to_string(htmlKb) : "Error";
  a.summary.push_back(kAsterisks);
  a.summary.push_back("Unique Images: " + std::to_string(images.size()) +
                      "   Total File Size of Images: " + kb(imageTotal));
  a.summary.push_back("HTML File Size: " + htmlText + "KB" + "   Total Files to Load: " + kb(imageTotal + htmlKb));
  a.summary.push_back(kAsterisks);
  a.summary.push_back(" ");
  const long long total = imageTotal + htmlKb;
  a.row = {title,
           htmlText + "KB",
           std::to_string(images.size()),
           (a.imageError ? "**" : "") + kb(imageTotal),
           std::to_string(loadSeconds288(total)) + " sec",
           std::to_string(loadSeconds144(total)) + " sec"};
  return a;
}

std::vector<std::string> linkListing(std::vector<std::string> links, const std::string& title,
                                     const std::string& path) {
  sortUnique(links);
  std::vector<std::string> lines = {
      "URL Link report for page: " + title, "HTML File Location:  " + upperAscii(path),
      "The following HREF links have been found on this page:", std::string(kListingRule, '=')};
  lines.insert(lines.end(), links.begin(), links.end());
  return lines;
}

std::vector<std::string> imageListing(std::vector<std::string> names, const ImageListingHeader& header,
                                      const std::string& imageDir) {
  std::vector<std::string> lines;
  if (header.site) {
    lines = {"Image File Report For Site: " + upperAscii(header.project),
             "These are the images included on the pages within this site:"};
  } else {
    lines = {"Image File Report For Page: " + header.title, "HTML File Location:  " + upperAscii(header.path),
             "These are the images included on this web page:"};
  }
  lines.push_back(std::string(kSummaryRule, '='));
  sortUnique(names);
  for (const std::string& name : names) lines.push_back(imageDir + name);
  lines.push_back(" ");
  return lines;
}

std::vector<std::string> bothSeparator() { return {"  ", std::string(48, '='), "  ", "  "}; }

std::optional<std::string> foundLines(std::string_view page, std::string_view search, const StopCheck& stop) {
  // The typed text is looked for as the page holds it (Latin-1 bytes in an 8-bit page).
  const auto inPage = textAsInPage(search, page);
  if (!inPage) return std::nullopt;
  const std::string needle = lowerAscii(*inPage);
  std::string numbers;
  size_t number = 0;
  bool stopped = false;
  forEachLine(page, [&](std::string_view line, size_t) {
    if (stopped || (stop && number % 4096 == 4095 && (stopped = stop()))) return;
    if (lowerAscii(line).find(needle) != std::string::npos)
      numbers += (numbers.empty() ? "Line#" : ", #") + std::to_string(number);
    ++number;
  });
  if (numbers.empty()) return std::nullopt;
  return numbers;
}

std::vector<std::string> foundListHeader(const std::string& time, const std::string& projectEntry,
                                         const std::string& search) {
  const std::string stem = projectEntry.size() >= 4 ? projectEntry.substr(0, projectEntry.size() - 4) : projectEntry;
  return {"Report generated by Quillon Pro:  " + time,
          " ",
          "SHOW ME WHERE report for Project: " + upperAscii(stem),
          "Search for Text: " + search,
          "This text was found on the following pages:",
          std::string(kListingRule, '=')};
}

std::string foundLine(const std::string& path, bool nameOnly, const std::string& lineNumbers) {
  return "HTML File:  " + upperAscii(nameOnly ? std::string(fileNamePart(path)) : path) + "   " + lineNumbers;
}

}  // namespace quillon
