#pragma once

#include <span>

#include "forms/channel/channel_page.h"
#include "forms/channel/type_code_4.h"
#include "forms/number_row.h"

namespace tarvo::forms {

// The channel pages of В and УВ as data: a four-digit type code, the measuring inputs (УВ),
// number rows and the record's tail, checked from top to bottom.
enum class FlowmeterRowKind {
  TypeCode,          // K<n>00
  Inputs,            // K<n>01: flow input 1, pressure input, temperature input
  Number,            // a float slot
  ArchiveKind,       // the tail: two digits,
  FlowRangeControl,  // two digits,
  FailureList,       // one character per bit
};

// A row: its kind and its number-row description; rows of other kinds use only its number,
// description and column.
struct FlowmeterRow {
  FlowmeterRowKind kind;
  NumberRowSpec spec;
};

constexpr FlowmeterRow NumberOf(const NumberRowSpec& spec) {
  return {FlowmeterRowKind::Number, spec};
}
constexpr FlowmeterRow SpecialRow(FlowmeterRowKind kind, int number, const char* description,
                                  int column = 0) {
  return {kind, {number, description, nullptr, 0.0f, 0.0f, "", nullptr, column}};
}

struct FlowmeterPageSpec {
  model::DeviceVariant variant;
  std::span<const FlowmeterRow> rows;
  // Characters of the failure list: bits 0 to failureBits - 1.
  int failureBits;
  // The digits the type code may hold on a channel.
  TypeDigitRule (*typeRule)(const model::ParameterSet& set, int channelIndex);
  // Whether the tail rows are shown; null: always. Hidden, the commit stores zeros there.
  bool (*tailShown)(const model::ParameterSet& set);
  std::span<const CompletionRule> completion;
};

inline constexpr const char* kFlowInputMessage = "Ошибочно задан номер канала измерения расхода";
inline constexpr const char* kPressureInputMessage =
    "Ошибочно задан номер канала измерения давления";
inline constexpr const char* kTemperatureInputMessage =
    "Ошибочно задан номер канала измерения температуры";
inline constexpr int kInputCellLength = 2;

class FlowmeterChannelPage : public ChannelPage {
 public:
  FlowmeterChannelPage(model::ParameterSet& set, int channelIndex, const FlowmeterPageSpec& spec);

 protected:
  void FillCells() override;
  bool CheckRows(model::ParameterSet& working, platform::Ui& ui) override;
  std::span<const CompletionRule> CompletionRules(
      const model::ChannelRecord& record) const override;

 private:
  bool CheckRow(const Row& row, const FlowmeterRow& spec, model::ParameterSet& working,
                platform::Ui& ui) const;

  const FlowmeterPageSpec& spec_;
};

}  // namespace tarvo::forms
