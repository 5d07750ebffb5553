#include "forms/node/node_rules.h"

#include <algorithm>
#include <string>

#include "forms/form_messages.h"
#include "model/check_range.h"
#include "model/value_text.h"

namespace tarvo::forms {

namespace {

bool Shares(Membership rule, int ownType, int otherType) {
  switch (rule) {
    case Membership::OneNodePerChannel:
      return false;
    case Membership::GasNodesAlone:
      return ownType != 7 && otherType != 7;
    case Membership::Shared:
      return true;
  }
  return true;
}

std::string TwoDigits(int number) {
  return (number < 10 ? "0" : "") + std::to_string(number);
}

std::string MembershipMessage(Membership rule, int channel, int otherNode) {
  if (rule == Membership::GasNodesAlone) {
    return "Канал учета " + TwoDigits(channel) + " уже находится в составе узла учета " +
           TwoDigits(otherNode) +
           ".\nДля узлов учета газа нельзя использовать один и тот же канал учета в составе "
           "более чем одного узла учета";
  }
  return "Канал учета " + std::to_string(channel) + " уже находится в составе узла учета " +
         std::to_string(otherNode) +
         ".\nНельзя использовать один и тот же канал учета в составе более чем одного узла учета";
}

bool IsBlank(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

const NodeTypeRule* FindTypeRule(std::span<const NodeTypeRule> rules, int type) {
  for (const NodeTypeRule& rule : rules) {
    if (rule.type == type) return &rule;
  }
  return nullptr;
}

bool FitsTypeRule(const NodeTypeRule& rule, const model::NodeRecord& node, int channelCount) {
  int counts[kCountedRoles] = {};
  for (int i = 0; i < std::clamp(channelCount, 0, model::kMaxChannels); ++i) {
    const int digit = node.composition[i];
    if (digit > rule.maxDigit) return false;
    if (digit >= 1 && digit <= kCountedRoles) ++counts[digit - 1];
  }
  for (int d = 0; d < kCountedRoles; ++d) {
    if (counts[d] < rule.roles[d].min || counts[d] > rule.roles[d].max) return false;
  }
  return true;
}

bool CheckMembership(Membership rule, const model::ParameterSet& set, int nodeIndex,
                     const model::NodeRecord& node, platform::Ui& ui) {
  if (rule == Membership::Shared) return true;
  const int channels = std::clamp(set.channelCount, 0, model::kMaxChannels);
  const int nodes = std::clamp(set.nodeCount, 0, model::kMaxNodes);
  for (int i = 0; i < channels; ++i) {
    if (node.composition[i] == 0) continue;
    for (int j = 0; j < nodes; ++j) {
      const model::NodeRecord& other = set.nodes[j];
      if (j == nodeIndex || other.composition[i] == 0) continue;
      if (Shares(rule, node.nodeType, other.nodeType)) continue;
      return ShowError(ui, MembershipMessage(rule, i + 1, j + 1));
    }
  }
  return true;
}

int LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int number = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    number = number * 10 + (text[i] - '0');
    if (number > 1000000) break;  // far beyond every allowed value
  }
  return negative ? -number : number;
}

bool ReadTnshDigits(std::string_view text, std::span<const DigitRange> digits,
                    model::NodeRecord& node, platform::Ui& ui) {
  std::string entered = model::FirstChars(text, digits.size());
  while (!entered.empty() && IsBlank(entered.back())) entered.pop_back();
  std::erase_if(entered, [](char c) { return c == ' '; });
  const auto start = std::find_if_not(entered.begin(), entered.end(), IsBlank);
  entered.erase(entered.begin(), start);
  if (model::HasCharOutside(entered, '0', '3')) return ShowError(ui, kTnshMessage);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const int digit = i < entered.size() ? entered[i] - '0' : 0;
    if (digit < digits[i].min || digit > digits[i].max) return ShowError(ui, kTnshMessage);
  }
  std::fill_n(node.tnshSettings, model::kTnshDigits, 0);
  for (std::size_t i = 0; i < entered.size(); ++i) {
    node.tnshSettings[i] = static_cast<std::uint8_t>(entered[i] - '0');
  }
  return true;
}

bool CheckZeroOrRange(platform::Ui& ui, std::string_view valueCell, model::Float32& destination,
                      std::string_view messageTemplate, float lower, float upper) {
  // Read as every number cell is: a decimal comma counts, dashes mean not set.
  const model::Float32 value = model::ReadValueText(valueCell);
  if (value.IsNotSet() || value.Value() == 0) {
    destination = value.IsNotSet() ? value : model::Float32::Of(0.0f);
    return true;
  }
  return CheckRange(ui, valueCell, destination, messageTemplate, lower, upper);
}

}  // namespace tarvo::forms
