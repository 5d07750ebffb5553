#pragma once

#include <span>

#include "model/device_variant.h"

namespace tarvo::forms {

// The fields of the system-wide group a row can carry.
enum class SystemField {
  ModeSpec,
  DaylightSaving,
  ColdWaterTemp,
  BaroPressure,
  BaroUpperLimit,
  OutdoorTemp,
  TariffZones,
  CorrectionFlag,
  Sms1First,
  Sms1Second,
  Sms2First,
  Sms2Second,
};

struct SystemRowSpec {
  SystemField field;
  const char* code;  // fixed code text; null for a number row, whose code is built from number
  int number;
  const char* description;
  int maxLength;  // text rows
  // Description used instead while the interface-2 rows are shown.
  const char* descriptionWithInterface2 = nullptr;
};

inline constexpr int kNoInterface2 = -1;
inline constexpr int kInterface2Always = 0;

struct SystemFormSpec {
  std::span<const SystemRowSpec> rows;
  // Execution code with which the interface-2 rows are shown, or one of the two constants.
  int interface2ExecutionCode;
};

// The rows of the system-wide form of a variant, top to bottom; null for no variant.
const SystemFormSpec* SystemFormSpecOf(model::DeviceVariant variant);

}  // namespace tarvo::forms
