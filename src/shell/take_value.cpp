#include "shell/take_value.h"

#include <memory>

#include "forms/texts/report_text_editor.h"
#include "shell/guarded_edit.h"

namespace tarvo::shell {

namespace {

// A page of the set and, for a row of a dialog behind one of its buttons, that dialog.
struct OpenForms {
  std::unique_ptr<forms::Form> page;
  std::unique_ptr<forms::Form> dialog;

  forms::Form* Shown() const { return dialog ? dialog.get() : page.get(); }
};

OpenForms OpenAsUser(model::ParameterSet& set, const DifferentForm& form, platform::Ui& ui) {
  OpenForms open;
  std::string message;
  open.page = MakeForm(set, form.target, message);
  if (!open.page) return open;
  open.page->Fill();
  if (form.buttonId.empty()) return open;
  for (auto& dialog : forms::OpenDialogs(*open.page, ui)) {
    if (dialog.buttonId == form.buttonId) open.dialog = std::move(dialog.form);
  }
  if (!open.dialog) open.page.reset();
  return open;
}

// Enters what the source row shows through the window's own entry calls.
std::optional<std::string> EnterShown(forms::Form& form, int row, const forms::Row& source) {
  const forms::Row& target = form.Rows()[row];
  switch (target.kind) {
    case forms::CellKind::CheckBox:
      return form.SetChecked(row, source.checked).error;
    case forms::CellKind::DropDown: {
      const std::string chosen = forms::RowValueText(source);
      for (std::size_t entry = 0; entry < target.entries.size(); ++entry) {
        if (target.entries[entry] == chosen) return form.Choose(row, static_cast<int>(entry)).error;
      }
      return "значение «" + chosen + "» не входит в список";
    }
    case forms::CellKind::Text:
    case forms::CellKind::Number:
      break;
  }
  if (target.cells.size() != source.cells.size()) return std::string("в строке другие ячейки");
  for (std::size_t cell = 0; cell < source.cells.size(); ++cell) {
    const auto entered = form.EnterCell(row, static_cast<int>(cell), source.cells[cell].text);
    if (entered.error) return entered.error;
  }
  return std::nullopt;
}

void ShowRefusal(platform::Ui& ui, const std::string& code, const std::string& reason) {
  ui.ShowMessage("Значение " + code + " не принято: " + reason + ".", "Ошибка",
                 platform::Icon::Error, platform::Buttons::Ok);
}

// The report texts go through their editor: the tick or the text, then its OK.
bool TakeReportText(model::ConfigurationDocument& document, const DifferentRow& row,
                    platform::Ui& ui) {
  using forms::ReportTextPart;
  const ReportTextPart part =
      row.code.starts_with("header") ? ReportTextPart::Header : ReportTextPart::Footer;
  const auto snapshot = std::make_unique<model::ParameterSet>(document.Set());
  forms::ReportTextEditor editor(document.Set());
  if (row.code.ends_with("-text")) {
    // A text without its tick is not stored: taken, it would be lost without a word.
    if (!editor.Enabled(part)) {
      ShowRefusal(ui, row.code, "колонтитул не используется, его текст не сохраняется");
      return false;
    }
    if (const auto error = editor.EnterText(part, *row.second)) {
      ShowRefusal(ui, row.code, *error);
      return false;
    }
  } else {
    editor.SetEnabled(part, *row.second == "1");
  }
  if (!editor.Accept(ui).accepted) return false;
  MarkModifiedIfChanged(document, *snapshot);
  return true;
}

}  // namespace

bool TakeValue(model::ConfigurationDocument& document, const model::ParameterSet& source,
               const DifferentForm& form, const DifferentRow& row, platform::Ui& ui) {
  if (form.presence != Presence::Both || !row.first || !row.second) {
    ShowRefusal(ui, row.code, "одна из конфигураций не показывает этот параметр");
    return false;
  }
  if (form.name == kTextsFormName) return TakeReportText(document, row, ui);
  // The source's forms are filled from a copy: opening a form may write into its set.
  auto sourceCopy = std::make_unique<model::ParameterSet>(source);
  const OpenForms from = OpenAsUser(*sourceCopy, form, ui);
  const forms::Row* sourceRow = from.page ? from.Shown()->FindRow(row.code) : nullptr;

  model::ParameterSet& set = document.Set();
  const auto snapshot = std::make_unique<model::ParameterSet>(set);
  const auto restore = [&] { set = *snapshot; };
  OpenForms to = OpenAsUser(set, form, ui);
  const int index = to.page ? to.Shown()->RowIndexOf(row.code) : -1;
  if (sourceRow == nullptr || index < 0) {
    restore();
    ShowRefusal(ui, row.code, "форма не показывает этот параметр");
    return false;
  }
  if (const auto error = EnterShown(*to.Shown(), index, *sourceRow)) {
    restore();
    ShowRefusal(ui, row.code, *error);
    return false;
  }
  // The dialog stores on its OK, then the page is left, as the user would do it; a refusal has
  // shown its message.
  if ((to.dialog && !to.dialog->Submit(ui).accepted) || !to.page->Submit(ui).accepted) {
    restore();
    return false;
  }
  MarkModifiedIfChanged(document, *snapshot);
  return true;
}

}  // namespace tarvo::shell
