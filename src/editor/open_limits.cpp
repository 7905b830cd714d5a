#include "editor/open_limits.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace quillon {

void LineLengthMeter::feed(std::string_view piece) {
  const char* p = piece.data();
  const char* end = p + piece.size();
  while (p < end) {
    const void* lf = std::memchr(p, '\n', static_cast<size_t>(end - p));
    const void* cr = std::memchr(p, '\r', static_cast<size_t>(end - p));
    const char* brk = static_cast<const char*>(lf);
    if (!brk || (cr && static_cast<const char*>(cr) < brk)) brk = static_cast<const char*>(cr);
    if (!brk) {
      current_ += static_cast<uint64_t>(end - p);
      return;
    }
    current_ += static_cast<uint64_t>(brk - p);
    if (current_ > longest_) longest_ = current_;
    current_ = 0;
    p = brk + 1;
  }
}

uint64_t memoryNeeded(const FileShape& shape) {
  const uint64_t longest = shape.measured ? std::min(shape.longestLine, shape.size) : 0;
  return shape.size * kMemoryPerFileByte + longest * kMemoryPerLongestLineByte;
}

OpenVerdict judgeOpen(const FileShape& shape, uint64_t availableMemory) {
  if (availableMemory != 0 && memoryNeeded(shape) > availableMemory) return OpenVerdict::Refuse;
  // A large file is asked about by its size alone, before the time it takes to read it through.
  if (!shape.measured) return shape.size > kAskAboveSize ? OpenVerdict::Ask : OpenVerdict::Open;
  if (shape.size <= kAskAboveSize && shape.longestLine > kAskAboveLine) return OpenVerdict::Ask;
  return OpenVerdict::Open;
}

std::string sizeInWords(uint64_t bytes) {
  char text[32];
  if (bytes < (1ull << 20))
    std::snprintf(text, sizeof text, "%llu KB", static_cast<unsigned long long>(bytes >> 10));
  else if (bytes < (1ull << 30))
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1 << 20));
  else
    std::snprintf(text, sizeof text, "%.1f GB", static_cast<double>(bytes) / (1 << 30));
  return text;
}

std::string largeFileQuestion(const std::string& path, const FileShape& shape) {
  std::string what = "The file \"" + path + "\" holds " + sizeInWords(shape.size);
  if (shape.longestLine > kAskAboveLine) what += " and a line of " + sizeInWords(shape.longestLine);
  return what + ". Editing it may be slow and take much memory. Open it anyway?";
}

std::string tooLargeMessage(const std::string& path, const FileShape& shape, uint64_t availableMemory) {
  std::string what = sizeInWords(shape.size);
  if (shape.measured && shape.longestLine > kAskAboveLine) what += ", with a line of " + sizeInWords(shape.longestLine);
  return "The file \"" + path + "\" (" + what + ") needs more memory than is free (" + sizeInWords(availableMemory) +
         ") and cannot be opened.";
}

}  // namespace quillon
