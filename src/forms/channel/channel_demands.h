#pragma once

#include "model/parameter_set.h"

namespace tarvo::forms {

// Start-of-counting demands that several variants' channel pages make in the same words.
inline constexpr const char* kNeedCutOff = "Необходимо задать отсечку самохода счета";
inline constexpr const char* kNeedPressureLimit =
    "Необходимо задать верхний предел измерений преобразователя давления";
inline constexpr const char* kNeedContractPressure = "Необходимо задать договорное давление";
inline constexpr const char* kNeedContractTemperature = "Необходимо задать договорную температуру";
inline constexpr const char* kNeedThermometerUpper =
    "Необходимо задать верхний предел измерений термопреобразователя с токовым выходным сигналом";
inline constexpr const char* kNeedThermometerLower =
    "Необходимо задать нижний предел измерений термопреобразователя с токовым выходным сигналом";

inline bool HasPressureTransducer(const model::ChannelRecord& r) {
  return r.typeDigit6 != 0;
}
// Temperature transducer types 1 to 3 have a current output, whose limits must be known.
inline bool HasCurrentOutputThermometer(const model::ChannelRecord& r) {
  return r.typeDigit7 >= 1 && r.typeDigit7 <= 3;
}

}  // namespace tarvo::forms
