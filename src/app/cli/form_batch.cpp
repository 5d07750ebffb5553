#include "app/cli/form_batch.h"

#include "app/cli/command_values.h"
#include "app/cli/visible_text.h"

namespace tarvo::app {

void FormBatch::Add(const FormTarget& target, std::unique_ptr<forms::Form> form, platform::Ui& ui) {
  form->Fill();
  // A dialog stores into the set on its OK, before its page is left: it stands before the page.
  auto dialogs = forms::OpenDialogs(*form, ui);
  const int owner = static_cast<int>(slots_.size() + dialogs.size());
  for (auto& dialog : dialogs) slots_.push_back({target, std::move(dialog.form), false, owner});
  slots_.push_back({target, std::move(form), false, -1});
}

bool FormBatch::Enter(const std::string& code, const std::string& value,
                      const model::ParameterSet& set, std::string& message) {
  for (Slot& slot : slots_) {
    const int row = slot.form->RowIndexOf(code);
    if (row < 0) continue;
    if (const auto error = slot.form->EnterValue(row, value).error) {
      // An entry refusal is one line; whatever it quotes of the value shows escaped.
      message = "Код " + VisibleText(code) + ": " + VisibleText(*error) + ".";
      return false;
    }
    slot.involved = true;
    // The page is left after its dialog closes, so its checks run too.
    if (slot.owner >= 0) slots_[slot.owner].involved = true;
    return true;
  }
  message = "Код " + VisibleText(code) + " не показывает ни одна форма вычислителя " +
            model::VariantName(set.Variant()) + " (исполнение " + Hex2(set.ident.executionCode) +
            ").";
  return false;
}

bool FormBatch::AcceptInvolved(platform::Ui& ui) {
  for (Slot& slot : slots_) {
    if (slot.involved && !slot.form->Submit(ui)) return false;
  }
  return true;
}

}  // namespace tarvo::app
