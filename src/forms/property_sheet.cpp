#include "forms/property_sheet.h"

namespace tarvo::forms {

void PropertySheet::AddPage(std::unique_ptr<Page> page) {
  pages_.push_back(std::move(page));
}

void PropertySheet::Open(platform::Ui& ui) {
  if (pages_.empty()) return;
  active_ = 0;
  pages_[0]->Fill();
  // Re-selecting the first page leaves it once before the user has seen it.
  if (pages_[0]->LeaveAtOpening(ui)) pages_[0]->Fill();
}

Verdict PropertySheet::Select(int index, platform::Ui& ui) {
  if (index < 0 || index >= PageCount()) return {false, -1, 0};
  if (index == active_) return {};
  if (active_ >= 0) {
    const Verdict left = pages_[active_]->Submit(ui);
    if (!left) return left;
  }
  active_ = index;
  pages_[active_]->Fill();
  return {};
}

Verdict PropertySheet::Ok(platform::Ui& ui) {
  if (active_ < 0) return {};
  return pages_[active_]->Submit(ui);
}

}  // namespace tarvo::forms
