#include "forms/channel/type_code_positions.h"

#include <cstdio>

namespace tarvo::forms {

namespace {

using model::ChannelRecord;

constexpr std::uint8_t kExecution47 = 0x47;
constexpr int kIrvisFlowmeter = 6;
constexpr int kLastPressureChannelL = 2;

constexpr const char* kMedium = "вид носителя";
constexpr const char* kMethod = "способ измерения расхода";
constexpr const char* kFlow = "тип преобразователя расхода";
constexpr const char* kFlowN[] = {"тип 1-го преобразователя расхода",
                                  "тип 2-го преобразователя расхода",
                                  "тип 3-го преобразователя расхода"};
constexpr const char* kPressure = "тип преобразователя давления";
constexpr const char* kTemperature = "тип термопреобразователя";

constexpr const char* kChannelOff = "канал не используется, остальные позиции должны быть 0";
constexpr const char* kNoFlow = "преобразователи расхода не допускаются";

const std::vector<ValueMeaning> kAbsent = {{0, "нет"}};
const std::vector<ValueMeaning> kThermometers = {
    {0, "нет"}, {1, "с токовым выходом"}, {2, "с токовым выходом"}, {3, "с токовым выходом"}};
constexpr const char* kAdditive = "аддитивный параметр в пределах ±10 % верхнего предела Qв1";

// Positions 1 to 4 of a seven- or eight-character code: flow method and three transducers.
std::vector<TypeCodePosition> FlowPositions(ValueSet method, ValueSet first, ValueSet others,
                                            std::vector<ValueMeaning> firstMeanings) {
  return {{kMethod, 1, false, method, "", {}},
          {kFlowN[0], 1, false, first, "", std::move(firstMeanings)},
          {kFlowN[1], 1, false, others, "", kAbsent},
          {kFlowN[2], 1, false, others, "", kAbsent}};
}

// Positions first..last as a rule's targets.
constexpr std::uint32_t Positions(int first, int last) {
  return ValuesFromTo(first, last);
}

// The medium at position 0 being 0 leaves every other position 0.
TypeCodeRule ChannelOffRule(int positions) {
  return {0, Value(0), Positions(1, positions - 1), Value(0), 0, 0, kChannelOff};
}

void StoreFlowCode(std::span<const int> v, ChannelRecord& record) {
  record.mediumKind = static_cast<std::uint8_t>(v[0]);
  record.typeDigit2 = static_cast<std::uint8_t>(v[1]);
  for (int i = 0; i < 3; ++i) record.typeDigits3to5[i] = static_cast<std::uint8_t>(v[2 + i]);
  record.typeDigit6 = static_cast<std::uint8_t>(v[5]);
  record.typeDigit7 = static_cast<std::uint8_t>(v[6]);
}

// The four-position codes keep flow transducers 2 and 3 and the flow method as they are.
void StoreFourDigits(std::span<const int> v, ChannelRecord& record) {
  record.mediumKind = static_cast<std::uint8_t>(v[0]);
  record.typeDigits3to5[0] = static_cast<std::uint8_t>(v[1]);
  record.typeDigit6 = static_cast<std::uint8_t>(v[2]);
  record.typeDigit7 = static_cast<std::uint8_t>(v[3]);
}

// Variant Л has no flow method and one flow transducer only.
void StoreL(std::span<const int> v, ChannelRecord& record) {
  StoreFourDigits(v, record);
  record.typeDigit2 = 0;
  record.typeDigits3to5[1] = 0;
  record.typeDigits3to5[2] = 0;
}

std::string ExecutionText(std::uint8_t executionCode) {
  char text[32];
  std::snprintf(text, sizeof text, "при исполнении %02X", executionCode);
  return text;
}

ValueSet MediaU(std::uint8_t executionCode) {
  switch (executionCode) {
    case 0x50:
      return ValuesFromTo(0, 12) | ValuesFromTo(21, 22);
    case 0x51:
      return ValuesFromTo(0, 1);
    case 0x52:
      return ValuesFromTo(0, 3) | Value(5);
    case 0x53:
      return ValuesFromTo(0, 5) | ValuesFromTo(12, 29);
    default:
      return 0;
  }
}

}  // namespace

TypeCodeLayout TypeCodeLayoutG(std::uint8_t executionCode) {
  // Execution 47 lifts the largest characters but has no ИРВИС-К300 flowmeter.
  const bool e47 = executionCode == kExecution47;
  const ValueSet digits = ValuesFromTo(0, 9);
  TypeCodeLayout layout;
  layout.positions.push_back({kMedium,
                              1,
                              true,
                              e47 ? ValuesFromTo(0, 11) : digits,
                              "",
                              {{2, "насыщенный пар"}, {5, "природный газ"}}});
  auto flow = FlowPositions(
      e47 ? digits : ValuesFromTo(0, 4),
      e47 ? digits & ~Value(kIrvisFlowmeter) : ValuesFromTo(0, 7),
      e47 ? digits : ValuesFromTo(0, 3),
      {{0, "нет"}, {4, kAdditive}, {kIrvisFlowmeter, "ИРВИС-К300, нужна его таблица параметров"}});
  if (e47) flow[1].where = ExecutionText(executionCode);
  layout.positions.insert(layout.positions.end(), flow.begin(), flow.end());
  layout.positions.push_back({kPressure, 1, false, e47 ? digits : ValuesFromTo(0, 3), "", kAbsent});
  layout.positions.push_back(
      {kTemperature, 1, false, e47 ? digits : ValuesFromTo(0, 8), "", kThermometers});
  const std::uint32_t transducers = Positions(2, 4);
  layout.rules = {
      {1, Value(0), transducers, ~ValueSet{0}, 0, 0, kNoFlow},
      {1, ValuesFromTo(4, 31), transducers, ~ValueSet{0}, 0, 1,
       "допускается не более одного преобразователя расхода"},
      ChannelOffRule(7),
  };
  layout.store = StoreFlowCode;
  return layout;
}

TypeCodeLayout TypeCodeLayoutU(std::uint8_t executionCode) {
  TypeCodeLayout layout;
  layout.positions.push_back({kMedium,
                              2,
                              false,
                              MediaU(executionCode),
                              ExecutionText(executionCode),
                              {{2, "насыщенный пар"},
                               {4, "электросчетчик"},
                               {5, "природный газ"},
                               {12, "попутный нефтяной газ, нужен его состав"},
                               {21, "строки газа задают параметры j56–j62"},
                               {22, "строки газа задают параметры j56–j62"}}});
  const auto flow = FlowPositions(ValuesFromTo(0, 5), ValuesFromTo(0, 5), ValuesFromTo(0, 3),
                                  {{0, "нет"}, {4, kAdditive}});
  layout.positions.insert(layout.positions.end(), flow.begin(), flow.end());
  layout.positions.push_back({kPressure, 1, false, ValuesFromTo(0, 3), "", kAbsent});
  layout.positions.push_back({kTemperature, 1, false, ValuesFromTo(0, 8), "", kThermometers});
  constexpr int kMeter = 4;
  constexpr const char* kMeterCode = "электросчетчик задается только кодом 04450000";
  layout.rules = {
      {1, Value(0), Positions(2, 4), ~ValueSet{0}, 0, 0, kNoFlow},
      {1, ValuesFromTo(1, 31), Positions(2, 4), ~ValueSet{0}, 1, 32,
       "нужен хотя бы один преобразователь расхода"},
      {1, Value(4), Positions(3, 4), ~ValueSet{0}, 0, 0,
       "допускается только 1-й преобразователь расхода"},
      {0, Value(kMeter), Positions(1, 1), Value(4), 0, 32, kMeterCode},
      {0, Value(kMeter), Positions(2, 2), Value(5), 0, 32, kMeterCode},
      {0, Value(kMeter), Positions(5, 6), Value(0), 0, 0, kMeterCode},
      ChannelOffRule(7),
  };
  layout.store = StoreFlowCode;
  return layout;
}

TypeCodeLayout TypeCodeLayoutL(int channelIndex) {
  const bool pressure = channelIndex + 1 <= kLastPressureChannelL;
  TypeCodeLayout layout;
  layout.positions = {
      {kMedium, 1, false, ValuesFromTo(0, 1), "", {}},
      {kFlow, 1, false, Value(0) | Value(5), "", {{0, "нет"}, {5, "расходомер"}}},
      {kPressure, 1, false, pressure ? ValuesFromTo(0, 3) : Value(0),
       pressure ? "" : "на канале " + std::to_string(channelIndex + 1), kAbsent},
      {kTemperature, 1, false, Value(0) | ValuesFromTo(4, 8), "", kAbsent},
  };
  layout.rules = {ChannelOffRule(4)};
  layout.store = StoreL;
  return layout;
}

TypeCodeLayout TypeCodeLayout4(const ValueSet (&allowed)[4], std::string where) {
  TypeCodeLayout layout;
  layout.positions = {
      {kMedium, 1, false, allowed[0], "", {}},
      {kFlow, 1, false, allowed[1], where, kAbsent},
      {kPressure, 1, false, allowed[2], where, kAbsent},
      {kTemperature, 1, false, allowed[3], where, kThermometers},
  };
  layout.rules = {ChannelOffRule(4)};
  layout.store = StoreFourDigits;
  return layout;
}

}  // namespace tarvo::forms
