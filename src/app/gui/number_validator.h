#pragma once

#include <QValidator>

namespace tarvo::gui {

// Lets a number cell take only what can become a number or a not-set value; anything else typed
// or pasted is refused whole, so the value read later is what the cell shows.
class NumberValidator : public QValidator {
  Q_OBJECT

 public:
  using QValidator::QValidator;

  State validate(QString& text, int& position) const override;
};

}  // namespace tarvo::gui
