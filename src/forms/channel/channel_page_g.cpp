#include "forms/channel/channel_page_g.h"

#include <algorithm>
#include <span>

#include "forms/channel/flow_rules.h"
#include "forms/channel/irvis_k300_dlg.h"
#include "forms/channel/type_code_g.h"
#include "forms/channel/type_code_positions.h"
#include "forms/form_messages.h"
#include "forms/number_row.h"

namespace tarvo::forms {

namespace {

using model::ChannelRecord;
using model::Float32;
using model::ParameterSet;

constexpr std::uint8_t kExecution47 = 0x47;
constexpr int kIrvisFlowmeter = 6;

// Flow rows K<n>02..K<n>10.
const NumberRowSpec kFlowRows[] = {
    {2, " Верхний предел измерений Qв1, куб.м/ч (dPв1, кПа)", ChannelSlot<1>, 0.0f, kNoFlowLimit,
     "Верхний предел измерения 1-го преобразователя объемного расхода (перепада давления) должен "
     "быть в диапазоне от  до  куб.м/ч (кПа)"},
    {3, " Верхний предел измерений Qв2, куб.м/ч (dPв2, кПа)", ChannelSlot<2>, 0.0f, kNoFlowLimit,
     "Верхний предел измерения 2-го преобразователя объемного расхода (перепада давления) должен "
     "быть в диапазоне от  до  куб.м/ч (кПа)"},
    {4, " Верхний предел измерений Qв3, куб.м/ч (dPв3, кПа)", ChannelSlot<3>, 0.0f, kNoFlowLimit,
     "Верхний предел измерения 3-го преобразователя объемного расхода (перепада давления) должен "
     "быть в диапазоне от  до  куб.м/ч (кПа)"},
    {5, " Нижний предел измерений Qн, куб.м/ч (dPн, кПа)", ChannelSlot<4>, 0.0f, 0.0f,
     "Нижний предел измерений преобразователя объемного расхода (перепада давления) должен быть "
     "в диапазоне от нуля до 20% от верхнего предела измерения самого чувствительного "
     "преобразователя",
     LowerFlowBounds},
    {6, " Отсечка самохода счета, куб.м/ч (кПа)", ChannelSlot<5>, 0.0f, 0.0f,
     "Отсечка самохода счета должна быть в диапазоне от нуля до нижнего предела измерений "
     "объемного расхода (перепада давления)",
     CutOffBounds},
    {7, " Договорной расход, куб.м/ч (перепад давления, кПа)", ChannelSlot<6>, 0.0f, 0.0f,
     "Договорной расход (перепад давления) должен быть в диапазоне от нуля до максимального "
     "верхнего предела измерений преобразователя",
     ContractFlowBounds},
    {8, " Коэффициент преобразования, куб.м/ч/Гц (л/имп)", ChannelSlot<7>, 0.0f, 100000.0f,
     "Коэффициент преобразования объемного расходомера должен быть в диапазоне от  до  "},
    {9, " Аддитивный параметр, куб.м/ч", ChannelSlot<8>, 0.0f, 0.0f,
     "Аддитивный параметр расходомера не должен выходить за +/-10% от верхнего предела "
     "измерений расходомера",
     AdditiveBounds},
    {10, " Температурный коэффициент, 1/град.C", ChannelSlot<9>, -0.0001f, 0.0001f,
     "Температурный коэффициент объемного расходомера должен быть в диапазоне от  до  "},
};

// Pipe and orifice rows K<n>11..K<n>16, then the pressure, temperature and gas rows.
const std::span<const NumberRowSpec> kPipeRows(kFlowChannelRowsG, kPipeRowCount);
const std::span<const NumberRowSpec> kCommonRows =
    std::span<const NumberRowSpec>(kFlowChannelRowsG).subspan(kPipeRowCount);

// The same rows carry the parameters j11..j16 of an ИРВИС-К300 flowmeter.
constexpr float kIrvisLimit = 1e20f;
const NumberRowSpec kIrvisRows[] = {
    {11, "", ChannelSlot<12>, -kIrvisLimit, kIrvisLimit,
     "Параметр j11 - за пределами допустимого диапазона!"},
    {12, "", ChannelSlot<13>, -kIrvisLimit, kIrvisLimit,
     "Параметр j12 - за пределами допустимого диапазона!"},
    {13, "", ChannelSlot<14>, -kIrvisLimit, kIrvisLimit,
     "Параметр j13 - за пределами допустимого диапазона!"},
    {14, "", ChannelSlot<15>, -kIrvisLimit, kIrvisLimit,
     "Параметр j14 - за пределами допустимого диапазона!"},
    {15, "", ChannelSlot<16>, -kIrvisLimit, kIrvisLimit,
     "Параметр j15 - за пределами допустимого диапазона!"},
    {16, "", ChannelSlot<17>, -kIrvisLimit, kIrvisLimit,
     "Параметр j16 - за пределами допустимого диапазона!"},
};

// Row positions: the type code, then the three tables in order.
constexpr std::size_t kFirstFlowRow = 1;
constexpr std::size_t kFirstPipeRow = kFirstFlowRow + std::size(kFlowRows);
constexpr std::size_t kFirstCommonRow = kFirstPipeRow + kPipeRowCount;
const std::span<const NumberRowSpec> kShownTables[] = {kFlowRows, kPipeRows, kCommonRows};

constexpr const char* kIrvisIncomplete = "Необходимо задать параметры расходомера ИРВИС-К300";

bool IrvisTableComplete(const ChannelRecord& record) {
  const auto set = [](Float32 value) { return !value.IsNotSet(); };
  return std::all_of(std::begin(record.irvis1), std::end(record.irvis1), set) &&
         std::all_of(std::begin(record.irvis2), std::end(record.irvis2), set);
}

}  // namespace

CChannel_G_Page::CChannel_G_Page(ParameterSet& set, int channelIndex)
    : ChannelPage(set, channelIndex) {
  const RowPlace place{model::DeviceVariant::G, channelIndex, false};
  rows.push_back(
      TextRow(ChannelCode(place.variant, channelIndex, 0), kTypeCodeDescription, kTypeCodeLengthG));
  // The pipe rows also carry j11..j16: one set of rows, two sets of checks.
  for (const auto& table : kShownTables) {
    for (const NumberRowSpec& spec : table) AddNumberRow(spec, place);
  }
  AttachTypeCodeHelper();
  AddDialogButton<CIrvisK300Dlg>(kIrvisButton, "Параметры ИРВИС-К300");
  // Execution 47 has no such flowmeter: its button is hidden.
  FindButton(kIrvisButton)->visible = set.ident.executionCode != kExecution47;
}

void CChannel_G_Page::FillCells() {
  rows[0].Text() = TypeCodeTextG(set_.channels[ChannelIndex()]);
  std::size_t row = kFirstFlowRow;
  for (const auto& table : kShownTables) {
    for (const NumberRowSpec& spec : table) FillNumberRow(rows[row++], spec, set_, ChannelIndex());
  }
  FindButton(kIrvisButton)->visible = set_.ident.executionCode != kExecution47;
}

bool CChannel_G_Page::CheckRows(ParameterSet& working, platform::Ui& ui) {
  const int index = ChannelIndex();
  ChannelRecord& record = working.channels[index];
  if (!ReadTypeCodeRow(record, ui)) return false;
  const bool irvis = record.typeDigits3to5[0] == kIrvisFlowmeter;
  const std::span<const Row> shown(rows);
  if (!CheckNumberRows(kFlowRows, shown.subspan(kFirstFlowRow), working, index, ui) ||
      !CheckNumberRows(irvis ? std::span<const NumberRowSpec>(kIrvisRows) : kPipeRows,
                       shown.subspan(kFirstPipeRow), working, index, ui) ||
      !CheckNumberRows(kCommonRows, shown.subspan(kFirstCommonRow), working, index, ui)) {
    return false;
  }
  // The table lives in the set: its dialog stores there directly.
  if (irvis && !IrvisTableComplete(set_.channels[index])) return ShowError(ui, kIrvisIncomplete);
  return true;
}

TypeCodeLayout CChannel_G_Page::TypeCode() const {
  return TypeCodeLayoutG(set_.ident.executionCode);
}

std::span<const CompletionRule> CChannel_G_Page::CompletionRules(const ChannelRecord&) const {
  return FlowCompletionRules();
}

}  // namespace tarvo::forms
