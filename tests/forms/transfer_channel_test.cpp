#include "forms/channel/transfer_channel.h"

#include <gtest/gtest.h>

#include <memory>

namespace tarvo::forms {
namespace {

using model::ChannelRecord;
using model::Float32;

// A source record with every group distinct from a reset record.
ChannelRecord Source() {
  auto set = std::make_unique<model::ParameterSet>();
  set->Reset();
  ChannelRecord record = set->channels[0];
  record.mediumKind = 5;
  record.typeDigit2 = 3;
  record.typeDigits3to5[0] = 2;
  record.typeDigits3to5[1] = 3;
  record.typeDigits3to5[2] = 1;
  record.typeDigit6 = 2;
  record.typeDigit7 = 4;
  record.flowInputs[0] = 21;
  record.pressureInput = 22;
  record.temperatureInput = 23;
  for (int slot = 1; slot <= model::kChannelFloatSlots; ++slot) {
    record.Slot(slot) = Float32::Of(static_cast<float>(slot));
  }
  record.irvis1[3] = Float32::Of(1.5f);
  record.gas.concentrations[0] = Float32::Of(2.5f);
  record.archiveKind[0] = 1;
  record.flowRangeControl[1] = 1;
  record.failureList = 0x81;
  return record;
}

ChannelRecord Target() {
  ChannelRecord record = Source();
  record.mediumKind = 9;
  record.flowInputs[0] = 31;
  record.pressureInput = 32;
  record.temperatureInput = 33;
  record.Slot(28) = Float32::Of(-28.0f);
  record.irvis1[3] = Float32::Of(-1.0f);
  record.gas.concentrations[0] = Float32::Of(-1.0f);
  record.Slot(7) = Float32::Of(-7.0f);
  record.failureList = 0;
  return record;
}

struct Types {
  int flow1, flow2, flow3, pressure, temperature;
};

Types TypesOf(const ChannelRecord& r) {
  return {r.typeDigits3to5[0], r.typeDigits3to5[1], r.typeDigits3to5[2], r.typeDigit6,
          r.typeDigit7};
}

TEST(TransferChannelTest, CommitCopiesEverythingButTheDialogGroupOfItsVariant) {
  struct Case {
    std::uint8_t executionCode;
    bool keepsIrvis;
    bool keepsGas;
  };
  for (const Case c : {Case{0x47, true, false}, Case{0x50, false, true}, Case{0x46, false, false},
                       Case{0x60, false, false}, Case{0x49, false, false}}) {
    const ChannelRecord source = Source();
    ChannelRecord target = Target();
    TransferChannel(2, 2, source, target, c.executionCode);
    EXPECT_EQ(target.mediumKind, 5);
    EXPECT_EQ(target.flowInputs[0], 21);
    EXPECT_EQ(target.pressureInput, 22);
    EXPECT_EQ(target.temperatureInput, 23);
    EXPECT_EQ(target.Slot(28), Float32::Of(28.0f));
    EXPECT_EQ(target.Slot(7), Float32::Of(7.0f));
    EXPECT_EQ(target.failureList, 0x81);
    EXPECT_EQ(target.irvis1[3], c.keepsIrvis ? Float32::Of(-1.0f) : Float32::Of(1.5f));
    EXPECT_EQ(target.gas.concentrations[0], c.keepsGas ? Float32::Of(-1.0f) : Float32::Of(2.5f));
    EXPECT_EQ(TypesOf(target).flow2, 3) << "commit never clears types";
  }
}

TEST(TransferChannelTest, CopyKeepsInputsAndSlot28AndCopiesTheRest) {
  const ChannelRecord source = Source();
  ChannelRecord target = Target();
  TransferChannel(0, 1, source, target, 0x50);
  EXPECT_EQ(target.flowInputs[0], 31);
  EXPECT_EQ(target.pressureInput, 32);
  EXPECT_EQ(target.temperatureInput, 33);
  EXPECT_EQ(target.Slot(28), Float32::Of(-28.0f));
  EXPECT_EQ(target.Slot(7), Float32::Of(7.0f));
  EXPECT_EQ(target.Slot(32), Float32::Of(32.0f));
  EXPECT_EQ(target.irvis1[3], Float32::Of(1.5f));
  EXPECT_EQ(target.gas.concentrations[0], Float32::Of(2.5f));
  EXPECT_EQ(target.failureList, 0x81);
  EXPECT_EQ(target.mediumKind, 5);
}

struct ClearCase {
  std::uint8_t executionCode;
  int targetIndex;
  std::uint8_t flow1;  // source flow transducer 1 type
  Types expected;
};

class TransferChannelClearing : public ::testing::TestWithParam<ClearCase> {};

TEST_P(TransferChannelClearing, ClearsWhatTheTargetChannelCannotHave) {
  const ClearCase& c = GetParam();
  ChannelRecord source = Source();
  source.typeDigits3to5[0] = c.flow1;
  ChannelRecord target = Target();
  const int sourceIndex = c.targetIndex == 0 ? 1 : 0;  // a copy, never the commit
  TransferChannel(sourceIndex, c.targetIndex, source, target, c.executionCode);
  const Types t = TypesOf(target);
  EXPECT_EQ(t.flow1, c.expected.flow1);
  EXPECT_EQ(t.flow2, c.expected.flow2);
  EXPECT_EQ(t.flow3, c.expected.flow3);
  EXPECT_EQ(t.pressure, c.expected.pressure);
  EXPECT_EQ(t.temperature, c.expected.temperature);
}

// Source types: flow 1 as given, flow 2 = 3, flow 3 = 1, pressure 2, temperature 4.
INSTANTIATE_TEST_SUITE_P(
    Variants, TransferChannelClearing,
    ::testing::Values(
        ClearCase{0x47, 1, 2, {2, 0, 0, 2, 4}},   // Г 47: only flow transducer 1 stays
        ClearCase{0x47, 0, 2, {2, 3, 1, 2, 4}},   // Г 47 onto channel 1: nothing cleared
        ClearCase{0x42, 1, 2, {2, 3, 1, 2, 4}},   // other Г: nothing cleared
        ClearCase{0x50, 5, 2, {2, 3, 1, 2, 4}},   // У: nothing cleared
        ClearCase{0x60, 5, 2, {2, 3, 1, 2, 4}},   // УВ: nothing cleared
        ClearCase{0x49, 1, 2, {2, 3, 1, 2, 4}},   // Л channel 2 keeps the pressure type
        ClearCase{0x49, 2, 2, {2, 3, 1, 0, 4}},   // Л from channel 3 on
        ClearCase{0x40, 0, 3, {0, 3, 1, 2, 4}},   // В 40: flow from channel 1
        ClearCase{0x40, 0, 4, {4, 3, 1, 2, 4}},   // ... but only types up to 3
        ClearCase{0x40, 3, 2, {0, 3, 1, 2, 4}},   // channel 4 keeps pressure, temperature
        ClearCase{0x40, 4, 2, {0, 3, 1, 0, 0}},   // channel 5 loses them
        ClearCase{0x41, 1, 2, {2, 3, 1, 2, 4}},   // В 41 channel 2: nothing
        ClearCase{0x44, 2, 2, {0, 3, 1, 0, 4}},   // В 44 channel 3: flow and pressure
        ClearCase{0x44, 4, 2, {0, 3, 1, 0, 0}},   // В 44 channel 5: all three
        ClearCase{0x46, 3, 2, {2, 3, 1, 2, 4}},   // В 46 channel 4: nothing
        ClearCase{0x46, 4, 3, {0, 3, 1, 0, 0}}),  // В 46 channel 5: all three
    [](const ::testing::TestParamInfo<ClearCase>& info) {
      return "Exec" + std::to_string(info.param.executionCode) + "Channel" +
             std::to_string(info.param.targetIndex + 1) + "Flow" + std::to_string(info.param.flow1);
    });

}  // namespace
}  // namespace tarvo::forms
