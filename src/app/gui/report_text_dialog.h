#pragma once

#include <QDialog>

#include "forms/texts/report_text_editor.h"
#include "model/document.h"
#include "platform/ui.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tarvo::gui {

// The report header and footer editor drawn over its model. The edits refuse typing and pasting
// beyond their limits; OK runs the model's checks and a refusal keeps the dialog open with the
// cursor on the line it names.
class ReportTextDialog : public QDialog {
  Q_OBJECT

 public:
  ReportTextDialog(forms::ReportTextEditor& editor, platform::Ui& ui, QWidget* parent = nullptr);

  QCheckBox* Check(forms::ReportTextPart part) const { return Parts(part).check; }
  QPlainTextEdit* Edit(forms::ReportTextPart part) const { return Parts(part).edit; }
  QPushButton* ClearButton(forms::ReportTextPart part) const { return Parts(part).clear; }
  QGroupBox* Group(forms::ReportTextPart part) const { return Parts(part).group; }
  QLabel* Place(forms::ReportTextPart part) const { return Parts(part).place; }
  QPushButton* OkButton() const { return ok_; }

  void accept() override;

 private:
  struct PartWidgets {
    QCheckBox* check = nullptr;
    QGroupBox* group = nullptr;
    QPlainTextEdit* edit = nullptr;
    QPushButton* clear = nullptr;
    QLabel* place = nullptr;  // "строка 2: 45 из 78"
  };

  const PartWidgets& Parts(forms::ReportTextPart part) const {
    return part == forms::ReportTextPart::Header ? header_ : footer_;
  }
  PartWidgets MakePart(forms::ReportTextPart part);

  forms::ReportTextEditor& editor_;
  platform::Ui& ui_;
  PartWidgets header_;
  PartWidgets footer_;
  QPushButton* ok_ = nullptr;
};

// The window's report-text command: the editor under the guarded edit (Cancel restores the set,
// OK marks the document modified when the set changed). Nothing for a variant without texts.
void RunReportTextEditor(QWidget* parent, model::ConfigurationDocument& document, platform::Ui& ui);

}  // namespace tarvo::gui
