#include "shell/configuration_listing.h"

#include <memory>

#include "forms/form.h"
#include "model/code_page.h"
#include "shell/capturing_ui.h"

namespace tarvo::shell {

namespace {

ListedForm Listed(const forms::Form& form, const FormTarget& target, std::string buttonId,
                  std::string name, std::string title) {
  ListedForm listed{target, std::move(buttonId), std::move(name), std::move(title), {}};
  for (const forms::Row& row : form.rows) {
    if (!row.visible) continue;
    // A freshly filled cell holds the set's bytes, which are code page 1251 (a digit string
    // of a file may hold any byte); list entries and check marks are the program's own UTF-8.
    const bool fromSet = row.kind == forms::CellKind::Text || row.kind == forms::CellKind::Number;
    const std::string value = forms::RowValueText(row);
    listed.rows.push_back(
        {row.code, row.description, fromSet ? model::Cp1251ToUtf8(value) : value});
  }
  return listed;
}

}  // namespace

std::vector<ListedForm> ListConfiguration(const model::ParameterSet& set,
                                          std::optional<FormTarget> only) {
  // Pages write into the set they edit (filled flags, node 1 at opening): they get a copy.
  const auto copy = std::make_unique<model::ParameterSet>(set);
  // Opening the dialogs behind buttons asks the user nothing.
  CapturingUi ui;
  std::vector<ListedForm> listed;
  const std::vector<FormTarget> targets =
      only ? std::vector<FormTarget>{*only} : AllFormTargets(*copy);
  for (const FormTarget& target : targets) {
    std::string message;
    auto form = MakeForm(*copy, target, message);
    if (!form) continue;
    form->Fill();
    listed.push_back(Listed(*form, target, {}, FormName(target), FormTitle(target, *copy)));
    // The dialogs behind the page's buttons (a table of the channel) follow their page.
    for (const auto& dialog : forms::OpenDialogs(*form, ui)) {
      listed.push_back(Listed(*dialog.form, target, dialog.buttonId,
                              FormName(target) + "/" + dialog.buttonId, dialog.form->title));
    }
  }
  return listed;
}

}  // namespace tarvo::shell
