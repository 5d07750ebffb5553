#pragma once

namespace tarvo::platform {

// A progress bar as the exchange procedures drive it: a range, a position, a step, and StepIt,
// which wraps to the start of the range when it passes the end.
class Progress {
 public:
  virtual ~Progress() = default;
  virtual void SetRange(int lower, int upper) = 0;
  virtual void SetPos(int position) = 0;
  virtual void SetStep(int step) = 0;
  virtual void StepIt() = 0;
};

// The position arithmetic shared by every progress sink.
class ProgressState : public Progress {
 public:
  void SetRange(int lower, int upper) override {
    lower_ = lower;
    upper_ = upper;
    position_ = lower;
    Changed();
  }
  void SetPos(int position) override {
    position_ = position;
    Changed();
  }
  void SetStep(int step) override { step_ = step; }
  void StepIt() override {
    position_ += step_;
    if (position_ > upper_) {
      const int span = upper_ - lower_;
      position_ = span > 0 ? lower_ + (position_ - lower_) % span : lower_;
    }
    Changed();
  }

  int Lower() const { return lower_; }
  int Upper() const { return upper_; }
  int Position() const { return position_; }

 protected:
  virtual void Changed() {}

 private:
  int lower_ = 0;
  int upper_ = 100;
  int position_ = 0;
  int step_ = 10;
};

}  // namespace tarvo::platform
