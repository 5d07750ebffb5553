#include "shell/phased_progress.h"

namespace tarvo::shell {

void PhasedProgress::BeginPhase(bool isRead) {
  if (currentIsRead_ && total_ > 0) readTotal_ = total_;
  if (begun_) --left_;
  begun_ = true;
  doneBefore_ += done_;
  done_ = 0;
  total_ = 0;
  currentIsRead_ = isRead;
}

void PhasedProgress::SetTotal(int requests) {
  total_ = requests;
  Tell();
}

void PhasedProgress::Step() {
  ++done_;
  if (outer_ != nullptr) outer_->Step();
}

void PhasedProgress::Tell() {
  if (outer_ == nullptr) return;
  const int estimate = readTotal_ > 0 ? readTotal_ : total_;
  outer_->SetTotal(doneBefore_ + total_ + (left_ - 1) * estimate);
}

}  // namespace tarvo::shell
