#include <gtest/gtest.h>

#include "platform/system_port.h"

namespace tarvo::platform {
namespace {

// The exchange's wake-up pause and its deadlines count on sleeps that really wait.
TEST(SystemClock, ASleepWaitsAtLeastAsLongAsAsked) {
  Clock& clock = SystemClock();
  for (int milliseconds : {1, 30, 250}) {
    const std::int64_t before = clock.NowMs();
    clock.SleepMs(milliseconds);
    const std::int64_t slept = clock.NowMs() - before;
    EXPECT_GE(slept, milliseconds);
    EXPECT_LT(slept, milliseconds + 2000) << "a loaded machine may be late, not this late";
  }
}

TEST(SystemClock, NeverGoesBack) {
  Clock& clock = SystemClock();
  std::int64_t last = clock.NowMs();
  for (int i = 0; i < 1000; ++i) {
    const std::int64_t now = clock.NowMs();
    ASSERT_GE(now, last);
    last = now;
  }
}

}  // namespace
}  // namespace tarvo::platform
