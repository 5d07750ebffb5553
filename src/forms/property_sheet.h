#pragma once

#include <memory>
#include <string>
#include <vector>

#include "forms/form.h"

namespace tarvo::forms {

// One page of a property sheet: Fill on every activation, Accept when it is left.
class Page : public Form {
 public:
  std::string tabTitle;

  // The leave caused by the sheet re-selecting its first page as it opens. A page that is
  // exempt from that leave overrides this; by default it is an ordinary leave.
  virtual bool LeaveAtOpening(platform::Ui& ui) { return Accept(ui); }
};

// A modal property sheet with OK and Cancel and no Apply. A page may refuse to be left; OK
// leaves the active page like choosing another one; Cancel checks nothing.
class PropertySheet {
 public:
  explicit PropertySheet(std::string caption) : caption_(std::move(caption)) {}

  const std::string& Caption() const { return caption_; }
  void AddPage(std::unique_ptr<Page> page);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  Page& PageAt(int index) { return *pages_.at(index); }
  // -1 while no page is shown (before Open, or a sheet without pages).
  int ActiveIndex() const { return active_; }
  Page* ActivePage() { return active_ < 0 ? nullptr : pages_[active_].get(); }

  // Shows the first page, then selects it once more, as the sheet does when it opens.
  void Open(platform::Ui& ui);
  // Leaves the active page and shows another; refused, with the cell the refusal names, when
  // the active page refuses to be left (the page stays).
  Verdict Select(int index, platform::Ui& ui);
  // Accepted when the sheet may close with OK; else where the active page's refusal points.
  Verdict Ok(platform::Ui& ui);
  void Cancel() {}

 private:
  std::string caption_;
  std::vector<std::unique_ptr<Page>> pages_;
  int active_ = -1;
};

}  // namespace tarvo::forms
