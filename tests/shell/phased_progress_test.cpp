#include "shell/phased_progress.h"

#include <gtest/gtest.h>

namespace tarvo::shell {
namespace {

// Runs a phase of the given requests, each answered.
void RunPhase(PhasedProgress& phases, bool isRead, int requests) {
  phases.BeginPhase(isRead);
  phases.SetTotal(requests);
  for (int i = 0; i < requests; ++i) phases.Step();
}

TEST(PhasedProgress, PhasesNotBegunCountAsTheReadTheyRepeat) {
  platform::ProgressState outer;
  PhasedProgress phases(&outer, 3);

  phases.BeginPhase(true);
  phases.SetTotal(10);
  // The write and the read back are not known yet: each is taken as long as this read.
  EXPECT_EQ(outer.Total(), 30);
  for (int i = 0; i < 10; ++i) phases.Step();
  EXPECT_EQ(outer.Percent(), 33);

  RunPhase(phases, false, 4);
  // The read back is known by the copy's read: 10 + 4 + 10.
  EXPECT_EQ(outer.Total(), 24);
  RunPhase(phases, true, 10);
  EXPECT_EQ(outer.Done(), 24);
  EXPECT_EQ(outer.Total(), 24);
  EXPECT_EQ(outer.Percent(), 100);
}

TEST(PhasedProgress, AReadThatRevisesItsTotalMovesTheWhole) {
  platform::ProgressState outer;
  PhasedProgress phases(&outer, 2);
  phases.BeginPhase(false);
  phases.SetTotal(6);
  EXPECT_EQ(outer.Total(), 12);
  for (int i = 0; i < 6; ++i) phases.Step();
  phases.BeginPhase(true);
  phases.SetTotal(3);
  EXPECT_EQ(outer.Total(), 9);
  phases.SetTotal(8);  // the device has more channels than first counted
  EXPECT_EQ(outer.Total(), 14);
}

}  // namespace
}  // namespace tarvo::shell
