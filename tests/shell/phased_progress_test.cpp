#include "shell/phased_progress.h"

#include <gtest/gtest.h>

namespace tarvo::shell {
namespace {

void Begin(PhasedProgress& phases, bool isRead, int requests) {
  phases.BeginPhase(isRead);
  phases.SetTotal(requests);
}

void Answer(PhasedProgress& phases, int requests) {
  for (int i = 0; i < requests; ++i) phases.Step();
}

TEST(PhasedProgress, PhasesNotBegunCountAsTheReadTheyRepeat) {
  platform::ProgressState outer;
  PhasedProgress phases(&outer, 3);

  Begin(phases, true, 10);
  // The write and the read back are not known yet: each is taken as long as this read.
  EXPECT_EQ(outer.Total(), 30);
  Answer(phases, 10);
  EXPECT_EQ(outer.Percent(), 33);

  Begin(phases, false, 4);
  Answer(phases, 4);
  // The read back is known by the copy's read: 10 + 4 + 10.
  EXPECT_EQ(outer.Total(), 24);
  Begin(phases, true, 10);
  Answer(phases, 10);
  EXPECT_EQ(outer.Done(), 24);
  EXPECT_EQ(outer.Total(), 24);
  EXPECT_EQ(outer.Percent(), 100);
}

TEST(PhasedProgress, AReadThatRevisesItsTotalMovesTheWhole) {
  platform::ProgressState outer;
  PhasedProgress phases(&outer, 2);
  Begin(phases, false, 6);
  EXPECT_EQ(outer.Total(), 12);
  Answer(phases, 6);
  Begin(phases, true, 3);
  EXPECT_EQ(outer.Total(), 9);
  phases.SetTotal(8);  // the device has more channels than first counted
  EXPECT_EQ(outer.Total(), 14);
}

}  // namespace
}  // namespace tarvo::shell
