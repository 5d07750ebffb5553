#include "platform/qt/qt_ui.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "platform/qt/qt_text.h"

namespace tarvo::platform::qt {

namespace {

QMessageBox::Icon QtIcon(Icon icon) {
  switch (icon) {
    case Icon::None:
      return QMessageBox::NoIcon;
    case Icon::Error:
      return QMessageBox::Critical;
    case Icon::Warning:
      return QMessageBox::Warning;
    case Icon::Question:
      return QMessageBox::Question;
    case Icon::Information:
      return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons QtButtons(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
      return QMessageBox::Ok;
    case Buttons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

// Closing a box by its title bar counts as its escape answer: Cancel where there is one, No
// for a Yes/No question, Ok for a plain message.
Answer AnswerOf(int button, Buttons buttons) {
  switch (button) {
    case QMessageBox::Ok:
      return Answer::Ok;
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    default:
      break;
  }
  switch (buttons) {
    case Buttons::Ok:
      return Answer::Ok;
    case Buttons::YesNo:
      return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
      return Answer::Cancel;
  }
  return Answer::Cancel;
}

}  // namespace

QString QtFileFilter(const std::string& filter) {
  const QStringList parts = ToQt(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    if (description.isEmpty()) break;
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << (description.contains(QLatin1Char('(')) ? description
                                                       : description + " (" + patterns + ")");
  }
  return filters.join(QStringLiteral(";;"));
}

QString QtDefaultSuffix(const std::string& extension) {
  QString suffix = ToQt(extension);
  if (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
  return suffix;
}

QWidget* QtUi::Parent() const {
  return parent_ ? parent_.data() : QApplication::activeWindow();
}

Answer QtUi::ShowMessage(const std::string& text, const std::string& caption, Icon icon,
                         Buttons buttons) {
  const QString title = ToQt(caption.empty() ? std::string(kApplicationTitle) : caption);
  QMessageBox box(QtIcon(icon), title, ToQt(text), QtButtons(buttons), Parent());
  // The busy cursor of a long command must not hide the pointer over the box.
  const bool busy = QApplication::overrideCursor() != nullptr;
  if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const int button = box.exec();
  if (busy) QApplication::restoreOverrideCursor();
  return AnswerOf(button, buttons);
}

std::optional<std::string> QtUi::AskFileName(const FileDialogOptions& options, bool save) {
  QFileDialog dialog(Parent(), ToQt(options.title));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save || !options.mustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilter(QtFileFilter(options.filter));
  dialog.setDefaultSuffix(QtDefaultSuffix(options.defaultExtension));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
  if (!options.initialName.empty()) dialog.selectFile(ToQt(options.initialName));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return QFile::encodeName(files.first()).toStdString();
}

std::optional<std::string> QtUi::AskOpenFileName(const FileDialogOptions& options) {
  return AskFileName(options, false);
}

std::optional<std::string> QtUi::AskSaveFileName(const FileDialogOptions& options) {
  return AskFileName(options, true);
}

void QtUi::SetWaitCursor(bool on) {
  if (on) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

}  // namespace tarvo::platform::qt
