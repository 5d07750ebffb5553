#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "model/document.h"
#include "platform/ui.h"
#include "shell/configuration_diff.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarvo::gui {

// What differs between the open configuration and another (a file, or what a device holds), form
// by form, narrowed by a filter. A double-click opens the row's form at that row under the
// guarded edit; "Принять значение" takes the other side's value into the open configuration
// through that form's checks. The list follows every change. After a write it checks what the
// device holds: the values it holds other than written come first, under a fault, then those
// the file left not set and the device kept.
class DifferencesDialog : public QDialog {
  Q_OBJECT

 public:
  DifferencesDialog(model::ConfigurationDocument& document, const model::ParameterSet& other,
                    const QString& otherName, platform::Ui& ui, QWidget* parent = nullptr,
                    bool afterWrite = false);

  QTreeWidget* Tree() const { return tree_; }
  QPushButton* TakeButton() const { return take_; }
  const std::vector<shell::DifferentForm>& Differences() const { return differences_; }

  // Compares again and redraws the list, keeping the filter and the place of the cursor.
  void Recompare();
  // The row under the cursor takes the other side's value.
  void TakeCurrentValue();

 private:
  void Fill();
  void ApplyFilter(const QString& text);
  void OpenFormOf(QTreeWidgetItem* item);
  void UpdateTakeButton();
  // The form and row an item shows; false for a form's own line.
  bool Locate(const QTreeWidgetItem* item, int& form, int& row) const;

  model::ConfigurationDocument& document_;
  const model::ParameterSet& other_;
  QString otherName_;
  platform::Ui& ui_;
  bool afterWrite_;
  std::vector<shell::DifferentForm> differences_;
  // After a write: how many forms of differences_ hold values other than written.
  std::size_t mismatchForms_ = 0;
  std::vector<QTreeWidgetItem*> formItems_;

  QLabel* summary_;
  QLineEdit* filter_;
  QTreeWidget* tree_;
  QPushButton* take_;
};

// Compares the open configuration with another: a notice when the forms show the same, the
// differences dialog otherwise.
void ShowDifferences(QWidget* parent, model::ConfigurationDocument& document,
                     const model::ParameterSet& other, const QString& otherName, platform::Ui& ui);

// After a write and its check: the differences dialog when the device holds something else than
// the open configuration shows, mismatches and kept values apart; nothing otherwise.
void ShowVerification(QWidget* parent, model::ConfigurationDocument& document,
                      const model::ParameterSet& readBack, platform::Ui& ui);

}  // namespace tarvo::gui
