#include "publish/browser_start.h"

#include <vector>

#include "base/text_bytes.h"

namespace quillon {
namespace {

std::vector<std::string> nonEmptyLines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::string& line : splitLines(text)) {
    while (!line.empty() && line.back() == ' ') line.pop_back();
    if (!line.empty()) lines.push_back(std::move(line));
  }
  return lines;
}

// "[5940:5940:1209/050615.659991:ERROR:zygote_host_impl_linux.cc(90)] Running as root ..." -> the text after
// the bracketed prefix.
std::string withoutLogPrefix(const std::string& line) {
  if (line.empty() || line.front() != '[') return line;
  const size_t close = line.find("] ");
  return close == std::string::npos ? line : line.substr(close + 2);
}

}  // namespace

std::string browserStartFailure(const std::string& errorOutput, int exitStatus, bool crashed) {
  const std::vector<std::string> lines = nonEmptyLines(errorOutput);
  // The engine's own error lines carry ":ERROR:" or ":FATAL:" in their prefix; the last one is the cause.
  for (auto it = lines.rbegin(); it != lines.rend(); ++it)
    if (it->front() == '[' && (it->find(":ERROR:") != std::string::npos || it->find(":FATAL:") != std::string::npos))
      return "The browser engine cannot start: " + withoutLogPrefix(*it);
  if (crashed) return "The browser engine crashed while starting.";
  if (!lines.empty()) return "The browser engine cannot start: " + withoutLogPrefix(lines.back());
  return "The browser engine cannot start (it ended with status " + std::to_string(exitStatus) + ").";
}

}  // namespace quillon
