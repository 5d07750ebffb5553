#include "shell/configuration_listing.h"

#include <algorithm>
#include <iterator>
#include <memory>

#include "forms/form.h"
#include "forms/texts/report_text_editor.h"
#include "model/code_page.h"
#include "shell/capturing_ui.h"
#include "shell/commands.h"

namespace tarvo::shell {

namespace {

ListedForm Listed(const forms::Form& form, const FormTarget& target, std::string buttonId,
                  std::string name, std::string title, std::string pageTitle = {}) {
  ListedForm listed{target, std::move(buttonId), std::move(name), std::move(title),
                    {},     std::move(pageTitle)};
  for (const forms::Row& row : form.Rows()) {
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

std::string ShownTitle(const ListedForm& form) {
  return form.pageTitle.empty() ? form.title : form.pageTitle + " — " + form.title;
}

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
    const std::string pageTitle = FormTitle(target, *copy);
    listed.push_back(Listed(*form, target, {}, FormName(target), pageTitle));
    // The dialogs behind the page's buttons (a table of the channel) follow their page.
    for (const auto& dialog : forms::OpenDialogs(*form, ui)) {
      listed.push_back(Listed(*dialog.form, target, dialog.buttonId,
                              FormName(target) + "/" + dialog.buttonId, dialog.form->title,
                              pageTitle));
    }
  }
  return listed;
}

bool InUse(const model::ParameterSet& set, const FormTarget& target) {
  switch (target.kind) {
    case FormTarget::Kind::Channel:
      return set.channels[target.index].mediumKind != 0;
    case FormTarget::Kind::Node: {
      const model::NodeRecord& node = set.nodes[target.index];
      return node.nodeType != 0 ||
             std::any_of(std::begin(node.composition), std::end(node.composition),
                         [](std::uint8_t role) { return role != 0; });
    }
    case FormTarget::Kind::System:
      break;
  }
  return true;
}

std::string NotInUseText(const FormTarget& target) {
  return target.kind == FormTarget::Kind::Channel
             ? "не используется (вид носителя 0)"
             : "не используется (тип 0, каналов в составе нет)";
}

std::optional<ListedForm> ListReportTexts(const model::ParameterSet& set) {
  if (!StateOf(CommandId::ReportTexts, set).enabled) return std::nullopt;
  ListedForm form;
  form.name = kTextsFormName;
  form.title = forms::ReportTextEditor::kTitle;
  form.rows = {
      {"header", "Использовать верхний колонтитул", set.headerEnabled != 0 ? "1" : "0"},
      {"header-text", "Верхний колонтитул",
       forms::StoredReportText(set.headerText, model::kHeaderTextSize)},
      {"footer", "Использовать нижний колонтитул", set.footerEnabled != 0 ? "1" : "0"},
      {"footer-text", "Нижний колонтитул",
       forms::StoredReportText(set.footerText, model::kFooterTextSize)},
  };
  return form;
}

std::vector<ListedForm> ListConfigurationAndTexts(const model::ParameterSet& set) {
  std::vector<ListedForm> listed = ListConfiguration(set);
  if (auto texts = ListReportTexts(set)) listed.push_back(std::move(*texts));
  return listed;
}

}  // namespace tarvo::shell
