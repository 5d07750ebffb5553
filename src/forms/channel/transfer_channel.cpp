#include "forms/channel/transfer_channel.h"

#include <algorithm>

namespace tarvo::forms {

namespace {

using model::ChannelRecord;
using model::DeviceVariant;

// 1-based channel numbers from which a copy clears the types of flow transducer 1 (only when
// it is 3 or less), the pressure transducer and the temperature transducer (variant В).
struct ClearFrom {
  int flow;
  int pressure;
  int temperature;
};

ClearFrom ClearFromForV(std::uint8_t executionCode) {
  switch (executionCode) {
    case 0x40:
      return {1, 5, 5};
    case 0x41:
    case 0x44:
      return {3, 3, 5};
    case 0x46:
      return {5, 5, 5};
    default:
      return {1, 1, 1};
  }
}

void ClearTypesForTarget(int targetIndex, ChannelRecord& target, std::uint8_t executionCode) {
  const int channel = targetIndex + 1;
  switch (model::VariantOf(executionCode)) {
    case DeviceVariant::G:
      if (executionCode == 0x47 && channel != 1) {
        target.typeDigits3to5[1] = 0;
        target.typeDigits3to5[2] = 0;
      }
      break;
    case DeviceVariant::L:
      if (channel >= 3) target.typeDigit6 = 0;
      break;
    case DeviceVariant::V: {
      const ClearFrom from = ClearFromForV(executionCode);
      if (channel >= from.flow && target.typeDigits3to5[0] <= 3) target.typeDigits3to5[0] = 0;
      if (channel >= from.pressure) target.typeDigit6 = 0;
      if (channel >= from.temperature) target.typeDigit7 = 0;
      break;
    }
    default:
      break;
  }
}

}  // namespace

void TransferChannel(int sourceIndex, int targetIndex, const ChannelRecord& source,
                     ChannelRecord& target, std::uint8_t executionCode) {
  const bool commit = sourceIndex == targetIndex;
  const DeviceVariant variant = model::VariantOf(executionCode);

  target.mediumKind = source.mediumKind;
  target.typeDigit2 = source.typeDigit2;
  std::copy_n(source.typeDigits3to5, 3, target.typeDigits3to5);
  target.typeDigit6 = source.typeDigit6;
  target.typeDigit7 = source.typeDigit7;
  if (!commit) ClearTypesForTarget(targetIndex, target, executionCode);

  for (int slot = 1; slot <= model::kChannelFloatSlots; ++slot) {
    if (slot == 28 && !commit) continue;
    target.Slot(slot) = source.Slot(slot);
  }
  if (commit) {
    std::copy_n(source.flowInputs, 3, target.flowInputs);
    target.pressureInput = source.pressureInput;
    target.temperatureInput = source.temperatureInput;
  }
  // The ИРВИС-К300 and associated-gas dialogs write straight into the set: a page's commit
  // keeps the group its variant's dialog owns.
  if (!commit || variant != DeviceVariant::G) {
    std::copy_n(source.irvis1, model::kIrvisPoints, target.irvis1);
    std::copy_n(source.irvis2, model::kIrvisPoints, target.irvis2);
  }
  if (!commit || variant != DeviceVariant::U) target.gas = source.gas;
  std::copy_n(source.archiveKind, 2, target.archiveKind);
  std::copy_n(source.flowRangeControl, 2, target.flowRangeControl);
  target.failureList = source.failureList;
}

}  // namespace tarvo::forms
