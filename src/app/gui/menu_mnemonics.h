#pragma once

#include <QString>
#include <QStringList>

class QMenu;

namespace tarvo::gui {

// The text with "&" before the letter that opens it with Alt: the first word's first letter,
// else another word's first letter, else any letter, none of them in taken (compared without
// case). The part after a tab (the shortcut) is never used. A text that has its mnemonic already,
// or has no free letter, comes back as given.
QString WithMnemonic(const QString& text, const QString& taken);

// Gives every item of the menu a mnemonic of its own; items that have one keep it.
void AssignMnemonics(QMenu& menu);

}  // namespace tarvo::gui
