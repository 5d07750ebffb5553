#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/float32.h"

namespace tarvo::model {

// "-" for the not-set marker, otherwise up to eight significant digits with a decimal comma.
std::string FormatValue(Float32 value);
inline std::string FormatValue(float value) {
  return FormatValue(Float32::Of(value));
}

// The leading number of a text as the C library's atof reads it in the "C" locale (see
// ReadLeadingNumber); empty or no number gives 0.
double ReadNumber(std::string_view text);

// A value cell's text as a stored float: dashes give the not-set marker, a comma counts as a
// point, the rest follows ReadNumber.
Float32 ReadValueText(std::string_view text);

// A value cell's text as a value the configuration may hold: not set, or a finite 32-bit float.
// Nothing when the text reads as nan, an infinity or a number beyond the float range, which the
// flow computer must never be sent.
std::optional<Float32> ReadStorableValue(std::string_view text);

// Not empty after removing blanks, and only "-" characters.
bool IsDashes(std::string_view text);

bool IsNotSet(const void* fourBytes);
inline void SetNotSet(Float32& destination) {
  destination.SetNotSet();
}

// Replaces the first "," by ".".
std::string CommaToPoint(std::string text);

// True when any byte of the text (a zero byte included) lies below lowest or above highest.
bool HasCharOutside(std::string_view text, char lowest, char highest);

// The first maxChars characters (UTF-8 code points) of a text.
std::string FirstChars(std::string_view text, std::size_t maxChars);

}  // namespace tarvo::model
