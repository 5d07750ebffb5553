#include "app/gui/report_text_dialog.h"
#include "app/gui/qt_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>
#include <functional>

#include "forms/form.h"
#include "shell/commands.h"
#include "shell/guarded_edit.h"

namespace tarvo::gui {

namespace {

using Part = forms::ReportTextPart;

constexpr int kColumns = 80;  // a 79-character line and the cursor after it

// A Cyrillic monospace font Debian ships; the system's fixed font where it is missing.
QFont TextFont() {
  const QString family = QStringLiteral("DejaVu Sans Mono");
  QFont font = QFontDatabase::hasFamily(family)
                   ? QFont(family)
                   : QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(15);
  return font;
}

// The edit's text with "\n" between lines and no-break spaces kept (toPlainText would turn them
// into spaces, and code page 1251 holds them).
QString EditText(const QPlainTextEdit& edit) {
  QString text = edit.document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  return text;
}

// A plain-text edit that refuses typing beyond what its model takes and pastes as much as fits.
class LimitedTextEdit : public QPlainTextEdit {
 public:
  LimitedTextEdit(std::function<bool(const QString&)> takes, QWidget* parent)
      : QPlainTextEdit(parent), takes_(std::move(takes)) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    QString typed = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
      typed = QStringLiteral("\n");
    const bool inserts =
        typed == QLatin1String("\n") || (!typed.isEmpty() && typed.at(0).isPrint());
    if (inserts && !takes_(WithInserted(typed))) {
      QApplication::beep();
      return;
    }
    QPlainTextEdit::keyPressEvent(event);
  }

  void insertFromMimeData(const QMimeData* source) override {
    if (!source->hasText()) return;
    const QString text = source->text();
    // The longest start of the text that fits.
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
      const qsizetype middle = (low + high + 1) / 2;
      if (takes_(WithInserted(text.left(middle)))) {
        low = middle;
      } else {
        high = middle - 1;
      }
    }
    if (low > 0 && text.at(low - 1).isHighSurrogate()) --low;
    if (low < text.size()) QApplication::beep();
    if (low > 0) textCursor().insertText(text.left(low));
  }

 private:
  QString WithInserted(const QString& inserted) const {
    const QTextCursor cursor = textCursor();
    const QString all = EditText(*this);
    return all.left(cursor.selectionStart()) + inserted + all.mid(cursor.selectionEnd());
  }

  std::function<bool(const QString&)> takes_;
};

}  // namespace

ReportTextDialog::ReportTextDialog(forms::ReportTextEditor& editor, platform::Ui& ui,
                                   QWidget* parent)
    : QDialog(parent), editor_(editor), ui_(ui) {
  setWindowTitle(ToQt(forms::ReportTextEditor::kTitle));
  auto* layout = new QVBoxLayout(this);
  header_ = MakePart(Part::Header);
  layout->addWidget(header_.check);
  // The header holds twice the footer's text: its edit gets the larger share of the height.
  layout->addWidget(header_.group, 2);
  footer_ = MakePart(Part::Footer);
  layout->addWidget(footer_.check);
  layout->addWidget(footer_.group, 1);
  footer_.check->setVisible(editor.Shown(Part::Footer));
  footer_.group->setVisible(editor.Shown(Part::Footer));

  auto* box = new QDialogButtonBox(this);
  ok_ = box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok_->setDefault(true);
  box->addButton(ToQt("Отмена"), QDialogButtonBox::RejectRole);
  connect(box, &QDialogButtonBox::accepted, this, &ReportTextDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &ReportTextDialog::reject);
  layout->addWidget(box);
}

ReportTextDialog::PartWidgets ReportTextDialog::MakePart(Part part) {
  const bool header = part == Part::Header;
  PartWidgets widgets;
  widgets.check = new QCheckBox(
      ToQt(header ? "Использовать верхний колонтитул" : "Использовать нижний колонтитул"), this);
  widgets.group = new QGroupBox(ToQt(header ? "Верхний колонтитул" : "Нижний колонтитул"), this);
  auto* edit = new LimitedTextEdit(
      [this, part](const QString& text) { return editor_.Takes(part, text.toStdString()); },
      widgets.group);
  widgets.edit = edit;
  widgets.clear = new QPushButton(
      ToQt(header ? "Очистить верхний колонтитул" : "Очистить нижний колонтитул"), widgets.group);
  widgets.check->setObjectName(header ? QStringLiteral("headerCheck")
                                      : QStringLiteral("footerCheck"));
  edit->setObjectName(header ? QStringLiteral("headerEdit") : QStringLiteral("footerEdit"));

  edit->setFont(TextFont());
  edit->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit->setTabChangesFocus(true);
  const QFontMetrics metrics(edit->font());
  const int lines = header ? 7 : 4;
  const int frame =
      2 * edit->frameWidth() + 2 * static_cast<int>(edit->document()->documentMargin());
  edit->setMinimumSize(metrics.horizontalAdvance(QLatin1Char('M')) * kColumns + frame +
                           edit->verticalScrollBar()->sizeHint().width(),
                       metrics.lineSpacing() * lines + frame);
  edit->setPlainText(ToQt(editor_.Text(part)));
  edit->setEnabled(editor_.Enabled(part));
  widgets.check->setChecked(editor_.Enabled(part));

  auto* groupLayout = new QVBoxLayout(widgets.group);
  groupLayout->addWidget(edit);
  auto* buttonRow = new QHBoxLayout;
  widgets.place = new QLabel(widgets.group);
  widgets.place->setObjectName(header ? QStringLiteral("headerPlace")
                                      : QStringLiteral("footerPlace"));
  widgets.place->setAccessibleName(QString::fromUtf8("Положение курсора"));
  buttonRow->addWidget(widgets.place);
  buttonRow->addStretch();
  buttonRow->addWidget(widgets.clear);
  groupLayout->addLayout(buttonRow);

  connect(widgets.check, &QCheckBox::toggled, this, [this, part, edit](bool on) {
    editor_.SetEnabled(part, on);
    edit->setEnabled(editor_.Enabled(part));
  });
  connect(edit, &QPlainTextEdit::textChanged, this, [this, part, edit] {
    // Typing and pasting are held to the limit already; anything else that overfills is undone.
    if (editor_.EnterText(part, EditText(*edit).toStdString())) edit->undo();
  });
  // The line limit is checked only on OK: while typing, the place shows how close it is.
  const auto showPlace = [edit, place = widgets.place] {
    const QTextCursor cursor = edit->textCursor();
    const QString before = cursor.block().text().left(cursor.positionInBlock());
    place->setText(QString::fromStdString(
        forms::ReportTextEditor::CursorPlace(EditText(*edit).toStdString(), cursor.blockNumber(),
                                             forms::CharCount(before.toStdString()))));
  };
  connect(edit, &QPlainTextEdit::cursorPositionChanged, this, showPlace);
  connect(edit, &QPlainTextEdit::textChanged, this, showPlace);
  showPlace();
  // Select all and delete, as the user would: Ctrl+Z brings the text back.
  connect(widgets.clear, &QPushButton::clicked, this, [edit] {
    QTextCursor cursor = edit->textCursor();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    edit->setTextCursor(cursor);
  });
  return widgets;
}

void ReportTextDialog::accept() {
  const forms::ReportTextVerdict verdict = editor_.Accept(ui_);
  if (verdict.accepted) {
    QDialog::accept();
    return;
  }
  QPlainTextEdit* edit = Edit(verdict.part);
  if (verdict.line > 0) {
    const QTextBlock block = edit->document()->findBlockByNumber(verdict.line - 1);
    if (block.isValid()) edit->setTextCursor(QTextCursor(block));
  }
  if (edit->isEnabled()) edit->setFocus();
}

void RunReportTextEditor(QWidget* parent, model::ConfigurationDocument& document,
                         platform::Ui& ui) {
  if (!shell::StateOf(shell::CommandId::ReportTexts, document.Set()).enabled) return;
  shell::GuardedEdit(document, [&](model::ParameterSet& set) {
    forms::ReportTextEditor editor(set);
    ReportTextDialog dialog(editor, ui, parent);
    return dialog.exec() == QDialog::Accepted ? shell::FormResult::Ok : shell::FormResult::Cancel;
  });
}

}  // namespace tarvo::gui
