#include "base/write_failure.h"

#include <gtest/gtest.h>

#include "base/file_io.h"

namespace quillon {
namespace {

TEST(WriteFailure, NamesWhatTheFileHoldsTheFileAndTheReasonOnce) {
  const WriteResult denied{false, "Permission denied", "/site/OPTIONS.INI"};
  EXPECT_EQ(cannotWriteText(denied, "settings file"),
            "Cannot write the settings file \"/site/OPTIONS.INI\". Permission denied.");
  // A reason that already ends a sentence is not given a second full stop.
  const WriteResult readOnly{false, "The file is read-only.", "/proc/version"};
  EXPECT_EQ(cannotWriteText(readOnly, "project file"),
            "Cannot write the project file \"/proc/version\". The file is read-only.");
  // The result's own file wins over the caller's: a followed link names the file that was really refused.
  const WriteResult throughLink{false, "No space left on device", "/real/page.html"};
  EXPECT_EQ(cannotWriteText(throughLink, "page", "/site/link.html"),
            "Cannot write the page \"/real/page.html\". No space left on device.");
  const WriteResult unnamed{false, "Is a directory", ""};
  EXPECT_EQ(cannotWriteText(unnamed, "file", "/data/missnips.dat"),
            "Cannot write the file \"/data/missnips.dat\". Is a directory.");
  EXPECT_EQ(cannotWriteText(WriteResult{false, "", ""}), "Cannot write the file.");
}

}  // namespace
}  // namespace quillon
