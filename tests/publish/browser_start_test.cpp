#include "publish/browser_start.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(BrowserStart, TheEnginesLastErrorLineIsTheReasonElseTheLastLineOrTheStatus) {
  const std::string log =
      "QStandardPaths: XDG_RUNTIME_DIR not set\n"
      "[5:5:1209/0506.1:ERROR:gpu_init.cc(1)] first error\n"
      "Init Parameters:\n"
      "[5:5:1209/0506.2:ERROR:zygote_host_impl_linux.cc(90)] Running as root without --no-sandbox is not supported.\r\n"
      "\n";
  EXPECT_EQ(browserStartFailure(log, 1, false),
            "The browser engine cannot start: Running as root without --no-sandbox is not supported.");
  EXPECT_EQ(browserStartFailure("[1:1:FATAL:x.cc(2)] broken\n", 134, true), "The browser engine cannot start: broken");
  EXPECT_EQ(browserStartFailure("no display\n  \n", 1, false), "The browser engine cannot start: no display");
  EXPECT_EQ(browserStartFailure("", 139, true), "The browser engine crashed while starting.");
  EXPECT_EQ(browserStartFailure("", 3, false), "The browser engine cannot start (it ended with status 3).");
}

}  // namespace
}  // namespace quillon
