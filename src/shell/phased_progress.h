#pragma once

#include "platform/progress.h"

namespace tarvo::shell {

// One progress over several procedures run in turn. Each procedure counts its own requests; a
// phase not begun yet is taken to need as many as the read it repeats, or as the phase running.
class PhasedProgress : public platform::Progress {
 public:
  // phases: how many procedures will run.
  PhasedProgress(platform::Progress* outer, int phases) : outer_(outer), left_(phases) {}

  // The next phase begins; isRead says whether it is a whole read.
  void BeginPhase(bool isRead);
  void SetTotal(int requests) override;
  void Step() override;

 private:
  void Tell();

  platform::Progress* outer_;
  int left_;            // phases not finished, the current one included
  int doneBefore_ = 0;  // requests answered in the phases finished
  int done_ = 0;        // in the current phase
  int total_ = 0;       // of the current phase
  int readTotal_ = 0;   // of the last whole read, once one is known
  bool currentIsRead_ = false;
  bool begun_ = false;
};

}  // namespace tarvo::shell
