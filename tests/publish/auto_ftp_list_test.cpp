#include "publish/auto_ftp_list.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(AutoFtpList, SortedWithoutRegardToCaseAndFreeOfExactDuplicates) {
  AutoFtpList list;
  for (const char* p : {"/s/b.html", "/s/A.html", "/s/b.html", "/s/a.html", "/s/C.html"}) list.add(p);
  EXPECT_EQ(list.entries(), (std::vector<std::string>{"/s/A.html", "/s/a.html", "/s/b.html", "/s/C.html"}));
  EXPECT_TRUE(list.remove("/s/a.html"));
  EXPECT_FALSE(list.remove("/s/a.html"));
}

}  // namespace
}  // namespace quillon
