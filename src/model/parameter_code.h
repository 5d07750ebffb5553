#pragma once

#include <string>

#include "model/device_variant.h"

namespace tarvo::model {

// The code shown beside a parameter: K0nn, K307, K-05, K1005, П215 ...
// index is the 0-based channel or node, -1 for a system-wide parameter.
std::string ParameterCode(DeviceVariant variant, int index, int number, bool node);

}  // namespace tarvo::model
