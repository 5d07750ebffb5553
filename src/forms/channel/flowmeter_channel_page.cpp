#include "forms/channel/flowmeter_channel_page.h"

#include <cstdio>

#include "forms/channel/channel_tail.h"
#include "forms/form_messages.h"
#include "forms/node/node_rules.h"
#include "model/parameter_code.h"

namespace tarvo::forms {

namespace {

using Kind = FlowmeterRowKind;
using model::ChannelRecord;

constexpr int kLastInput = 48;
constexpr int kFirstSensorInput = 17;

bool IsTail(Kind kind) {
  return kind == Kind::ArchiveKind || kind == Kind::FlowRangeControl || kind == Kind::FailureList;
}

Row MakeRow(const FlowmeterRow& row, model::DeviceVariant variant, int index, int failureBits) {
  const NumberRowSpec& spec = row.spec;
  const std::string code = model::ParameterCode(variant, index, spec.number, false);
  // The tail rows spell the tenth channel out: K1014.
  const std::string tailCode = ChannelCode(variant, index, spec.number);
  switch (row.kind) {
    case Kind::TypeCode:
      return TextRow(code, spec.description, kTypeCodeLength4, spec.column);
    case Kind::Inputs: {
      Row inputs = TextRow(code, spec.description, kInputCellLength, spec.column);
      inputs.cells.resize(3, inputs.cells.front());
      return inputs;
    }
    case Kind::Number:
      return MakeNumberRow(spec, {variant, index, false});
    case Kind::ArchiveKind:
    case Kind::FlowRangeControl:
      return TextRow(tailCode, spec.description, kDigitPairLength, spec.column);
    case Kind::FailureList:
      return TextRow(tailCode, spec.description, failureBits, spec.column);
  }
  return {};
}

std::string InputText(std::uint8_t input) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", input);
  return text;
}

// A measuring-input cell read as atoi reads it, no digits giving 0. A text wider than the cell
// only comes from a record holding a number above 99: it is refused rather than cut.
bool ReadInput(const Cell& cell, bool sensor, std::uint8_t& input) {
  if (CharCount(cell.text) > kInputCellLength) return false;
  const int number = LeadingNumber(cell.text);
  // A negative number would be stored as a byte far above every input.
  const bool allowed = sensor ? number == 0 || (number >= kFirstSensorInput && number <= kLastInput)
                              : number >= 0 && number <= kLastInput;
  if (allowed) input = static_cast<std::uint8_t>(number);
  return allowed;
}

bool ReadInputs(const Row& row, ChannelRecord& record, platform::Ui& ui) {
  if (!ReadInput(row.cells[0], false, record.flowInputs[0])) {
    ShowError(ui, kFlowInputMessage);
    return MarkRefused(row, 0);
  }
  if (!ReadInput(row.cells[1], true, record.pressureInput)) {
    ShowError(ui, kPressureInputMessage);
    return MarkRefused(row, 1);
  }
  if (!ReadInput(row.cells[2], true, record.temperatureInput)) {
    ShowError(ui, kTemperatureInputMessage);
    return MarkRefused(row, 2);
  }
  return true;
}

}  // namespace

FlowmeterChannelPage::FlowmeterChannelPage(model::ParameterSet& set, int channelIndex,
                                           const FlowmeterPageSpec& spec)
    : ChannelPage(set, channelIndex), spec_(spec) {
  const bool tailShown = spec.tailShown == nullptr || spec.tailShown(set);
  for (const FlowmeterRow& row : spec.rows) {
    rows.push_back(MakeRow(row, spec.variant, channelIndex, spec.failureBits));
    if (row.kind == Kind::Number) NoteSlotRow(row.spec, rows.size() - 1);
    if (IsTail(row.kind)) {
      rows.back().visible = tailShown;
      rows.back().enabled = tailShown;
    }
  }
  AttachTypeCodeHelper();
}

void FlowmeterChannelPage::FillCells() {
  const ChannelRecord& record = set_.channels[ChannelIndex()];
  for (std::size_t i = 0; i < spec_.rows.size(); ++i) {
    Row& row = rows[i];
    switch (spec_.rows[i].kind) {
      case Kind::TypeCode:
        row.Text() = TypeCodeText4(record);
        break;
      case Kind::Inputs:
        row.cells[0].text = InputText(record.flowInputs[0]);
        row.cells[1].text = InputText(record.pressureInput);
        row.cells[2].text = InputText(record.temperatureInput);
        break;
      case Kind::Number:
        FillNumberRow(row, spec_.rows[i].spec, set_, ChannelIndex());
        break;
      case Kind::ArchiveKind:
        row.Text() = DigitPairText(record.archiveKind);
        break;
      case Kind::FlowRangeControl:
        row.Text() = DigitPairText(record.flowRangeControl);
        break;
      case Kind::FailureList:
        row.Text() = BitsText(static_cast<std::uint32_t>(record.failureList), spec_.failureBits);
        break;
    }
  }
}

bool FlowmeterChannelPage::CheckRows(model::ParameterSet& working, platform::Ui& ui) {
  const bool tailShown = spec_.tailShown == nullptr || spec_.tailShown(set_);
  for (std::size_t i = 0; i < spec_.rows.size(); ++i) {
    if (IsTail(spec_.rows[i].kind) && !tailShown) continue;
    if (!CheckRow(rows[i], spec_.rows[i], working, ui)) return MarkRefused(rows[i]);
  }
  return true;
}

bool FlowmeterChannelPage::CheckRow(const Row& row, const FlowmeterRow& spec,
                                    model::ParameterSet& working, platform::Ui& ui) const {
  const int index = ChannelIndex();
  ChannelRecord& record = working.channels[index];
  switch (spec.kind) {
    case Kind::TypeCode:
      return ReadTypeCodeRow(record, ui);
    case Kind::Inputs:
      return ReadInputs(row, record, ui);
    case Kind::Number:
      return CheckNumberRow(row, spec.spec, working, index, ui);
    case Kind::ArchiveKind:
    case Kind::FlowRangeControl: {
      const auto bits = ReadBinaryDigits(row.Text(), kDigitPairLength);
      const bool archive = spec.kind == Kind::ArchiveKind;
      if (!bits) return ShowError(ui, archive ? kArchiveKindMessage : kFlowRangeControlMessage);
      SetDigitPair(archive ? record.archiveKind : record.flowRangeControl, *bits);
      return true;
    }
    case Kind::FailureList: {
      const auto bits = ReadBinaryDigits(row.Text(), spec_.failureBits);
      if (!bits) return ShowError(ui, kFailureListMessage);
      record.failureList = static_cast<std::int32_t>(*bits);
      return true;
    }
  }
  return false;
}

TypeCodeLayout FlowmeterChannelPage::TypeCode() const {
  return spec_.typeCode(set_, ChannelIndex());
}

std::span<const CompletionRule> FlowmeterChannelPage::CompletionRules(
    const model::ChannelRecord&) const {
  return spec_.completion;
}

}  // namespace tarvo::forms
