#include "forms/node/node_page.h"

#include <algorithm>
#include <cstdio>

#include "forms/form_messages.h"
#include "model/value_text.h"

namespace tarvo::forms {

NodePage::NodePage(model::ParameterSet& set, int nodeIndex) : set_(set), index_(nodeIndex) {}

int NodePage::ChannelCount() const {
  return std::clamp(set_.channelCount, 0, model::kMaxChannels);
}
int NodePage::NodeCount() const {
  return std::clamp(set_.nodeCount, 0, model::kMaxNodes);
}

void NodePage::Fill() {
  if (filled_) return;
  FillCells();
  filled_ = true;
}

bool NodePage::Accept(platform::Ui& ui) {
  const auto working = std::make_unique<model::ParameterSet>();
  working->Reset();
  if (!CheckRows(*working, ui)) return false;
  set_.CopyNode(*working, index_);
  return true;
}

std::string NodeCode(model::DeviceVariant variant, int nodeIndex, int number) {
  char code[32];
  std::snprintf(code, sizeof code, variant == model::DeviceVariant::U ? "П%02d%02d" : "П%d%02d",
                nodeIndex + 1, number);
  return code;
}

std::string TypeAndCompositionText(const model::NodeRecord& node, int channelCount) {
  std::string text = std::to_string(node.nodeType);
  for (int i = 0; i < channelCount; ++i) text += std::to_string(node.composition[i]);
  return text;
}

bool ReadTypeAndComposition(std::string_view text, int channelCount, model::NodeRecord& node,
                            bool& hasType, platform::Ui& ui) {
  const std::string entered = model::FirstChars(text, static_cast<std::size_t>(channelCount) + 1);
  if (model::HasCharOutside(entered, '0', '9')) return ShowError(ui, kNodeCompositionMessage);
  hasType = !entered.empty();
  node.nodeType = hasType ? static_cast<std::uint8_t>(entered[0] - '0') : 0;
  std::fill_n(node.composition, model::kMaxChannels, 0);
  for (std::size_t i = 1; i < entered.size(); ++i) {
    node.composition[i - 1] = static_cast<std::uint8_t>(entered[i] - '0');
  }
  return true;
}

bool CheckMembership(const model::ParameterSet& set, int nodeIndex, const model::NodeRecord& node,
                     platform::Ui& ui) {
  const int channels = std::clamp(set.channelCount, 0, model::kMaxChannels);
  const int nodes = std::clamp(set.nodeCount, 0, model::kMaxNodes);
  for (int i = 0; i < channels; ++i) {
    if (node.composition[i] == 0) continue;
    for (int j = 0; j < nodes; ++j) {
      if (j == nodeIndex || set.nodes[j].composition[i] == 0) continue;
      const std::string message =
          "Канал учета " + std::to_string(i + 1) + " уже находится в составе узла учета " +
          std::to_string(j + 1) +
          ".\nНельзя использовать один и тот же канал учета в составе более чем одного узла "
          "учета";
      return ShowError(ui, message);
    }
  }
  return true;
}

int LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int number = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    number = number * 10 + (text[i] - '0');
    if (number > 1000000) break;  // far beyond every allowed value
  }
  return negative ? -number : number;
}

}  // namespace tarvo::forms
