#include "app/gui/tree_filter.h"

#include <QTreeWidget>

#include "app/gui/qt_text.h"
#include "shell/form_catalog.h"

namespace tarvo::gui {

std::vector<bool> FilterFormRows(QTreeWidget& tree, const QString& text, int codeColumn,
                                 const std::vector<int>& textColumns) {
  const QString typed = text.trimmed();
  const QString asCode = ToQt(shell::NormalizeCode(typed.toStdString()));
  const auto matches = [&](const QTreeWidgetItem& row) {
    if (typed.isEmpty() || row.text(codeColumn).contains(asCode, Qt::CaseInsensitive)) return true;
    for (int column : textColumns) {
      if (row.text(column).contains(typed, Qt::CaseInsensitive)) return true;
    }
    return false;
  };
  std::vector<bool> showing;
  for (int f = 0; f < tree.topLevelItemCount(); ++f) {
    QTreeWidgetItem* form = tree.topLevelItem(f);
    int shown = 0;
    for (int r = 0; r < form->childCount(); ++r) {
      QTreeWidgetItem* row = form->child(r);
      const bool match = matches(*row);
      row->setHidden(!match);
      shown += match ? 1 : 0;
    }
    form->setHidden(shown == 0 && !typed.isEmpty());
    showing.push_back(shown > 0);
  }
  return showing;
}

}  // namespace tarvo::gui
