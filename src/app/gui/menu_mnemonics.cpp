#include "app/gui/menu_mnemonics.h"

#include <QAction>
#include <QMenu>

namespace tarvo::gui {

namespace {

// The position after a single "&" ("&&" is an ampersand shown), or -1.
qsizetype MnemonicIndex(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text.at(i) != QLatin1Char('&')) continue;
    if (text.at(i + 1) != QLatin1Char('&')) return i + 1;
    ++i;
  }
  return -1;
}

}  // namespace

QString WithMnemonic(const QString& text, const QString& taken) {
  if (MnemonicIndex(text) >= 0) return text;
  const qsizetype tab = text.indexOf(QLatin1Char('\t'));
  const qsizetype end = tab < 0 ? text.size() : tab;
  const auto free = [&](qsizetype i) {
    return text.at(i).isLetter() && !taken.contains(text.at(i), Qt::CaseInsensitive);
  };
  QList<qsizetype> candidates;
  for (qsizetype i = 0; i < end; ++i) {
    if ((i == 0 || text.at(i - 1).isSpace()) && free(i)) candidates.append(i);
  }
  for (qsizetype i = 0; i < end; ++i) {
    if (free(i)) candidates.append(i);
  }
  if (candidates.isEmpty()) return text;
  QString marked = text;
  marked.insert(candidates.front(), QLatin1Char('&'));
  return marked;
}

void AssignMnemonics(QMenu& menu) {
  QString taken;
  for (const QAction* action : menu.actions()) {
    const qsizetype index = MnemonicIndex(action->text());
    if (index >= 0) taken += action->text().at(index);
  }
  for (QAction* action : menu.actions()) {
    if (action->isSeparator()) continue;
    const QString marked = WithMnemonic(action->text(), taken);
    const qsizetype index = MnemonicIndex(marked);
    if (marked == action->text() || index < 0) continue;
    action->setText(marked);
    taken += marked.at(index);
  }
}

}  // namespace tarvo::gui
