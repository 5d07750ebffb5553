#pragma once

#include <cstddef>
#include <string_view>

namespace tarvo::model {

struct LeadingNumber {
  double value = 0;
  std::size_t length = 0;  // characters read; 0 when the text starts with no number
};

// The leading number of a text as the C library's strtod reads it in the "C" locale, with the
// same bits and the same characters read, on every system and in every locale: blanks, a sign,
// decimal digits with a point and an exponent, "0x" hexadecimal digits with a point and a binary
// exponent, "inf", "infinity", "nan" and "nan(...)" in any case. Beyond the double range the
// value is an infinity or zero. Reading stops at a zero byte.
LeadingNumber ReadLeadingNumber(std::string_view text);

}  // namespace tarvo::model
