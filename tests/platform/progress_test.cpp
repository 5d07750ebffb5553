#include "platform/progress.h"

#include <gtest/gtest.h>

namespace tarvo::platform {
namespace {

TEST(ProgressState, StartsAgainFromTheBeginningWhenItPassesTheEnd) {
  ProgressState bar;
  bar.SetRange(0, 3);
  bar.SetPos(0);
  bar.SetStep(1);
  std::vector<int> positions;
  for (int i = 0; i < 5; ++i) {
    bar.StepIt();
    positions.push_back(bar.Position());
  }
  EXPECT_EQ(positions, (std::vector<int>{1, 2, 3, 1, 2}));
}

}  // namespace
}  // namespace tarvo::platform
