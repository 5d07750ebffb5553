#pragma once

#include <QLineEdit>
#include <QTabWidget>

#include "app/gui/form_dialog.h"
#include "app/gui/form_widget.h"
#include "app/gui/sheet_dialog.h"

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

}  // namespace tarvo::gui
