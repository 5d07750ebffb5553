#include "forms/channel/channel_page_l.h"

#include <span>

#include "forms/channel/type_code_l.h"
#include "forms/form_messages.h"
#include "forms/number_row.h"

namespace tarvo::forms {

namespace {

using model::ChannelRecord;
using model::ParameterSet;

// The flowmeter's upper limit just read; a limit not set counts as 0.
Bounds ContractFlowBounds(const ParameterSet& working, int index) {
  return {model::Float32::Of(0.0f), working.channels[index].Slot(1)};
}

// Rows K<n>01..K<n>26, top to bottom; the upper limit K<n>23 is read before the contract flow.
const NumberRowSpec kRows[] = {
    {1, " Коэффициент преобразования расходомера, куб.м/ч/Гц (л/имп)", ChannelSlot<7>, 0.0f,
     100000.0f, "Коэффициент преобразования расходомера должен быть в диапазоне от  до  "},
    {2, " Договорное абсолютное давление, МПа", ChannelSlot<19>, 0.09f, 3.0f,
     "Договорное давление должно быть в диапазоне от  до  МПа"},
    {3, " Договорная температура, град.С", ChannelSlot<25>, 0.0f, 150.0f,
     "Договорная температура должна быть в диапазоне от  до  градусов Цельсия"},
    {14, " Верхний предел измерений преобразователя давления, МПа", ChannelSlot<18>, 0.01f, 3.0f,
     "Верхний предел измерений преобразователя давления должен быть в диапазоне от  до  МПа"},
    {23, " Верхний предел измерений расходомера, куб.м/ч", ChannelSlot<1>, 0.0f, 999999.0f,
     "Верхний предел измерений расходомера должен быть в диапазоне от  до  куб.м/ч"},
    {26, " Договорной расход, куб.м/ч", ChannelSlot<6>, 0.0f, 0.0f,
     "Договорной расход должен быть в диапазоне от нуля до верхнего предела измерений "
     "расходомера",
     ContractFlowBounds},
};

constexpr std::size_t kFirstValueRow = 1;

bool Flowmeter(const ChannelRecord& r) {
  return r.typeDigits3to5[0] != 0;
}
bool PressureTransducer(const ChannelRecord& r) {
  return r.typeDigit6 != 0;
}

const CompletionRule kCompletionRules[] = {
    {7, "Необходимо задать коэффициент преобразования расходомера", Flowmeter},
    {1, "Необходимо задать верхний предел измерений расходомера", Flowmeter},
    {6, "Необходимо задать договорной расход", Flowmeter},
    {19, "Необходимо задать договорное давление"},
    {25, "Необходимо задать договорную температуру"},
    {18, "Необходимо задать верхний предел измерений преобразователя давления", PressureTransducer},
};

}  // namespace

CChannel_L_Page::CChannel_L_Page(ParameterSet& set, int channelIndex)
    : ChannelPage(set, channelIndex) {
  const RowPlace place{model::DeviceVariant::L, channelIndex, false};
  rows.push_back(
      TextRow(ChannelCode(place.variant, channelIndex, 0), kTypeCodeDescription, kTypeCodeLengthL));
  for (const NumberRowSpec& spec : kRows) rows.push_back(MakeNumberRow(spec, place));
}

void CChannel_L_Page::FillCells() {
  rows[0].Text() = TypeCodeTextL(set_.channels[ChannelIndex()]);
  std::size_t row = kFirstValueRow;
  for (const NumberRowSpec& spec : kRows) FillNumberRow(rows[row++], spec, set_, ChannelIndex());
}

bool CChannel_L_Page::CheckRows(ParameterSet& working, platform::Ui& ui) {
  const int index = ChannelIndex();
  if (!ReadTypeCodeL(rows[0].Text(), index, working.channels[index])) {
    ShowError(ui, kTypeCodeMessage);
    return MarkRefused(rows[0]);
  }
  return CheckNumberRows(kRows, std::span<const Row>(rows).subspan(kFirstValueRow), working, index,
                         ui);
}

bool CChannel_L_Page::CheckCompletion(const ParameterSet& working, platform::Ui& ui) {
  return RunCompletionRules(kCompletionRules, working.channels[ChannelIndex()], ui);
}

}  // namespace tarvo::forms
