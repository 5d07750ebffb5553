#include "forms/node/node_page.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "forms/form_messages.h"
#include "model/check_range.h"
#include "model/parameter_code.h"
#include "model/value_text.h"

namespace tarvo::forms {

namespace {

constexpr int kCompositionDigits = 10;

bool CarriesComposition(NodeCell cell) {
  return cell == NodeCell::TypeAndComposition || cell == NodeCell::Composition;
}

int DigitOf(const std::string& text, std::size_t i) {
  return static_cast<unsigned char>(text[i]) - '0';
}

}  // namespace

NodePage::NodePage(model::ParameterSet& set, int nodeIndex, const NodePageSpec& spec)
    : set_(set), spec_(spec), index_(nodeIndex) {
  for (const NodeRowSpec& row : spec.rows) {
    const std::string code = NodeCode(spec.variant, nodeIndex, row.number);
    switch (row.cell) {
      case NodeCell::TypeAndComposition:
        rows.push_back(TextRow(code, row.description, ChannelCount() + 1));
        break;
      case NodeCell::Type:
      case NodeCell::Algorithm:
        rows.push_back(TextRow(code, row.description, 1));
        break;
      case NodeCell::Composition:
        rows.push_back(TextRow(code, row.description, kCompositionDigits));
        break;
      case NodeCell::GasVolumeUnit:
        rows.push_back(TextRow(code, row.description, 4));
        break;
      case NodeCell::ReportHour:
        rows.push_back(TextRow(code, row.description, 2));
        break;
      case NodeCell::Number:
      case NodeCell::ZeroOrNumber:
        rows.push_back(NumberRow(model::ParameterCode(spec.variant, nodeIndex, row.number, true),
                                 row.description));
        break;
      case NodeCell::Tnsh:
        rows.push_back(TextRow(code, row.description, static_cast<int>(row.tnsh.size())));
        break;
    }
    const bool shown =
        row.onlyExecutionCode == 0 || set.ident.executionCode == row.onlyExecutionCode;
    rows.back().visible = rows.back().enabled = shown;
    if (CarriesComposition(row.cell)) lastCompositionRow_ = rows.size() - 1;
  }
}

int NodePage::ChannelCount() const {
  return std::clamp(set_.channelCount, 0, model::kMaxChannels);
}

void NodePage::Fill() {
  if (filled_) return;
  for (std::size_t i = 0; i < rows.size(); ++i) FillRow(rows[i], spec_.rows[i]);
  filled_ = true;
}

void NodePage::FillRow(Row& row, const NodeRowSpec& spec) {
  const model::NodeRecord& node = set_.nodes[index_];
  switch (spec.cell) {
    case NodeCell::TypeAndComposition:
      row.Text() = DigitsText(&node.nodeType, 1) + DigitsText(node.composition, ChannelCount());
      return;
    case NodeCell::Type:
      row.Text() = DigitsText(&node.nodeType, 1);
      return;
    case NodeCell::Composition:
      row.Text() = DigitsText(node.composition + spec.firstChannel, kCompositionDigits);
      return;
    case NodeCell::GasVolumeUnit:
      row.Text() = std::to_string(node.gasVolumeUnit);
      return;
    case NodeCell::ReportHour: {
      char hour[8];
      std::snprintf(hour, sizeof hour, "%02d", node.reportHour);
      row.Text() = hour;
      return;
    }
    case NodeCell::Algorithm:
      row.Text() = std::to_string(node.*spec.algorithm);
      return;
    case NodeCell::Number:
    case NodeCell::ZeroOrNumber:
      row.Text() = model::FormatValue(spec.field(set_, index_));
      return;
    case NodeCell::Tnsh:
      row.Text() = DigitsText(node.tnshSettings, static_cast<int>(spec.tnsh.size()));
      return;
  }
}

bool NodePage::Accept(platform::Ui& ui) {
  const auto working = std::make_unique<model::ParameterSet>();
  working->Reset();
  const model::NodeRecord& node = working->nodes[index_];
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].visible && !ReadRow(rows[i], spec_.rows[i], *working, ui)) {
      return MarkRefused(rows[i]);
    }
    if (i != lastCompositionRow_) continue;
    // Type and composition are read: the type's rule, then the other nodes.
    const NodeTypeRule* rule = FindTypeRule(spec_.types, node.nodeType);
    if (rule == nullptr || !FitsTypeRule(*rule, node, ChannelCount())) {
      ShowError(ui, kNodeCompositionMessage);
      return MarkRefused(rows[i]);
    }
    if (!CheckMembership(spec_.membership, set_, index_, node, ui)) return MarkRefused(rows[i]);
  }
  set_.CopyNode(*working, index_);
  return true;
}

bool NodePage::ReadRow(const Row& row, const NodeRowSpec& spec, model::ParameterSet& working,
                       platform::Ui& ui) const {
  model::NodeRecord& node = working.nodes[index_];
  const std::string text =
      model::FirstChars(row.Text(), static_cast<std::size_t>(row.cells.front().maxLength));
  switch (spec.cell) {
    case NodeCell::TypeAndComposition:
      if (model::HasCharOutside(text, '0', '9')) return ShowError(ui, kNodeCompositionMessage);
      if (text.empty() || FindTypeRule(spec_.types, DigitOf(text, 0)) == nullptr) {
        return ShowError(ui, kNodeTypeMessage);
      }
      node.nodeType = static_cast<std::uint8_t>(DigitOf(text, 0));
      for (std::size_t i = 1; i < text.size(); ++i) {
        node.composition[i - 1] = static_cast<std::uint8_t>(DigitOf(text, i));
      }
      return true;
    case NodeCell::Type:
      if (text.empty() || FindTypeRule(spec_.types, DigitOf(text, 0)) == nullptr) {
        return ShowError(ui, kNodeTypeMessage);
      }
      node.nodeType = static_cast<std::uint8_t>(DigitOf(text, 0));
      return true;
    case NodeCell::Composition:
      if (model::HasCharOutside(text, '0', '6')) return ShowError(ui, kNodeCompositionMessage);
      for (std::size_t i = 0; i < text.size(); ++i) {
        node.composition[spec.firstChannel + i] = static_cast<std::uint8_t>(DigitOf(text, i));
      }
      return true;
    case NodeCell::GasVolumeUnit:
      node.gasVolumeUnit = LeadingNumber(text);
      if (node.gasVolumeUnit == 1 || node.gasVolumeUnit == 1000) return true;
      return ShowError(ui, "Признак единиц измерения объема газа должен быть равен 1 или 1000");
    case NodeCell::ReportHour:
      // Kept as a byte: -1 becomes 255 and is refused.
      node.reportHour = static_cast<std::uint8_t>(LeadingNumber(text));
      if (node.reportHour <= 23 && node.reportHour != 2 && node.reportHour != 3) return true;
      return ShowError(ui,
                       "Отчетный час суток должен быть в диапазоне от 00 до 23 (кроме 02 и 03)");
    case NodeCell::Algorithm:
      node.*spec.algorithm = LeadingNumber(text);
      if (node.*spec.algorithm >= 0 && node.*spec.algorithm <= spec.upper) return true;
      return ShowError(ui, spec.message);
    case NodeCell::Number:
      return CheckRange(ui, row.Text(), spec.field(working, index_), spec.message, spec.lower,
                        spec.upper);
    case NodeCell::ZeroOrNumber:
      return CheckZeroOrRange(ui, row.Text(), spec.field(working, index_), spec.message, spec.lower,
                              spec.upper);
    case NodeCell::Tnsh:
      return ReadTnshDigits(text, spec.tnsh, node, ui);
  }
  return false;
}

std::string NodeCode(model::DeviceVariant variant, int nodeIndex, int number) {
  char code[32];
  std::snprintf(code, sizeof code, variant == model::DeviceVariant::U ? "П%02d%02d" : "П%d%02d",
                nodeIndex + 1, number);
  return code;
}

std::string DigitsText(const std::uint8_t* digits, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += digits[i] <= 9 ? static_cast<char>('0' + digits[i]) : '?';
  }
  return text;
}

}  // namespace tarvo::forms
