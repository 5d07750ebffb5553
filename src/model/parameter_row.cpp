#include "model/parameter_row.h"

#include "model/check_range.h"
#include "model/parameter_code.h"
#include "model/value_text.h"

namespace tarvo::model {

void FillParameterRow(ParameterCells& cells, DeviceVariant variant, int number,
                      const std::string& description, Float32 value, int index, bool node) {
  cells.code = ParameterCode(variant, index, number, node);
  cells.description = description;
  cells.valueMaxLength = kValueCellLength;
  cells.value = FormatValue(value);
}

}  // namespace tarvo::model
