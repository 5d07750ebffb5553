#pragma once

#include <QWidget>

class QLineEdit;
class QTreeWidget;

#include "model/parameter_set.h"
#include "shell/form_catalog.h"

namespace tarvo::gui {

// The whole configuration read-only in the main window's client area: every form with its rows
// (code, description, value) and the report texts, narrowed by a filter box (Esc clears it).
class OverviewWidget : public QWidget {
  Q_OBJECT

 public:
  explicit OverviewWidget(QWidget* parent = nullptr);

  // Refills from the set (after every command), keeping the current row and the scroll position.
  void ShowConfiguration(const model::ParameterSet& set);
  // Puts the cursor in the filter box (Ctrl+F).
  void FocusFilter();

 Q_SIGNALS:
  // A row was double-clicked: open its form at that row.
  void rowActivated(const tarvo::shell::FormTarget& target, const QString& code);
  // A report-text row was double-clicked: open the report-text editor.
  void reportTextsActivated();

 private:
  void ApplyFilter(const QString& text);

  QLineEdit* filter_;
  QTreeWidget* tree_;
};

}  // namespace tarvo::gui
