#include "model/parameter_code.h"

#include <cstdio>

namespace tarvo::model {

std::string ParameterCode(DeviceVariant variant, int index, int number, bool node) {
  char digits[32];
  if (variant == DeviceVariant::U) {
    std::snprintf(digits, sizeof digits, "%02d%02d", index + 1, number);
  } else if (index == 9) {
    // The tenth channel or node has no room for two digits: it is written as "-".
    std::snprintf(digits, sizeof digits, "-%02d", number);
  } else {
    std::snprintf(digits, sizeof digits, "%d%02d", index + 1, number);
  }
  return std::string(node ? "П" : "K") + digits;
}

}  // namespace tarvo::model
