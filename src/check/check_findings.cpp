#include "check/check_findings.h"

#include <array>
#include <cstdio>
#include <map>

#include "base/text_bytes.h"
#include "check/reference_target.h"

namespace quillon {

namespace {

struct KindText {
  std::string_view name, heading;
};

const KindText& textOf(FindingKind kind) {
  static const std::array<KindText, 13> texts = {{
      {"broken link", "Broken links"},
      {"broken anchor", "Broken anchors"},
      {"outside the site", "References out of the site"},
      {"bad reference", "Unusable references"},
      {"missing alt", "Images without alt"},
      {"duplicate id", "Duplicate ids"},
      {"charset", "Charsets that disagree with the bytes"},
      {"unreadable page", "Pages that could not be checked"},
      {"orphan", "Orphan files"},
      {"page weight", "Page weight"},
      {"external link broken", "Broken external links"},
      {"redirect", "Redirected external links"},
      {"external link", "External links"},
  }};
  return texts[static_cast<size_t>(kind)];
}

std::string csvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

// JSON strings are Unicode: a byte that is not part of valid UTF-8 (a Latin-1 file name) is written as the
// Latin-1 character it would be.
std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x80) {
      const size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
      if (length > 1 && isValidUtf8(text.substr(i, length)) && i + length <= text.size()) {
        out.append(text.substr(i, length));
        i += length - 1;
      } else {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", b);
        out += escaped;
      }
      continue;
    }
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (b < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", b);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string htmlEscaped(std::string_view text) {
  std::string out;
  for (const char c : printable(text)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace

std::string_view kindName(FindingKind kind) { return textOf(kind).name; }
std::string_view kindHeading(FindingKind kind) { return textOf(kind).heading; }

std::string findingLine(const Finding& f) {
  std::string line = printable(f.page) + ":" + std::to_string(f.line) + ":" + std::to_string(f.column) + ": " +
                     std::string(kindName(f.kind)) + ": " + printable(f.target);
  if (!f.detail.empty()) line += " (" + printable(f.detail) + ")";
  return line;
}

std::string findingsCsv(const std::vector<Finding>& findings) {
  std::string out = "page,line,column,kind,target,detail,problem\r\n";
  for (const Finding& f : findings)
    out += csvField(f.page) + "," + std::to_string(f.line) + "," + std::to_string(f.column) + "," +
           std::string(kindName(f.kind)) + "," + csvField(f.target) + "," + csvField(f.detail) + "," +
           (f.problem ? "yes" : "no") + "\r\n";
  return out;
}

std::string findingsJson(const std::vector<Finding>& findings) {
  std::string out = "{\"findings\": [";
  for (size_t i = 0; i < findings.size(); ++i) {
    const Finding& f = findings[i];
    out += std::string(i ? ",\r\n  " : "\r\n  ") + "{\"page\": " + jsonString(f.page) +
           ", \"line\": " + std::to_string(f.line) + ", \"column\": " + std::to_string(f.column) +
           ", \"kind\": " + jsonString(kindName(f.kind)) + ", \"target\": " + jsonString(f.target) +
           ", \"detail\": " + jsonString(f.detail) + ", \"problem\": " + (f.problem ? "true" : "false") + "}";
  }
  return out + (findings.empty() ? "]}\r\n" : "\r\n]}\r\n");
}

std::string findingsHtml(const std::vector<Finding>& findings, std::string_view site) {
  std::map<FindingKind, std::vector<const Finding*>> byKind;
  for (const Finding& f : findings) byKind[f.kind].push_back(&f);
  std::string out =
      "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n<title>Site check of " + htmlEscaped(site) +
      "</title>\r\n<style>\r\nbody { font-family: sans-serif; }\r\ntable { border-collapse: collapse; }\r\n"
      "td, th { border: 1px solid #999; padding: 2px 6px; text-align: left; }\r\n</style>\r\n</head>\r\n<body>\r\n"
      "<h1>Site check of " +
      htmlEscaped(site) + "</h1>\r\n<ul>\r\n";
  for (const auto& [kind, list] : byKind)
    out += "<li><a href=\"#k" + std::to_string(static_cast<int>(kind)) + "\">" + htmlEscaped(kindHeading(kind)) +
           "</a>: " + std::to_string(list.size()) + "</li>\r\n";
  if (byKind.empty()) out += "<li>Nothing was found.</li>\r\n";
  out += "</ul>\r\n";
  for (const auto& [kind, list] : byKind) {
    out += "<h2 id=\"k" + std::to_string(static_cast<int>(kind)) + "\">" + htmlEscaped(kindHeading(kind)) +
           "</h2>\r\n<table>\r\n<tr><th>Page</th><th>Line</th><th>Target</th><th>Detail</th></tr>\r\n";
    for (const Finding* f : list)
      out += "<tr><td>" + htmlEscaped(f->page) + "</td><td>" + std::to_string(f->line) + "</td><td>" +
             htmlEscaped(f->target) + "</td><td>" + htmlEscaped(f->detail) + "</td></tr>\r\n";
    out += "</table>\r\n";
  }
  return out + "</body>\r\n</html>\r\n";
}

}  // namespace quillon
