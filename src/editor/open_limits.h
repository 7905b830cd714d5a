#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillon {

// Size and longest line of a file about to be opened. The size is known at once; the longest line only once
// the file has been read through (`measured`).
struct FileShape {
  uint64_t size = 0;
  uint64_t longestLine = 0;  // bytes between two line ends (CR, LF or CR LF)
  bool measured = true;
};

// Measures line lengths over pieces of any size.
class LineLengthMeter {
 public:
  void feed(std::string_view piece);
  uint64_t longest() const { return longest_ > current_ ? longest_ : current_; }

 private:
  uint64_t longest_ = 0;
  uint64_t current_ = 0;
};

// Files past these limits make editing slow (a very long line costs layout time on every keystroke), so the
// user is asked first; a file that does not fit in the free memory is refused. The editor keeps a style byte
// beside every character of the text, and the layout of its lines comes on top: about three times its size.
// The layout of the longest line holds a position of 8 bytes and more for each of its characters, which
// makes a page of one long line need about twelve times its size (measured: 10x unwrapped, 12x wrapped).
inline constexpr uint64_t kAskAboveSize = 256ull << 20;
inline constexpr uint64_t kAskAboveLine = 1ull << 20;
inline constexpr uint64_t kMemoryPerFileByte = 3;
inline constexpr uint64_t kMemoryPerLongestLineByte = 9;

// The memory the editor needs for a file of this shape (by its size alone while it is not measured).
uint64_t memoryNeeded(const FileShape& shape);

enum class OpenVerdict { Open, Ask, Refuse };
// availableMemory 0 means unknown: nothing is refused for want of memory. A shape not yet measured is judged
// by its size: refused when it cannot fit, asked about when it is large, before it is read at all; the
// measured shape of a file not asked about yet is asked about for a long line.
OpenVerdict judgeOpen(const FileShape& shape, uint64_t availableMemory);

std::string sizeInWords(uint64_t bytes);  // "312 KB", "1.5 MB", "2.0 GB"
std::string largeFileQuestion(const std::string& path, const FileShape& shape);
std::string tooLargeMessage(const std::string& path, const FileShape& shape, uint64_t availableMemory);

}  // namespace quillon
