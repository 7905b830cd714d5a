#include "publish/poll_event_loop.h"

#include <gtest/gtest.h>

#include <thread>

namespace quillon {
namespace {

using namespace std::chrono_literals;

TEST(PollEventLoop, FakeTimeJumpsToTimersOnlyWhenQuiet) {
  PollEventLoop loop;
  loop.useFakeTime();
  const auto fakeStart = loop.now();
  const auto realStart = std::chrono::steady_clock::now();
  int ticks = 0;
  loop.startTimer(10000, [&] { ++ticks; });
  ASSERT_TRUE(loop.runUntil([&] { return ticks == 3; }, 2000));
  EXPECT_LT(std::chrono::steady_clock::now() - realStart, 1s);  // thirty seconds of waiting, in milliseconds
  EXPECT_GE(loop.now() - fakeStart, 30s);

  // Work posted from elsewhere runs before any jump, and while it keeps coming the time stands still.
  const auto before = loop.now();
  int posted = 0;
  std::thread poster([&] {
    for (int i = 0; i < 5; ++i) loop.post([&] { ++posted; });
  });
  poster.join();
  ASSERT_TRUE(loop.pumpOnce(1000));
  EXPECT_EQ(posted, 5);
  EXPECT_EQ(loop.now(), before);
  EXPECT_EQ(ticks, 3);
}

TEST(PollEventLoop, RealTimeByDefault) {
  PollEventLoop loop;
  const auto a = loop.now();
  std::this_thread::sleep_for(2ms);
  EXPECT_GE(loop.now() - a, 2ms);
  int ticks = 0;
  loop.startTimer(50, [&] { ++ticks; });
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(loop.runUntil([&] { return ticks == 1; }, 2000));
  EXPECT_GE(std::chrono::steady_clock::now() - start, 45ms);
}

}  // namespace
}  // namespace quillon
