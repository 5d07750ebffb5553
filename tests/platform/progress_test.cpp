#include "platform/progress.h"

#include <gtest/gtest.h>

namespace tarvo::platform {
namespace {

struct ManualClock : Clock {
  std::int64_t NowMs() override { return now; }
  void SleepMs(int milliseconds) override { now += milliseconds; }
  std::int64_t now = 1000;
};

// A read learns after its scans that it needs fewer requests than it counted on: the bar jumps
// ahead, and never starts over nor goes back, even when a total grows again.
TEST(ProgressState, NeverGoesBackAndIsWholeOnlyAtTheEnd) {
  ProgressState bar;
  std::vector<int> percents;
  bar.Step();  // identification, before the total is known
  percents.push_back(bar.Percent());
  bar.SetTotal(100);
  for (int i = 0; i < 9; ++i) bar.Step();
  percents.push_back(bar.Percent());
  bar.SetTotal(20);
  percents.push_back(bar.Percent());
  bar.SetTotal(40);
  percents.push_back(bar.Percent());
  while (bar.Done() < 39) bar.Step();
  percents.push_back(bar.Percent());
  bar.Step();
  percents.push_back(bar.Percent());
  EXPECT_EQ(percents, (std::vector<int>{0, 10, 50, 50, 97, 100}));
}

TEST(ProgressState, TellsTheTimeLeftAtThePaceSinceTheTotalWasKnown) {
  ManualClock clock;
  ProgressState bar(&clock);
  bar.Step();
  clock.now += 2000;  // the wake-up pause and identification are not the exchange's pace
  bar.SetTotal(41);
  EXPECT_EQ(bar.RemainingMs(), std::nullopt);
  EXPECT_EQ(bar.Text(), "2 %");
  for (int i = 0; i < 10; ++i) {
    clock.now += 150;
    bar.Step();
  }
  EXPECT_EQ(bar.RemainingMs(), 4500);
  EXPECT_EQ(bar.Text(), "26 %, осталось 5 с");
  clock.now += 100000;
  bar.Step();
  EXPECT_EQ(bar.Text(), "29 %, осталось 4 мин 28 с");
  while (bar.Done() < bar.Total()) bar.Step();
  EXPECT_EQ(bar.Text(), "100 %");
}

TEST(DurationText, RoundsSecondsUp) {
  EXPECT_EQ(DurationText(0), "0 с");
  EXPECT_EQ(DurationText(1), "1 с");
  EXPECT_EQ(DurationText(59000), "59 с");
  EXPECT_EQ(DurationText(59001), "1 мин 00 с");
  EXPECT_EQ(DurationText(3'725'000), "62 мин 05 с");
}

}  // namespace
}  // namespace tarvo::platform
