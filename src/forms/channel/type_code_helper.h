#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "forms/channel/type_code_layout.h"
#include "forms/form.h"

namespace tarvo::forms {

// The codes of the rows a type code demands at the start of counting.
using DemandedRows = std::function<std::vector<std::string>(std::span<const int> values)>;

// "Подбор кода": one drop-down list per position of a type code, offering only the values some
// accepted code has there, each with what it stands for and which rows it demands. Choosing a
// value adjusts the other positions to the nearest accepted code, so the helper composes only
// codes the page accepts; OK enters the code into the page's type code cell.
class TypeCodeHelperForm : public RowHelperForm {
 public:
  TypeCodeHelperForm(Form& owner, int ownerRow, TypeCodeLayout layout, DemandedRows demands);

  // Starts from the cell's code, or from the nearest accepted code to what it holds.
  void Fill() override;
  // Enters the composed code through the page's EnterCell.
  bool Accept(platform::Ui& ui) override;
  void RowChanged(Row& row) override;

  // The values offered at each position; the code composed.
  const std::vector<std::vector<int>>& Offered() const { return offered_; }
  std::string Code() const { return ComposeTypeCode(layout_, values_); }

 private:
  void Show();
  std::string EntryText(int position, int value, const std::vector<std::string>& baseline);
  std::vector<std::string> DemandsWith(int position, int value) const;

  Form& owner_;
  int ownerRow_;
  TypeCodeLayout layout_;
  DemandedRows demands_;
  std::vector<int> values_;
  std::vector<std::vector<int>> offered_;
};

}  // namespace tarvo::forms
