#include "forms/node/node_page_g.h"

#include <algorithm>
#include <cstdio>

#include "forms/form_messages.h"
#include "forms/number_row.h"
#include "model/value_text.h"

namespace tarvo::forms {

namespace {

enum RowIndex { kTypeRow, kGasUnitRow, kAveragingRow, kReportHourRow };

const NumberRowSpec kAveraging{
    2,
    "Коэффициент усреднения массового расхода для закрытых систем",
    NodeFloat<&model::NodeRecord::averagingCoefficient>,
    0.0f,
    0.05f,
    "Коэффициент усреднения массового расхода для закрытых систем должен быть в диапазоне от  "
    "до  "};

// The composition digits of channels 1..channelCount fit the node type.
bool CompositionFitsType(const model::NodeRecord& node, int channelCount) {
  const auto first = node.composition;
  const auto last = node.composition + channelCount;
  switch (node.nodeType) {
    case 0:
      return std::all_of(first, last, [](int d) { return d == 0; });
    case 1:
      return std::all_of(first, last, [](int d) { return d <= 4; });
    case 2:
    case 3:
      return std::count(first, last, 1) <= 1 && std::count(first, last, 2) <= 1;
    case 7:
      return std::all_of(first, last, [](int d) { return d <= 1; });
    default:
      return false;
  }
}

bool TypeAllowed(int type) {
  return type <= 3 || type == 7;
}

}  // namespace

CNode_G_Page::CNode_G_Page(model::ParameterSet& set, int nodeIndex) : NodePage(set, nodeIndex) {
  const auto variant = model::DeviceVariant::G;
  rows.push_back(TextRow(NodeCode(variant, nodeIndex, 0), " Тип и состав узла учета (потребителя)",
                         ChannelCount() + 1));
  rows.push_back(TextRow(NodeCode(variant, nodeIndex, 1),
                         " Единицы измерения объема газа (1 - куб.м, 1000 - тыс.куб.м)", 4));
  rows.push_back(MakeNumberRow(kAveraging, {variant, nodeIndex, true}));
  rows.push_back(TextRow(NodeCode(variant, nodeIndex, 15), "Отчетный час суток", 2));
}

void CNode_G_Page::FillCells() {
  const model::NodeRecord& node = set_.nodes[NodeIndex()];
  rows[kTypeRow].Text() = TypeAndCompositionText(node, ChannelCount());
  rows[kGasUnitRow].Text() = std::to_string(node.gasVolumeUnit);
  FillNumberRow(rows[kAveragingRow], kAveraging, set_, NodeIndex());
  char hour[8];
  std::snprintf(hour, sizeof hour, "%02d", node.reportHour);
  rows[kReportHourRow].Text() = hour;
}

bool CNode_G_Page::CheckRows(model::ParameterSet& working, platform::Ui& ui) {
  model::NodeRecord& node = working.nodes[NodeIndex()];
  bool hasType = false;
  if (!ReadTypeAndComposition(rows[kTypeRow].Text(), ChannelCount(), node, hasType, ui)) {
    return false;
  }
  if (!hasType || !TypeAllowed(node.nodeType)) return ShowError(ui, kNodeTypeMessage);
  if (!CompositionFitsType(node, ChannelCount())) return ShowError(ui, kNodeCompositionMessage);
  if (!CheckMembership(set_, NodeIndex(), node, ui)) return false;

  node.gasVolumeUnit = LeadingNumber(model::FirstChars(rows[kGasUnitRow].Text(), 4));
  if (node.gasVolumeUnit != 1 && node.gasVolumeUnit != 1000) {
    return ShowError(ui, "Признак единиц измерения объема газа должен быть равен 1 или 1000");
  }
  if (!CheckNumberRow(rows[kAveragingRow], kAveraging, working, NodeIndex(), ui)) return false;

  node.reportHour =
      static_cast<std::uint8_t>(LeadingNumber(model::FirstChars(rows[kReportHourRow].Text(), 2)));
  if (node.reportHour > 23 || node.reportHour == 2 || node.reportHour == 3) {
    return ShowError(ui, "Отчетный час суток должен быть в диапазоне от 00 до 23 (кроме 02 и 03)");
  }
  return true;
}

}  // namespace tarvo::forms
