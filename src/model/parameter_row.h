#pragma once

#include <string>

#include "model/device_variant.h"
#include "model/float32.h"

namespace tarvo::model {

// The three cells every parameter row shows.
struct ParameterCells {
  std::string code;
  std::string description;
  std::string value;
  int valueMaxLength = 0;  // characters; 0 = no limit
};

// Code from the variant, index and number; description as given; value cell limited to 9
// characters and holding FormatValue of the value.
void FillParameterRow(ParameterCells& cells, DeviceVariant variant, int number,
                      const std::string& description, Float32 value, int index, bool node);

}  // namespace tarvo::model
