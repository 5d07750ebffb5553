#pragma once

#include <QString>
#include <vector>

class QTreeWidget;

namespace tarvo::gui {

// Hides the rows (second-level items) of a list of forms that do not contain the typed text, and
// the forms left without rows. A code may be typed with a Cyrillic «К» or a small letter; the
// text is looked for in the code column and in the other columns given. Returns, for each form,
// whether it shows rows.
std::vector<bool> FilterFormRows(QTreeWidget& tree, const QString& text, int codeColumn,
                                 const std::vector<int>& textColumns);

}  // namespace tarvo::gui
