#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/parameter_set.h"
#include "shell/form_catalog.h"

namespace tarvo::shell {

struct ListedRow {
  std::string code;
  std::string description;
  std::string value;  // as the form shows it (RowValueText), in UTF-8
};

// One form as it is filled from the configuration: a page, or a dialog behind one of its
// buttons (buttonId set).
struct ListedForm {
  FormTarget target;
  std::string buttonId;
  std::string name;  // "system", "channel 2", "channel 2/irvis"
  std::string title;  // "Общесистемные параметры", "Канал учета 2", the dialog's title
  std::vector<ListedRow> rows;  // the visible rows
  std::string pageTitle;        // a dialog's: the title of the page it opens from
};

// The title a form is known by: a dialog with its page's, "Канал учета 1 — Параметры ИРВИС-К300".
std::string ShownTitle(const ListedForm& form);

// Every form of the configuration (or only one), in form order, each filled from a copy of the
// set as a user would see it on opening: the set itself is not touched.
std::vector<ListedForm> ListConfiguration(const model::ParameterSet& set,
                                          std::optional<FormTarget> only = std::nullopt);

// Whether a form describes something the device uses: a channel whose medium is not 0, a node
// with a type or a channel; the system-wide form always.
bool InUse(const model::ParameterSet& set, const FormTarget& target);
// "не используется (вид носителя 0)", as a listing names a channel or node not in use.
std::string NotInUseText(const FormTarget& target);

// The name the report texts are listed under.
inline constexpr const char* kTextsFormName = "texts";

// Both report texts, whether in use or not, and their flags (1 or 0); a text as the editor shows
// it. Nothing for a configuration that keeps no report texts.
std::optional<ListedForm> ListReportTexts(const model::ParameterSet& set);

// Every form, then the report texts where the configuration keeps them.
std::vector<ListedForm> ListConfigurationAndTexts(const model::ParameterSet& set);

}  // namespace tarvo::shell
