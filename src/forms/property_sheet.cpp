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

bool PropertySheet::Select(int index, platform::Ui& ui) {
  if (index < 0 || index >= PageCount()) return false;
  if (index == active_) return true;
  if (active_ >= 0) {
    verdict_ = pages_[active_]->Submit(ui);
    if (!verdict_.accepted) return false;
  }
  active_ = index;
  pages_[active_]->Fill();
  return true;
}

bool PropertySheet::Ok(platform::Ui& ui) {
  if (active_ < 0) return true;
  verdict_ = pages_[active_]->Submit(ui);
  return verdict_.accepted;
}

}  // namespace tarvo::forms
