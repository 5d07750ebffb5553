#include "forms/channel/channel_page_u.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <span>

#include "forms/channel/assoc_gas_dlg.h"
#include "forms/channel/flow_rules.h"
#include "forms/channel/input_assignment_u.h"
#include "forms/channel/type_code_positions.h"
#include "forms/channel/type_code_u.h"
#include "forms/form_messages.h"
#include "forms/number_row.h"

namespace tarvo::forms {

namespace {

using model::ChannelRecord;
using model::ParameterSet;

constexpr const char* kFlowInputsDescription = " Назначение каналов преобразователей Q (dP)";
constexpr const char* kPressureTemperatureDescription = " Назначение каналов преобразователей P, T";

// Flow rows K<nn>03..K<nn>11.
constexpr NumberRowSpec kFlowRowsU[] = {
    {3, " Верхний предел измерений Qв1, куб.м/ч (dPв1, кПа)", ChannelSlot<1>, 0.0f, kNoFlowLimit,
     "Верхний предел измерений 1-го преобразователя объемного расхода (перепада давления) должен "
     "быть в диапазоне от  до  куб.м/ч (кПа)"},
    {4, " Верхний предел измерений Qв2, куб.м/ч (dPв2, кПа)", ChannelSlot<2>, 0.0f, kNoFlowLimit,
     "Верхний предел измерений 2-го преобразователя объемного расхода (перепада давления) должен "
     "быть в диапазоне от  до  куб.м/ч (кПа)"},
    {5, " Верхний предел измерений Qв3, куб.м/ч (dPв3, кПа)", ChannelSlot<3>, 0.0f, kNoFlowLimit,
     "Верхний предел измерений 3-го преобразователя объемного расхода (перепада давления) должен "
     "быть в диапазоне от  до  куб.м/ч (кПа)"},
    {6, " Нижний предел измерений Qн, куб.м/ч (dPн, кПа)", ChannelSlot<4>, 0.0f, 0.0f,
     "Нижний предел измерений преобразователя объемного расхода (перепада давления) должен быть "
     "в диапазоне от нуля до 20% от верхнего предела измерения самого чувствительного "
     "преобразователя",
     LowerFlowBounds},
    {7, " Отсечка самохода счета, куб.м/ч (кПа)", ChannelSlot<5>, 0.0f, 0.0f,
     "Отсечка самохода счета должна быть в диапазоне от нуля до нижнего предела измерений "
     "объемного расхода (перепада давления)",
     CutOffBounds},
    {8, " Договорной расход, куб.м/ч (перепад давления, кПа)", ChannelSlot<6>, 0.0f, 0.0f,
     "Договорной расход (перепад давления) должен быть в диапазоне от нуля до максимального "
     "верхнего предела измерений преобразователя",
     ContractFlowBounds},
    {9, " Коэффициент преобразования, куб.м/ч/Гц (л/имп)", ChannelSlot<7>, 0.0f, 100000.0f,
     "Коэффициент преобразования объемного расходомера должен быть в диапазоне от  до  "},
    {10, " Аддитивный параметр, куб.м/ч", ChannelSlot<8>, 0.0f, 0.0f,
     "Аддитивный параметр объемного расходомера должен быть в диапазоне от  до  куб.м/ч",
     AdditiveBounds},
    {11, " Температурный коэффициент, 1/град.C", ChannelSlot<9>, -0.0001f, 0.0001f,
     "Температурный коэффициент объемного расходомера должен быть в диапазоне от  до  "},
};

// Every number row as shown, with the checks of an ordinary medium.
constexpr auto kRows = [] {
  constexpr auto shared = FlowChannelRowsU();
  std::array<NumberRowSpec, std::size(kFlowRowsU) + shared.size()> rows{};
  std::size_t i = 0;
  for (const NumberRowSpec& spec : kFlowRowsU) rows[i++] = spec;
  for (const NumberRowSpec& spec : shared) rows[i++] = spec;
  return rows;
}();

// Rows K<nn>09 and K<nn>10 of an electricity meter.
const NumberRowSpec kMeterRows[] = {
    {9, " Передаточный коэф-т электросчетчика, имп/кВтч", ChannelSlot<7>, 0.0f, 1000000.0f,
     "Передаточный коэффициент электросчетчика должен быть в диапазоне от  до  имп/кВтч"},
    {10, " Коэффициент трансформации электросчетчика", ChannelSlot<8>, 0.001f, 1000.0f,
     "Коэффициент трансформации электросчетчика должен быть в диапазоне от  до  "},
};

// The gas rows hold the parameters j56..j62 for media 21 and 22.
const NumberRowSpec kJRows[] = {
    {56, "", ChannelSlot<29>, 0.0f, 100000.0f,
     "Значение параметра j56 должно быть в диапазоне от  до  "},
    {58, "", ChannelSlot<30>, 0.0f, 100000.0f,
     "Значение параметра j58 должно быть в диапазоне от  до  "},
    {60, "", ChannelSlot<31>, 0.0f, 100000.0f,
     "Значение параметра j60 должно быть в диапазоне от  до  "},
    {62, "", ChannelSlot<32>, 0.0f, 100000.0f,
     "Значение параметра j62 должно быть в диапазоне от  до  "},
};

// Positions: type code, the two assignment rows, then kRows.
constexpr std::size_t kFlowInputsRow = 1;
constexpr std::size_t kPressureTemperatureRow = 2;
constexpr std::size_t kFirstNumberRow = 3;
// Within kRows: the two rows an electricity meter redefines, and the gas rows.
constexpr std::size_t kFirstMeterSpec = 6;
constexpr std::size_t kFirstGasSpec = 25;
static_assert(std::size(kRows) == kFirstGasSpec + std::size(kJRows));

const CompletionRule kMeterCompletionRules[] = {
    {7, "Необходимо задать передаточный коэффициент электросчетчика"},
    {8, "Необходимо задать коэффициент трансформации электросчетчика"},
};

constexpr const char* kGasIncomplete =
    "Необходимо задать концентрации всех компонентов попутного нефтяного газа";

bool GasCompositionComplete(const ChannelRecord& record) {
  return std::none_of(std::begin(record.gas.concentrations), std::end(record.gas.concentrations),
                      [](model::Float32 value) { return value.IsNotSet(); });
}

bool JMedium(const ChannelRecord& record) {
  return record.mediumKind == 21 || record.mediumKind == 22;
}

Row InputRow(std::string code, const char* description, int cellCount) {
  Row row = TextRow(std::move(code), description, kInputCellLength);
  row.cells.assign(cellCount, Cell{"", kInputCellLength});
  return row;
}

std::string InputText(std::uint8_t input) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", input);
  return text;
}

}  // namespace

CChannel_U_Page::CChannel_U_Page(ParameterSet& set, int channelIndex)
    : ChannelPage(set, channelIndex) {
  const RowPlace place{model::DeviceVariant::U, channelIndex, false};
  rows.push_back(
      TextRow(ChannelCode(place.variant, channelIndex, 0), kTypeCodeDescription, kTypeCodeLengthU));
  rows.push_back(InputRow(ChannelCode(place.variant, channelIndex, 1), kFlowInputsDescription, 3));
  rows.push_back(
      InputRow(ChannelCode(place.variant, channelIndex, 2), kPressureTemperatureDescription, 2));
  for (const NumberRowSpec& spec : kRows) AddNumberRow(spec, place);
  AttachTypeCodeHelper();
  AddDialogButton<CAssocGasDlg>(kGasButton, "Параметры попутного газа");
}

void CChannel_U_Page::FillCells() {
  const ChannelRecord& record = set_.channels[ChannelIndex()];
  rows[0].Text() = TypeCodeTextU(record);
  for (int k = 0; k < 3; ++k) rows[kFlowInputsRow].cells[k].text = InputText(record.flowInputs[k]);
  rows[kPressureTemperatureRow].cells[0].text = InputText(record.pressureInput);
  rows[kPressureTemperatureRow].cells[1].text = InputText(record.temperatureInput);
  std::size_t row = kFirstNumberRow;
  for (const NumberRowSpec& spec : kRows) FillNumberRow(rows[row++], spec, set_, ChannelIndex());
  // Rows 09 and 10 are described after the medium stored; the checks follow the medium typed.
  const bool meter = record.mediumKind == kElectricityMeter;
  for (std::size_t i = 0; i < std::size(kMeterRows); ++i) {
    rows[kFirstNumberRow + kFirstMeterSpec + i].description =
        meter ? kMeterRows[i].description : kRows[kFirstMeterSpec + i].description;
  }
}

bool CChannel_U_Page::CheckRows(ParameterSet& working, platform::Ui& ui) {
  const int index = ChannelIndex();
  ChannelRecord& record = working.channels[index];
  if (!ReadTypeCodeRow(record, ui)) return false;
  if (!ReadInputAssignment(rows[kFlowInputsRow], rows[kPressureTemperatureRow], set_, index, record,
                           ui)) {
    return false;
  }
  const std::span<const Row> shown = std::span<const Row>(rows).subspan(kFirstNumberRow);
  const std::span<const NumberRowSpec> specs(kRows);
  const std::span<const NumberRowSpec> meterSpecs =
      record.mediumKind == kElectricityMeter
          ? std::span<const NumberRowSpec>(kMeterRows)
          : specs.subspan(kFirstMeterSpec, std::size(kMeterRows));
  const std::span<const NumberRowSpec> gasSpecs =
      JMedium(record) ? std::span<const NumberRowSpec>(kJRows) : specs.subspan(kFirstGasSpec);
  const std::size_t afterMeter = kFirstMeterSpec + std::size(kMeterRows);
  if (!CheckNumberRows(specs.first(kFirstMeterSpec), shown, working, index, ui) ||
      !CheckNumberRows(meterSpecs, shown.subspan(kFirstMeterSpec), working, index, ui) ||
      !CheckNumberRows(specs.subspan(afterMeter, kFirstGasSpec - afterMeter),
                       shown.subspan(afterMeter), working, index, ui) ||
      !CheckNumberRows(gasSpecs, shown.subspan(kFirstGasSpec), working, index, ui)) {
    return false;
  }
  // The composition lives in the set: its dialog stores there directly.
  if (record.mediumKind == kAssociatedGas && !GasCompositionComplete(set_.channels[index])) {
    return ShowError(ui, kGasIncomplete);
  }
  return true;
}

TypeCodeLayout CChannel_U_Page::TypeCode() const {
  return TypeCodeLayoutU(set_.ident.executionCode);
}

std::span<const CompletionRule> CChannel_U_Page::CompletionRules(
    const ChannelRecord& record) const {
  if (record.mediumKind == kElectricityMeter) return kMeterCompletionRules;
  return FlowCompletionRules();
}

}  // namespace tarvo::forms
