#include "forms/channel/channel_page_l.h"

#include <span>

#include "forms/channel/flowmeter_rows.h"
#include "forms/channel/type_code_l.h"
#include "forms/channel/type_code_positions.h"
#include "forms/form_messages.h"
#include "forms/number_row.h"

namespace tarvo::forms {

namespace {

using model::ParameterSet;

// Rows K<n>01..K<n>26, top to bottom; the upper limit K<n>23 is read before the contract flow.
const NumberRowSpec kRows[] = {
    At(kConversionRow, 1),     At(kContractPressureRow, 2), At(kContractTemperatureRow, 3),
    At(kPressureLimitRow, 14), At(kUpperFlowmeterRow, 23),  At(kContractFlowRow, 26),
};

constexpr std::size_t kFirstValueRow = 1;

const CompletionRule kCompletionRules[] = {
    {7, kNeedConversion, HasFlowTransducer},
    {1, kNeedUpperFlowmeter, HasFlowTransducer},
    {6, kNeedContractFlow, HasFlowTransducer},
    {19, kNeedContractPressure},
    {25, kNeedContractTemperature},
    {18, kNeedPressureLimit, HasPressureTransducer},
};

}  // namespace

CChannel_L_Page::CChannel_L_Page(ParameterSet& set, int channelIndex)
    : ChannelPage(set, channelIndex) {
  const RowPlace place{model::DeviceVariant::L, channelIndex, false};
  rows.push_back(
      TextRow(ChannelCode(place.variant, channelIndex, 0), kTypeCodeDescription, kTypeCodeLengthL));
  for (const NumberRowSpec& spec : kRows) AddNumberRow(spec, place);
  AttachTypeCodeHelper();
}

void CChannel_L_Page::FillCells() {
  rows[0].Text() = TypeCodeTextL(set_.channels[ChannelIndex()]);
  std::size_t row = kFirstValueRow;
  for (const NumberRowSpec& spec : kRows) FillNumberRow(rows[row++], spec, set_, ChannelIndex());
}

bool CChannel_L_Page::CheckRows(ParameterSet& working, platform::Ui& ui) {
  const int index = ChannelIndex();
  if (!ReadTypeCodeRow(working.channels[index], ui)) return false;
  return CheckNumberRows(kRows, std::span<const Row>(rows).subspan(kFirstValueRow), working, index,
                         ui);
}

TypeCodeLayout CChannel_L_Page::TypeCode() const {
  return TypeCodeLayoutL(ChannelIndex());
}

std::span<const CompletionRule> CChannel_L_Page::CompletionRules(
    const model::ChannelRecord&) const {
  return kCompletionRules;
}

}  // namespace tarvo::forms
