#include "app/gui/form_runner.h"

#include <QDialog>

#include "app/gui/form_dialog.h"
#include "app/gui/sheet_dialog.h"
#include "forms/channel/channel_sheet.h"
#include "forms/node/node_sheet.h"
#include "forms/system/system_form.h"
#include "shell/guarded_edit.h"

namespace tarvo::gui {

namespace {

using Kind = shell::FormTarget::Kind;

shell::FormResult RunSheet(QWidget* parent, forms::PropertySheet& sheet, platform::Ui& ui,
                           const FormPlace& place) {
  SheetDialog dialog(sheet, ui, parent);
  // Going to another page leaves the first one like a click on its tab would.
  if (place.target.index > 0) dialog.SelectPage(place.target.index);
  dialog.FocusCode(place.code);
  return dialog.exec() == QDialog::Accepted ? shell::FormResult::Ok : shell::FormResult::Cancel;
}

shell::FormResult RunForm(QWidget* parent, model::ParameterSet& set, platform::Ui& ui,
                          const FormPlace& place) {
  std::string message;
  switch (place.target.kind) {
    case Kind::System: {
      auto form = forms::MakeSystemForm(set);
      if (!form) return shell::FormResult::Cancel;
      form->Fill();
      FormDialog dialog(*form, ui, parent);
      dialog.FocusCode(place.code);
      return dialog.exec() == QDialog::Accepted ? shell::FormResult::Ok : shell::FormResult::Cancel;
    }
    case Kind::Channel: {
      auto sheet = forms::MakeChannelSheet(set, message);
      if (!sheet) return shell::FormResult::Cancel;
      return RunSheet(parent, *sheet, ui, place);
    }
    case Kind::Node: {
      auto sheet = forms::MakeNodeSheet(set, message);
      if (!sheet) return shell::FormResult::Cancel;
      return RunSheet(parent, *sheet, ui, place);
    }
  }
  return shell::FormResult::Cancel;
}

}  // namespace

void RunConfigurationForm(QWidget* parent, model::ConfigurationDocument& document, platform::Ui& ui,
                          const FormPlace& place) {
  if (document.Set().Variant() == model::DeviceVariant::None) return;
  shell::GuardedEdit(document,
                     [&](model::ParameterSet& set) { return RunForm(parent, set, ui, place); });
}

}  // namespace tarvo::gui
