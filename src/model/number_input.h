#pragma once

#include <string_view>

namespace tarvo::model {

enum class NumberInput {
  Complete,  // a value text as it stands: empty, dashes, or a whole number
  Partial,   // the start of one ("-", "1e", ",") that more typing completes
  Refused,   // no typing makes it a number
};

// What a value cell may hold while the user types: blanks around a number with an optional sign,
// a decimal point or comma and a decimal exponent, or dashes and blanks for a value not set. It
// keeps to what the reading rule reads whole, so no text is stored that reads as something else.
NumberInput ClassifyNumberInput(std::string_view text);

}  // namespace tarvo::model
