#pragma once

#include <string>
#include <string_view>

#include "model/float32.h"

namespace tarvo::model {

// The template with the bounds put between the blanks of " от  " and " до  ".
std::string BuildRangeMessage(std::string_view messageTemplate, Float32 lower, Float32 upper);

// Reads a value cell (typed: at most 9 characters; filled: the whole value text) into
// destination and accepts it when it is not set or lies within the bounds. A not-set bound
// counts as 0. A text that is no finite 32-bit float is refused whatever the bounds, and
// destination keeps what it held.
bool ReadInRange(std::string_view valueCell, Float32& destination, Float32 lower, Float32 upper);

inline constexpr const char* kErrorCaption = "Ошибка";
inline constexpr int kValueCellLength = 9;

}  // namespace tarvo::model
