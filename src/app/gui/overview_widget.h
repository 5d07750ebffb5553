#pragma once

#include <QWidget>

#include "model/parameter_set.h"
#include "shell/form_catalog.h"

namespace tarvo::gui {

// The whole configuration read-only in the main window's client area: every form with its rows
// (code, description, value), narrowed by a filter box.
class OverviewWidget : public QWidget {
  Q_OBJECT

 public:
  explicit OverviewWidget(QWidget* parent = nullptr);

  // Refills from the set (after every command).
  void ShowConfiguration(const model::ParameterSet& set);
  // Puts the cursor in the filter box (Ctrl+F).
  void FocusFilter();

 Q_SIGNALS:
  // A row was double-clicked: open its form at that row.
  void rowActivated(const tarvo::shell::FormTarget& target, const QString& code);
};

}  // namespace tarvo::gui
