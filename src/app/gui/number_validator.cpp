#include "app/gui/number_validator.h"

#include "model/number_input.h"

namespace tarvo::gui {

QValidator::State NumberValidator::validate(QString& text, int&) const {
  switch (model::ClassifyNumberInput(text.toStdString())) {
    case model::NumberInput::Complete:
      return Acceptable;
    case model::NumberInput::Partial:
      return Intermediate;
    case model::NumberInput::Refused:
      break;
  }
  return Invalid;
}

}  // namespace tarvo::gui
