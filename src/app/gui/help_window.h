#pragma once

#include <QString>
#include <QWidget>
#include <string>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QTreeWidget;

namespace tarvo::gui {

// The program's own help window: the installed HTML help, its headings as contents beside it and
// a search field above it, so that help needs no web browser.
class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows the help file; false with the reason when it cannot be read.
  bool Load(const QString& path, std::string& reason);
  // Selects the next place that holds the text, from the top once the end is passed; false (and
  // "Не найдено" beside the field) when the help does not hold it.
  bool FindNext(const QString& text);

 private:
  void FillContents();
  void ShowHeading(int position);

  QTextBrowser* browser_;
  QTreeWidget* contents_;
  QLineEdit* search_;
  QLabel* searchState_;
};

}  // namespace tarvo::gui
