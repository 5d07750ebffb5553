#include "forms/system/sms_number.h"

#include <algorithm>
#include <cstring>

#include "model/value_text.h"

namespace tarvo::forms {

namespace {

// The first maxChars characters of the cell, padded on the right with "0" to 8 bytes.
void StorePadded(std::string_view cell, std::size_t maxChars, model::DigitString& field) {
  const std::string text = model::FirstChars(cell, maxChars);
  const std::size_t length = std::min<std::size_t>(text.size(), 8);
  std::memset(field.chars, '0', 8);
  std::memcpy(field.chars, text.data(), length);
  field.chars[8] = 0;
}

}  // namespace

bool CheckSmsNumber(std::string_view firstPart, std::string_view secondPart, int interfaceNumber,
                    bool addSuffix, model::ParameterSet& target, std::string& message) {
  message.clear();
  const std::string suffix = " через интерфейс №" + std::to_string(interfaceNumber);
  model::DigitString& first = interfaceNumber == 1 ? target.sms1First : target.sms2First;
  model::DigitString& second = interfaceNumber == 1 ? target.sms1Second : target.sms2Second;

  // All eight stored characters are examined: a zero byte among them is no digit.
  StorePadded(firstPart, 3, first);
  if (model::HasCharOutside(std::string_view(first.chars, 8), '0', '9')) {
    message = "Ошибочно задана первая часть телефонного номера для передачи SMS";
  } else {
    StorePadded(secondPart, 7, second);
    if (!model::HasCharOutside(std::string_view(second.chars, 8), '0', '9')) return true;
    message = "Ошибочно задана вторая часть телефонного номера для передачи SMS";
  }
  if (addSuffix) message += suffix;
  return false;
}

}  // namespace tarvo::forms
