#pragma once

#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <memory>
#include <string>

#include "app/gui/form_dialog.h"
#include "app/gui/form_widget.h"
#include "app/gui/sheet_dialog.h"
#include "forms/channel/channel_sheet.h"

namespace tarvo::gui {

// The row's value cell on the shown page of a sheet or in a form dialog.
inline QLineEdit* CellOf(QWidget* dialog, const char* code) {
  FormWidget* form = nullptr;
  if (auto* sheet = qobject_cast<SheetDialog*>(dialog)) {
    form = &sheet->PageWidget(sheet->Tabs()->currentIndex());
  } else if (auto* plain = qobject_cast<FormDialog*>(dialog)) {
    form = &plain->Widget();
  }
  if (form == nullptr) return nullptr;
  return qobject_cast<QLineEdit*>(form->EditorOf(form->Model().RowIndexOf(code)));
}

// A configuration's channel sheet in its dialog, shown and active as the window opens it.
struct ShownChannelSheet {
  std::unique_ptr<forms::PropertySheet> sheet;
  std::unique_ptr<SheetDialog> dialog;
  std::string failure;  // why there is no dialog
};

inline ShownChannelSheet ShowChannelSheet(model::ParameterSet& set, platform::Ui& ui) {
  ShownChannelSheet shown;
  shown.sheet = forms::MakeChannelSheet(set, shown.failure);
  if (shown.sheet == nullptr) return shown;
  auto dialog = std::make_unique<SheetDialog>(*shown.sheet, ui);
  dialog->show();
  if (QTest::qWaitForWindowActive(dialog.get())) {
    shown.dialog = std::move(dialog);
  } else {
    shown.failure = "the sheet's dialog did not become active";
  }
  return shown;
}

}  // namespace tarvo::gui
