#include "editor/open_limits.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(OpenLimits, LinesAreMeasuredAcrossPiecesAndEveryLineEnd) {
  LineLengthMeter meter;
  meter.feed("ab\r\ncdef");
  meter.feed("gh\rij\nk");
  EXPECT_EQ(meter.longest(), 6u);  // "cdefgh" runs over the piece boundary
  meter.feed(std::string(10, 'x'));
  EXPECT_EQ(meter.longest(), 11u);  // an unfinished last line counts too
}

TEST(OpenLimits, TooLargeIsRefusedBeforeReadingLargeOrLongIsAsked) {
  const uint64_t gb = 1ull << 30;
  // Judged by size alone, before the file is read: refused when it needs three times more than is free,
  // asked about when large.
  EXPECT_EQ(judgeOpen({2 * gb, 0, false}, 5 * gb), OpenVerdict::Refuse);
  EXPECT_EQ(judgeOpen({gb, 0, false}, 4 * gb), OpenVerdict::Ask);
  EXPECT_EQ(judgeOpen({kAskAboveSize, 0, false}, 4 * gb), OpenVerdict::Open);
  EXPECT_EQ(judgeOpen({3 * gb, 0, false}, 0), OpenVerdict::Ask);  // memory unknown
  // Measured: a long line in a file not asked about for its size; a large one was asked about already.
  EXPECT_EQ(judgeOpen({kAskAboveSize + 1, kAskAboveLine + 1, true}, 4 * gb), OpenVerdict::Open);
  EXPECT_EQ(judgeOpen({kAskAboveSize, 10, true}, 4 * gb), OpenVerdict::Open);
  EXPECT_EQ(judgeOpen({2 << 20, kAskAboveLine + 1, true}, 4 * gb), OpenVerdict::Ask);
  EXPECT_EQ(judgeOpen({2 << 20, kAskAboveLine, true}, 4 * gb), OpenVerdict::Open);

  EXPECT_EQ(largeFileQuestion("/p/big.html", {300ull << 20, 3ull << 20, true}),
            "The file \"/p/big.html\" holds 300.0 MB and a line of 3.0 MB. Editing it may be slow and take much "
            "memory. Open it anyway?");
  EXPECT_EQ(largeFileQuestion("/p/big.html", {300ull << 20, 0, false}),
            "The file \"/p/big.html\" holds 300.0 MB. Editing it may be slow and take much memory. Open it anyway?");
  EXPECT_EQ(tooLargeMessage("/p/huge.html", {3 * gb, 0, false}, 4 * gb),
            "The file \"/p/huge.html\" (3.0 GB) needs more memory than is free (4.0 GB) and cannot be opened.");
}

TEST(OpenLimits, ALongLineIsCountedAsItsLayoutNeedsOnceMeasured) {
  const uint64_t gb = 1ull << 30;
  // One line of 1 GB: it fits by size (3 GB of 6 GB free) but not with its line's layout.
  EXPECT_EQ(judgeOpen({gb, 0, false}, 6 * gb), OpenVerdict::Ask);
  EXPECT_EQ(judgeOpen({gb, gb, true}, 6 * gb), OpenVerdict::Refuse);
  EXPECT_EQ(judgeOpen({gb, gb, true}, 13 * gb), OpenVerdict::Open);
  // The same size in lines of 100 bytes fits.
  EXPECT_EQ(judgeOpen({gb, 100, true}, 6 * gb), OpenVerdict::Open);
  EXPECT_EQ(memoryNeeded({100, 40, true}), 100u * 3 + 40u * 9);
  EXPECT_EQ(memoryNeeded({100, 400, true}), 100u * 3 + 100u * 9);  // a line is never longer than its file
  EXPECT_EQ(tooLargeMessage("/p/one-line.html", {gb, gb, true}, 6 * gb),
            "The file \"/p/one-line.html\" (1.0 GB, with a line of 1.0 GB) needs more memory than is free (6.0 GB) "
            "and cannot be opened.");
}

}  // namespace
}  // namespace quillon
