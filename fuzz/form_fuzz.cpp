// Any form of any execution code, filled from a new configuration and given hostile texts as a
// user would type them; then OK, leaving the page or one of its buttons. Whatever happens: no
// crash, a refusal shows one message and leaves the configuration byte for byte as it was, an
// acceptance shows no message, and the form filled afresh from the set shows what was accepted.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "forms/form.h"
#include "fuzz_support.h"
#include "model/device_variant.h"
#include "model/parameter_set.h"
#include "model/value_text.h"
#include "shell/form_catalog.h"

using namespace tarvo;

namespace {

// A new configuration of every execution code, made once: each run starts from a copy.
const std::vector<model::ParameterSet>& NewConfigurations() {
  static const auto* sets = [] {
    auto* made = new std::vector<model::ParameterSet>;
    for (const std::uint8_t code : model::AllExecutionCodes()) {
      model::ParameterSet set{};
      model::MakeNewConfiguration(set, code);
      made->push_back(set);
    }
    return made;
  }();
  return *sets;
}

bool SameBytes(const model::ParameterSet& a, const model::ParameterSet& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// A negative value too small for seven decimals shows as "-0", as printf rounds it, and reads
// back as zero, which shows as "0": the two texts stand for the same number.
std::string WithoutNegativeZero(std::string text) {
  return text == "-0" ? "0" : text;
}

// How a number cell's text reaches the set and comes back: through the value rule, then as the
// value text.
std::string StoredShape(const std::string& text) {
  return WithoutNegativeZero(model::FormatValue(model::ReadValueText(text)));
}

bool SameShownAsNumbers(forms::Row a, forms::Row b) {
  for (forms::Row* row : {&a, &b}) {
    if (row->kind != forms::CellKind::Number) continue;
    for (forms::Cell& cell : row->cells) cell.text = WithoutNegativeZero(cell.text);
  }
  return forms::SameShown(a, b);
}

// A row of the accepted form against the row with its code in the refilled form.
bool ShowsBackRow(const forms::Row& row, const forms::Form& refilled) {
  if (!row.visible) return true;
  const forms::Row* again = refilled.FindRow(row.code);
  if (again == nullptr || again->kind != row.kind) return false;
  switch (row.kind) {
    case forms::CellKind::CheckBox:
      return again->checked == row.checked;
    case forms::CellKind::DropDown:
      return forms::RowValueText(*again) == forms::RowValueText(row);
    case forms::CellKind::Text:
      // Each text row keeps its own shape (digits padded with "0", hours and minutes in two
      // digits): what holds for all of them is that OK on the refilled form stores the same.
      return again->cells.size() == row.cells.size();
    case forms::CellKind::Number:
      break;
  }
  if (again->cells.size() != row.cells.size()) return false;
  for (std::size_t i = 0; i < row.cells.size(); ++i) {
    if (StoredShape(row.cells[i].text) != StoredShape(again->cells[i].text)) {
      return false;
    }
  }
  return true;
}

bool ShowsBack(const forms::Form& accepted, const forms::Form& refilled,
               std::uint8_t executionCode) {
  for (const forms::Row& row : accepted.Rows()) {
    if (ShowsBackRow(row, refilled)) continue;
    const forms::Row* again = refilled.FindRow(row.code);
    std::fprintf(stderr, "%s (%02X) row %s shown «%s», refilled «%s»\n", refilled.title.c_str(),
                 static_cast<unsigned>(executionCode), row.code.c_str(),
                 forms::RowValueText(row).c_str(),
                 again != nullptr ? forms::RowValueText(*again).c_str() : "(none)");
    return false;
  }
  return true;
}

std::vector<int> EditableRows(const forms::Form& form) {
  std::vector<int> rows;
  for (std::size_t i = 0; i < form.Rows().size(); ++i) {
    if (form.Rows()[i].visible && form.Rows()[i].enabled) rows.push_back(static_cast<int>(i));
  }
  return rows;
}

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto& configurations = NewConfigurations();
  static auto* set = new model::ParameterSet;
  static auto* before = new model::ParameterSet;
  *set = configurations[input.ConsumeIntegralInRange<std::size_t>(0, configurations.size() - 1)];
  set->checkForStart = input.ConsumeBool() ? 1 : 0;

  const auto targets = shell::AllFormTargets(*set);
  const shell::FormTarget target =
      targets[input.ConsumeIntegralInRange<std::size_t>(0, targets.size() - 1)];
  std::string message;
  std::unique_ptr<forms::Form> page = shell::MakeForm(*set, target, message);
  Check(page != nullptr);
  page->Fill();

  fuzz::CountingUi ui;
  forms::Form* active = page.get();
  std::unique_ptr<forms::Form> dialog;
  std::string dialogButton;  // the page's button that opened the dialog without asking the page

  const int actions = input.ConsumeIntegralInRange<int>(0, 24);
  for (int action = 0; action < actions && input.remaining_bytes() > 0; ++action) {
    const std::vector<int> editable = EditableRows(*active);
    const int kind = input.ConsumeIntegralInRange<int>(0, 7);
    if (kind == 7) {
      // A button of the form: a refusal changes nothing; a dialog becomes the form worked on.
      if (active->buttons.empty()) continue;
      const forms::Button& button =
          active->buttons[input.ConsumeIntegralInRange<std::size_t>(0, active->buttons.size() - 1)];
      const std::string id = button.id;
      const bool opensDialog = button.OpensDialog();
      *before = *set;
      ui.messages = 0;
      forms::PressResult pressed = active->Press(id, ui);
      if (pressed.outcome == forms::PressResult::Outcome::Refused) {
        Check(SameBytes(*set, *before) && ui.messages == 1);
      }
      if (pressed.dialog) {
        dialogButton = active == page.get() && opensDialog ? id : "";
        dialog = std::move(pressed.dialog);
        active = dialog.get();
      }
      continue;
    }
    if (editable.empty()) continue;
    const int rowIndex =
        editable[input.ConsumeIntegralInRange<std::size_t>(0, editable.size() - 1)];
    const forms::Row& row = active->Rows()[rowIndex];
    if (kind == 6 && row.kind == forms::CellKind::CheckBox) {
      active->SetChecked(rowIndex, input.ConsumeBool());
    } else if (kind == 6 && row.kind == forms::CellKind::DropDown && !row.entries.empty()) {
      active->Choose(
          rowIndex, input.ConsumeIntegralInRange<int>(0, static_cast<int>(row.entries.size()) - 1));
    } else if (!row.cells.empty()) {
      const int cell = input.ConsumeIntegralInRange<int>(0, static_cast<int>(row.cells.size()) - 1);
      const std::string text = fuzz::HostileText(input);
      const std::string previous = row.cells[cell].text;
      const forms::EntryResult entered = active->EnterCell(rowIndex, cell, text);
      // A text is taken whole or not at all, never cut.
      const std::string& shown = active->Rows()[rowIndex].cells[cell].text;
      Check(entered.error ? shown == previous : shown == text);
    }
  }

  // OK of the dialog or leaving the page.
  *before = *set;
  ui.messages = 0;
  const forms::Verdict verdict = active->Submit(ui);
  if (!verdict.accepted) {
    Check(SameBytes(*set, *before));
    Check(ui.messages == 1);
    Check(verdict.row < static_cast<int>(active->Rows().size()));
    return 0;
  }
  Check(ui.messages == 0);
  if (active != page.get() && dialogButton.empty()) return 0;

  // The same form filled afresh from the set shows what the accepted form showed, as stored.
  auto refill = [&]() {
    std::unique_ptr<forms::Form> form = shell::MakeForm(*set, target, message);
    form->Fill();
    if (active == page.get()) return form;
    forms::PressResult pressed = form->Press(dialogButton, ui);
    Check(pressed.dialog != nullptr);
    return std::move(pressed.dialog);
  };
  const std::unique_ptr<forms::Form> again = refill();
  Check(ShowsBack(*active, *again, set->ident.executionCode));
  // OK on the refilled form: a refusal changes nothing as ever; an acceptance may store a value
  // rounded to what the cell shows (a value text has at most seven decimals, -0 shows as 0), but
  // the form filled once more shows the same.
  *before = *set;
  ui.messages = 0;
  if (!again->Submit(ui).accepted) {
    Check(SameBytes(*set, *before) && ui.messages == 1);
    return 0;
  }
  Check(ui.messages == 0);
  const std::unique_ptr<forms::Form> third = refill();
  Check(third->Rows().size() == again->Rows().size());
  for (std::size_t i = 0; i < again->Rows().size(); ++i) {
    if (SameShownAsNumbers(again->Rows()[i], third->Rows()[i])) continue;
    std::fprintf(stderr, "%s row %s shown «%s», once more «%s»\n", shell::FormName(target).c_str(),
                 again->Rows()[i].code.c_str(), forms::RowValueText(again->Rows()[i]).c_str(),
                 forms::RowValueText(third->Rows()[i]).c_str());
    __builtin_trap();
  }
  return 0;
}
