#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

#include "device/simulated_exchange.h"
#include "device/type_code.h"
#include "sim/configuration_image.h"

// The parameter tables of the exchange, written out here independently of the tables the code
// uses, so that a parameter sent to or taken from the wrong place shows up.

namespace tarvo {
namespace {

using device::Value4;
using model::Float32;

Value4 FloatCell(float value) {
  return device::FloatBytes(Float32::Of(value));
}

struct Mapping {
  int parameter;
  int slot;
};

struct ChannelReadCase {
  const char* name;
  std::uint8_t exec;
  std::uint8_t version;
  std::vector<Mapping> slots;
};

class ChannelRead : public ::testing::TestWithParam<ChannelReadCase> {};

TEST_P(ChannelRead, TakesEachParameterIntoItsSlot) {
  const ChannelReadCase& c = GetParam();
  testing::SimulatedExchange bench(c.exec, c.version);
  model::ParameterSet set{};
  model::MakeNewConfiguration(set, c.exec, c.version);
  std::string message;
  ASSERT_TRUE(sim::LoadConfiguration(bench.device, set, message)) << message;
  // Parameter p of channel 1 holds 100 + p.
  for (int p = 1; p < 100; ++p) bench.device.SetCell(1, p, FloatCell(100.0f + p));

  model::ParameterSet result{};
  result.Reset();
  ASSERT_TRUE(bench.link.ReadAllParameters(result, nullptr));
  const model::ChannelRecord& channel = result.channels[0];
  std::vector<bool> mapped(33, false);
  for (const Mapping& m : c.slots) {
    EXPECT_EQ(channel.Slot(m.slot), Float32::Of(100.0f + m.parameter))
        << "slot " << m.slot << " from parameter " << m.parameter;
    mapped[m.slot] = true;
  }
  for (int slot = 1; slot <= 32; ++slot) {
    if (mapped[slot]) continue;
    const Float32 expected = slot == 28 ? Float32::Of(0.0f) : Float32::NotSet();
    EXPECT_EQ(channel.Slot(slot), expected) << "slot " << slot << " is not read";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Variants, ChannelRead,
    ::testing::Values(
        ChannelReadCase{"V46",
                        0x46,
                        0x08,
                        {{1, 1},
                         {2, 4},
                         {3, 5},
                         {4, 6},
                         {5, 7},
                         {6, 8},
                         {7, 9},
                         {8, 19},
                         {9, 25},
                         {23, 18},
                         {31, 28}}},
        ChannelReadCase{
            "V44",
            0x44,
            0x60,
            {{1, 1}, {2, 4}, {3, 5}, {4, 6}, {5, 7}, {6, 8}, {7, 9}, {8, 19}, {9, 25}, {23, 18}}},
        ChannelReadCase{
            "G", 0x47, 0x10, {{2, 1},   {3, 2},   {4, 3},   {5, 4},   {6, 5},   {7, 6},
                              {8, 7},   {9, 8},   {10, 9},  {11, 12}, {12, 13}, {13, 14},
                              {14, 15}, {15, 16}, {16, 17}, {17, 18}, {18, 19}, {19, 20},
                              {20, 21}, {21, 22}, {22, 23}, {23, 24}, {24, 25}, {25, 26},
                              {26, 27}, {27, 28}, {59, 29}, {61, 30}, {63, 31}, {65, 32}}},
        ChannelReadCase{
            "U", 0x50, 0x40, {{3, 1},   {4, 2},   {5, 3},   {6, 4},   {7, 5},   {8, 6},
                              {9, 7},   {10, 8},  {11, 9},  {12, 12}, {13, 13}, {14, 14},
                              {15, 15}, {16, 16}, {17, 17}, {18, 18}, {19, 19}, {20, 20},
                              {21, 21}, {22, 22}, {23, 23}, {24, 24}, {25, 25}, {26, 26},
                              {27, 27}, {32, 28}, {56, 29}, {58, 30}, {60, 31}, {62, 32}}},
        ChannelReadCase{"UV12",
                        0x60,
                        0x12,
                        {{2, 1},
                         {3, 4},
                         {4, 5},
                         {5, 6},
                         {6, 7},
                         {7, 18},
                         {8, 19},
                         {9, 23},
                         {10, 24},
                         {11, 25},
                         {12, 26},
                         {13, 27},
                         {18, 8},
                         {19, 9},
                         {21, 28}}},
        ChannelReadCase{"UV11",
                        0x60,
                        0x11,
                        {{2, 1},
                         {3, 4},
                         {4, 5},
                         {5, 6},
                         {6, 7},
                         {7, 18},
                         {8, 19},
                         {9, 23},
                         {10, 24},
                         {11, 25},
                         {12, 26},
                         {13, 27},
                         {21, 28}}},
        ChannelReadCase{
            "L", 0x49, 0x10, {{1, 7}, {2, 19}, {3, 25}, {14, 18}, {20, 28}, {23, 1}, {26, 6}}}),
    [](const auto& info) { return std::string(info.param.name); });

// System-wide and node 1 floats read from parameters that hold 100 + their number.
using SetFloat = Float32 model::ParameterSet::*;
using NodeFloat = Float32 model::NodeRecord::*;

struct FloatsReadCase {
  const char* name;
  std::uint8_t exec;
  std::uint8_t version;
  std::vector<std::pair<int, SetFloat>> system;
  std::vector<std::pair<int, NodeFloat>> node;
};

class FloatsRead : public ::testing::TestWithParam<FloatsReadCase> {};

TEST_P(FloatsRead, TakeEachParameterIntoItsField) {
  const FloatsReadCase& c = GetParam();
  testing::SimulatedExchange bench(c.exec, c.version);
  for (int p = 1; p < 40; ++p) {
    bench.device.SetCell(0, p, FloatCell(100.0f + p));
    bench.device.SetCell(0x81, p, FloatCell(100.0f + p));
  }
  model::ParameterSet result{};
  result.Reset();
  ASSERT_TRUE(bench.link.ReadAllParameters(result, nullptr));
  model::ParameterSet reset{};
  reset.Reset();
  for (SetFloat field :
       {&model::ParameterSet::contractColdWaterTemp, &model::ParameterSet::contractBaroPressure,
        &model::ParameterSet::baroUpperLimit, &model::ParameterSet::contractOutdoorTemp}) {
    Float32 expected = reset.*field;
    for (auto [parameter, mapped] : c.system) {
      if (mapped == field) expected = Float32::Of(100.0f + parameter);
    }
    EXPECT_EQ(result.*field, expected);
  }
  for (NodeFloat field :
       {&model::NodeRecord::averagingCoefficient, &model::NodeRecord::hourlyMassConstant,
        &model::NodeRecord::massImbalanceSetpoint, &model::NodeRecord::hourlyEnergyConstant,
        &model::NodeRecord::minTemperatureDifference}) {
    Float32 expected = reset.nodes[0].*field;
    for (auto [parameter, mapped] : c.node) {
      if (mapped == field) expected = Float32::Of(100.0f + parameter);
    }
    EXPECT_EQ(result.nodes[0].*field, expected);
  }
}

using S = model::ParameterSet;
using N = model::NodeRecord;

INSTANTIATE_TEST_SUITE_P(
    Variants, FloatsRead,
    ::testing::Values(
        FloatsReadCase{"V46",
                       0x46,
                       0x08,
                       {{4, &S::contractColdWaterTemp}},
                       {{1, &N::averagingCoefficient}, {24, &N::minTemperatureDifference}}},
        FloatsReadCase{"G",
                       0x47,
                       0x10,
                       {{20, &S::contractColdWaterTemp}, {23, &S::contractBaroPressure}},
                       {{2, &N::averagingCoefficient}}},
        FloatsReadCase{"U",
                       0x50,
                       0x40,
                       {{4, &S::baroUpperLimit},
                        {20, &S::contractColdWaterTemp},
                        {23, &S::contractBaroPressure},
                        {26, &S::contractOutdoorTemp}},
                       {{4, &N::averagingCoefficient}}},
        FloatsReadCase{"UV",
                       0x60,
                       0x10,
                       {{21, &S::contractColdWaterTemp}},
                       {{10, &N::averagingCoefficient},
                        {11, &N::hourlyMassConstant},
                        {13, &N::massImbalanceSetpoint},
                        {14, &N::hourlyEnergyConstant},
                        {18, &N::minTemperatureDifference}}},
        FloatsReadCase{"L", 0x49, 0x10, {{4, &S::contractColdWaterTemp}}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// With zeros not kept, a channel whose every value reads as 0.0 keeps 0 only in the slots its
// type code needs; every other slot is not set.
struct FixUpCase {
  const char* name;
  std::uint8_t exec;
  std::uint8_t version;
  Value4 typeCode;
  std::vector<int> zeroSlots;
};

class ChannelFixUp : public ::testing::TestWithParam<FixUpCase> {};

TEST_P(ChannelFixUp, TurnsBackToZeroOnlyTheSlotsTheTypeCodeNeeds) {
  const FixUpCase& c = GetParam();
  testing::SimulatedExchange bench(c.exec, c.version);
  bench.device.SetCell(1, 0, c.typeCode);
  for (int p = 1; p < 100; ++p) bench.device.SetCell(1, p, {0, 0, 0, 0});
  model::ParameterSet result{};
  result.Reset();
  ASSERT_TRUE(bench.link.ReadAllParameters(result, nullptr));
  ASSERT_FALSE(bench.link.keepZeroValues);
  std::vector<int> zero;
  for (int slot = 1; slot <= 32; ++slot) {
    const Float32 value = result.channels[0].Slot(slot);
    if (value == Float32::Of(0.0f)) {
      zero.push_back(slot);
    } else {
      EXPECT_TRUE(value.IsNotSet()) << "slot " << slot;
    }
  }
  EXPECT_EQ(zero, c.zeroSlots);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, ChannelFixUp,
    ::testing::Values(
        FixUpCase{"V", 0x44, 0x54, {0x11, 0x00, 0, 0}, {1, 4, 5, 6, 28}},
        FixUpCase{"VNoTransducer", 0x44, 0x54, {0x10, 0x00, 0, 0}, {28}},
        FixUpCase{"G", 0x45, 0x46, {0x21, 0x01, 0x00, 0x00}, {2, 4, 5, 6, 13, 14, 16, 21, 28}},
        FixUpCase{"GHeatValue", 0x45, 0x46, {0x50, 0x00, 0x00, 0x10}, {24, 28, 31, 32}},
        FixUpCase{"U", 0x50, 0x20, {0x01, 0x11, 0x00, 0x01}, {1, 4, 5, 6, 13, 14, 16, 24, 28}},
        FixUpCase{"UMedium5", 0x50, 0x20, {0x05, 0x00, 0x00, 0x00}, {28, 31, 32}},
        FixUpCase{"UMedium2", 0x50, 0x20, {0x02, 0x00, 0x01, 0x00}, {3, 4, 5, 6, 21, 28}}),
    [](const auto& info) { return std::string(info.param.name); });

// Reads of (address, first parameter, count), in the order sent, wake-up and identification
// left out.
using ReadRequest = std::tuple<int, int, int>;

struct ReadOrderCase {
  const char* name;
  std::uint8_t exec;
  std::uint8_t version;
  int channels;
  int nodes;
  std::vector<ReadRequest> requests;
};

class ReadOrder : public ::testing::TestWithParam<ReadOrderCase> {};

TEST_P(ReadOrder, ScansThenReadsEveryMainBlockBeforeTheExtraBlocks) {
  const ReadOrderCase& c = GetParam();
  testing::SimulatedExchange bench(c.exec, c.version);
  bench.device.channelCount = c.channels;
  bench.device.nodeCount = c.nodes;
  model::ParameterSet result{};
  result.Reset();
  ASSERT_TRUE(bench.link.ReadAllParameters(result, nullptr));
  std::vector<ReadRequest> sent;
  for (const auto& f : bench.Requests(device::kCmdReadEx)) {
    sent.emplace_back(f.Address(), f.Parameter(), f.Argument()[0]);
  }
  ASSERT_FALSE(sent.empty());
  sent.erase(sent.begin());  // the identification
  EXPECT_EQ(sent, c.requests);
}

INSTANTIATE_TEST_SUITE_P(Variants, ReadOrder,
                         ::testing::Values(ReadOrderCase{"G",
                                                         0x45,
                                                         0x50,
                                                         2,
                                                         1,
                                                         {{0x81, 0, 1},
                                                          {0x82, 0, 1},
                                                          {1, 0, 1},
                                                          {2, 0, 1},
                                                          {3, 0, 1},
                                                          {0, 1, 28},
                                                          {1, 1, 27},
                                                          {2, 1, 27},
                                                          {1, 59, 7},
                                                          {1, 70, 28},
                                                          {2, 59, 7},
                                                          {2, 70, 28},
                                                          {0x81, 1, 15}}},
                                           ReadOrderCase{"U",
                                                         0x50,
                                                         0x40,
                                                         2,
                                                         1,
                                                         {{0x81, 0, 3},
                                                          {0x82, 0, 3},
                                                          {1, 0, 1},
                                                          {2, 0, 1},
                                                          {3, 0, 1},
                                                          {0, 1, 35},
                                                          {1, 1, 62},
                                                          {2, 1, 62},
                                                          {1, 76, 18},
                                                          {2, 76, 18},
                                                          {0x81, 3, 15}}},
                                           ReadOrderCase{"UV",
                                                         0x60,
                                                         0x09,
                                                         1,
                                                         1,
                                                         {{0x81, 0, 2},
                                                          {0x82, 0, 2},
                                                          {1, 0, 1},
                                                          {2, 0, 1},
                                                          {0, 1, 35},
                                                          {1, 1, 21},
                                                          {0x81, 10, 9}}}),
                         [](const auto& info) { return std::string(info.param.name); });

// A device holding a new configuration of its own execution, and that configuration to write.
struct WriteBench : testing::SimulatedExchange {
  WriteBench(std::uint8_t exec, std::uint8_t version) : SimulatedExchange(exec, version) {
    HoldNewConfiguration(set);
  }
  bool Write() { return link.WriteAllParameters(set, nullptr); }
  std::vector<int> ParametersWrittenTo(int address) const {
    std::vector<int> sent;
    for (const auto& f : Requests(device::kCmdWrite)) {
      if (f.Address() == address) sent.push_back(f.Parameter());
    }
    return sent;
  }

  model::ParameterSet set{};
};

// A write's parameters to channel 1, in the order sent: the parameter and the slot whose value
// it carries (0: a raw value, kGuard: the 100000.0 written ahead of a lower limit).
constexpr int kGuard = -1;

struct ChannelWriteCase {
  const char* name;
  std::uint8_t exec;
  std::uint8_t version;
  std::vector<Mapping> writes;
};

class ChannelWrite : public ::testing::TestWithParam<ChannelWriteCase> {};

TEST_P(ChannelWrite, SendsEachSlotToItsParameterInOrder) {
  const ChannelWriteCase& c = GetParam();
  WriteBench bench(c.exec, c.version);
  model::ChannelRecord& channel = bench.set.channels[0];
  for (int slot = 1; slot <= 32; ++slot) channel.Slot(slot) = Float32::Of(0.5f + slot);
  for (auto& digit : channel.typeDigits3to5) digit = 1;
  ASSERT_TRUE(bench.Write());

  std::vector<Mapping> sent;
  for (const auto& f : bench.Requests(device::kCmdWrite)) {
    if (f.Address() != 1) continue;
    const float value = device::FloatOf(f.Argument()).Value();
    int slot = 0;
    if (value == 100000.0f) slot = kGuard;
    if (value > 1.0f && value < 33.0f && value - static_cast<int>(value) == 0.5f) {
      slot = static_cast<int>(value);
    }
    sent.push_back({f.Parameter(), slot});
  }
  ASSERT_EQ(sent.size(), c.writes.size());
  for (std::size_t i = 0; i < sent.size(); ++i) {
    EXPECT_EQ(sent[i].parameter, c.writes[i].parameter) << "write " << i;
    EXPECT_EQ(sent[i].slot, c.writes[i].slot) << "write " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Variants, ChannelWrite,
    ::testing::Values(
        ChannelWriteCase{"V46",
                         0x46,
                         0x08,
                         {{0, 0},
                          {1, kGuard},
                          {2, 4},
                          {3, 5},
                          {4, 6},
                          {1, 1},
                          {5, 7},
                          {6, 8},
                          {7, 9},
                          {8, 19},
                          {9, 25},
                          {23, 18},
                          {50, 0},
                          {51, 0},
                          {52, 0}}},
        ChannelWriteCase{
            "G", 0x45, 0x60, {{0, 0},   {2, kGuard}, {3, kGuard}, {4, kGuard}, {5, 4},   {6, 5},
                              {7, 6},   {2, 1},      {3, 2},      {4, 3},      {8, 7},   {9, 8},
                              {10, 9},  {11, 12},    {12, 13},    {13, 14},    {14, 15}, {15, 16},
                              {16, 17}, {17, 18},    {18, 19},    {19, 20},    {20, 21}, {21, 22},
                              {22, 23}, {23, 24},    {24, 25},    {25, 26},    {26, 27}, {59, 29},
                              {61, 30}, {63, 31},    {65, 32}}},
        ChannelWriteCase{
            "U", 0x50, 0x40, {{0, 0},   {1, 0},   {2, 0},   {3, kGuard}, {4, kGuard}, {5, kGuard},
                              {6, 4},   {7, 5},   {8, 6},   {3, 1},      {4, 2},      {5, 3},
                              {9, 7},   {10, 8},  {11, 9},  {12, 12},    {13, 13},    {14, 14},
                              {15, 15}, {16, 16}, {17, 17}, {18, 18},    {19, 19},    {20, 20},
                              {21, 21}, {22, 22}, {23, 23}, {24, 24},    {25, 25},    {26, 26},
                              {27, 27}, {56, 29}, {58, 30}, {60, 31},    {62, 32}}},
        ChannelWriteCase{"UV", 0x60, 0x12, {{0, 0},  {1, 0},   {2, kGuard}, {3, 4},   {4, 5},
                                            {5, 6},  {2, 1},   {6, 7},      {7, 18},  {8, 19},
                                            {9, 23}, {10, 24}, {11, 25},    {12, 26}, {13, 27},
                                            {14, 0}, {15, 0},  {16, 0},     {18, 8},  {19, 9}}},
        ChannelWriteCase{
            "L",
            0x49,
            0x10,
            {{0, 0}, {1, 7}, {2, 19}, {3, 25}, {14, 18}, {23, kGuard}, {26, 6}, {23, 1}}}),
    [](const auto& info) { return std::string(info.param.name); });

// The parameters written to one address, in the order sent, with every value given.
struct WriteOrderCase {
  const char* name;
  std::uint8_t exec;
  std::uint8_t version;
  std::vector<int> parameters;
};

// System-wide: the daylight-saving switch differs from the device's.
class SystemWrite : public ::testing::TestWithParam<WriteOrderCase> {};

TEST_P(SystemWrite, SendsTheVariantsParametersInOrder) {
  const WriteOrderCase& c = GetParam();
  WriteBench bench(c.exec, c.version);
  bench.set.daylightSaving = 1;
  for (Float32* f : {&bench.set.contractColdWaterTemp, &bench.set.contractBaroPressure,
                     &bench.set.baroUpperLimit, &bench.set.contractOutdoorTemp}) {
    *f = Float32::Of(1.25f);
  }
  ASSERT_TRUE(bench.Write());
  EXPECT_EQ(bench.ParametersWrittenTo(0), c.parameters);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, SystemWrite,
    ::testing::Values(WriteOrderCase{"V46", 0x46, 0x08, {3, 4, 17, 19, 20, 34, 35}},
                      WriteOrderCase{"V60", 0x44, 0x60, {3, 4, 17, 19, 20}},
                      WriteOrderCase{"G47", 0x47, 0x10, {3, 18, 20, 23, 25, 26, 28, 34, 35}},
                      WriteOrderCase{"G57", 0x45, 0x57, {3, 18, 20, 23, 25, 26, 28}},
                      WriteOrderCase{
                          "U40", 0x50, 0x40, {3, 4, 18, 20, 23, 26, 27, 29, 30, 31, 34, 35}},
                      WriteOrderCase{"U12", 0x50, 0x12, {3, 4, 20, 23, 26, 27}},
                      WriteOrderCase{"UV", 0x60, 0x12, {3, 20, 21, 29, 30, 34, 35}},
                      WriteOrderCase{"UV06", 0x60, 0x06, {3, 20, 21}},
                      WriteOrderCase{"L", 0x49, 0x10, {3, 4, 15, 21, 22}}),
    [](const auto& info) { return std::string(info.param.name); });

// Node 1, with a report hour and both composition words.
class NodeWrite : public ::testing::TestWithParam<WriteOrderCase> {};

TEST_P(NodeWrite, SendsTheVariantsParametersInOrder) {
  const WriteOrderCase& c = GetParam();
  WriteBench bench(c.exec, c.version);
  model::NodeRecord& node = bench.set.nodes[0];
  node.composition[0] = 1;
  node.composition[10] = 2;
  node.reportHour = 9;
  for (Float32* f :
       {&node.averagingCoefficient, &node.hourlyMassConstant, &node.massImbalanceSetpoint,
        &node.hourlyEnergyConstant, &node.minTemperatureDifference}) {
    *f = Float32::Of(2.5f);
  }
  ASSERT_TRUE(bench.Write());
  EXPECT_EQ(bench.ParametersWrittenTo(0x81), c.parameters);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, NodeWrite,
    ::testing::Values(WriteOrderCase{"V46", 0x46, 0x08, {0, 1, 24, 25}},
                      WriteOrderCase{"V44", 0x44, 0x60, {0, 1}},
                      WriteOrderCase{"G", 0x47, 0x10, {0, 1, 2, 15}},
                      WriteOrderCase{"U", 0x50, 0x40, {0, 17, 1, 2, 3, 4}},
                      WriteOrderCase{"UV10", 0x60, 0x10, {0, 1, 10, 11, 12, 13, 14, 15, 18, 19}},
                      WriteOrderCase{"UV09", 0x60, 0x09, {0, 1, 10, 11, 12, 13, 14, 15, 18}},
                      WriteOrderCase{"L", 0x49, 0x10, {0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WriteHexParameter, CountsOnlyDigitsAndCapitalLettersAFAsDigits) {
  const struct {
    const char* chars;
    Value4 bytes;
  } cases[] = {{"12345678", {0x12, 0x34, 0x56, 0x78}},
               {"09AFBECD", {0x09, 0xAF, 0xBE, 0xCD}},
               {"1a2B3c4D", {0x10, 0x2B, 0x30, 0x4D}},
               {"G-:/ z9@", {0x00, 0x00, 0x00, 0x90}}};
  for (const auto& c : cases) {
    EXPECT_EQ(device::PackHexText(c.chars), c.bytes) << c.chars;
  }
}

// A type-code nibble above 9 is taken as its value, so that writing the channel back sends the
// byte the device holds.
TEST(ReadAllParameters, TypeCodeNibblesAboveNineSurviveAReadAndAWrite) {
  for (auto [exec, version, code] : {std::tuple{0x44, 0x60, Value4{0xAB, 0xCD, 0, 0}},
                                     {0x45, 0x60, Value4{0xB1, 0x2A, 0x3F, 0x40}}}) {
    testing::SimulatedExchange reading(static_cast<std::uint8_t>(exec),
                                       static_cast<std::uint8_t>(version));
    reading.device.SetCell(1, 0, code);
    model::ParameterSet set{};
    set.Reset();
    ASSERT_TRUE(reading.link.ReadAllParameters(set, nullptr));

    testing::SimulatedExchange writing(static_cast<std::uint8_t>(exec),
                                       static_cast<std::uint8_t>(version));
    ASSERT_TRUE(writing.link.WriteAllParameters(set, nullptr));
    EXPECT_EQ(writing.device.Cell(1, 0), code) << exec;
  }
}

// What the device's software cannot take is named in a notice, and the write goes on.
struct NoticeCase {
  const char* name;
  std::uint8_t exec;
  std::uint8_t version;
  bool sms1;
  bool sms2;
  bool correction;
  bool daylightSaving;
  std::vector<std::string> notices;
};

std::string One(const char* code) {
  return std::string("Данный вычислитель не поддерживает ввод параметра ") + code +
         " из компьютера.\nВведите параметр с клавиатуры вычислителя или обновите программное "
         "обеспечение вычислителя.";
}

std::string Two(const char* codes) {
  return std::string("Данный вычислитель не поддерживает ввод параметров ") + codes +
         " из компьютера.\nВведите параметры с клавиатуры вычислителя или обновите программное "
         "обеспечение вычислителя.";
}

class WriteNotice : public ::testing::TestWithParam<NoticeCase> {};

TEST_P(WriteNotice, NamesWhatTheVersionCannotTake) {
  const NoticeCase& c = GetParam();
  WriteBench bench(c.exec, c.version);
  if (c.sms1) std::memcpy(bench.set.sms1First.chars, "91200000", 8);
  if (c.sms2) std::memcpy(bench.set.sms2Second.chars, "12345670", 8);
  bench.set.correctionFlag = c.correction ? 1 : 0;
  bench.set.daylightSaving = c.daylightSaving ? 1 : 0;
  ASSERT_TRUE(bench.Write());
  EXPECT_EQ(bench.Texts(), c.notices);
  for (const auto& message : bench.ui.messages) EXPECT_EQ(message.icon, platform::Icon::None);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, WriteNotice,
    ::testing::Values(
        NoticeCase{"V54", 0x44, 0x54, true, true, false, true, {One("017"), Two("019, 020")}},
        NoticeCase{"V55", 0x44, 0x55, true, true, false, false, {}},
        NoticeCase{
            "G46", 0x45, 0x46, true, false, true, true, {One("018"), Two("025, 026"), One("028")}},
        NoticeCase{"G48", 0x45, 0x48, true, false, true, false, {One("028")}},
        NoticeCase{"U19",
                   0x50,
                   0x19,
                   true,
                   true,
                   true,
                   false,
                   {Two("0029, 0030"), One("0031"), Two("0034, 0035")}},
        NoticeCase{"U22",
                   0x50,
                   0x22,
                   true,
                   true,
                   true,
                   true,
                   {One("0018"), One("0031"), Two("0034, 0035")}},
        NoticeCase{"U33", 0x50, 0x33, true, true, true, true, {}},
        NoticeCase{"UV06", 0x60, 0x06, true, true, false, true, {Two("029, 030"), Two("034, 035")}},
        NoticeCase{"UV06Empty", 0x60, 0x06, false, false, false, true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvo
