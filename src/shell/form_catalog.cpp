#include "shell/form_catalog.h"

#include <algorithm>
#include <cctype>

#include "forms/sheet_builder.h"
#include "forms/system/system_form.h"
#include "forms/variant_pages.h"

namespace tarvo::shell {

namespace {

using Kind = FormTarget::Kind;

constexpr const char* kNodeLetter = "П";
constexpr const char* kNodeLetterLower = "п";
constexpr const char* kCyrillicK = "К";
constexpr const char* kCyrillicKLower = "к";

int CountOf(const model::ParameterSet& set, Kind kind) {
  return kind == Kind::Channel ? std::clamp(set.channelCount, 0, model::kMaxChannels)
                               : std::clamp(set.nodeCount, 0, model::kMaxNodes);
}

bool AllDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(),
                                      [](unsigned char c) { return std::isdigit(c) != 0; });
}

// The channel or node number in the part of a code after its letter, 0 when it has none.
int NumberInCode(model::DeviceVariant variant, const std::string& rest) {
  if (variant == model::DeviceVariant::U) {
    return rest.size() == 4 && AllDigits(rest) ? std::stoi(rest.substr(0, 2)) : 0;
  }
  if (rest.size() == 3 && rest[0] == '-' && AllDigits(rest.substr(1))) return 10;
  if (rest.size() == 3 && AllDigits(rest)) return rest[0] - '0';
  // Some rows of the tenth channel or node spell the number out: K1000, K1070.
  if (rest.size() == 4 && AllDigits(rest) && rest.compare(0, 2, "10") == 0) return 10;
  return 0;
}

}  // namespace

std::string FormName(const FormTarget& target) {
  switch (target.kind) {
    case Kind::System:
      return "system";
    case Kind::Channel:
      return "channel " + std::to_string(target.index + 1);
    case Kind::Node:
      return "node " + std::to_string(target.index + 1);
  }
  return {};
}

std::string FormTitle(const FormTarget& target, const model::ParameterSet& set) {
  switch (target.kind) {
    case Kind::System:
      return "Общесистемные параметры";
    case Kind::Channel:
      return forms::TabTitle("Канал учета", set.Variant(), target.index);
    case Kind::Node:
      return forms::TabTitle("Узел учета", set.Variant(), target.index);
  }
  return {};
}

std::optional<FormTarget> ParseFormName(const std::string& text, const model::ParameterSet& set,
                                        std::string& error) {
  if (text == "system") return FormTarget{Kind::System, 0};
  const auto space = text.find(' ');
  const std::string word = text.substr(0, space);
  const std::string number = space == std::string::npos ? "" : text.substr(space + 1);
  if (word != "channel" && word != "node") {
    error = "форма «" + text + "» не предусмотрена: задайте system, channel N или node N";
    return std::nullopt;
  }
  const Kind kind = word == "channel" ? Kind::Channel : Kind::Node;
  const int count = CountOf(set, kind);
  const char* what = kind == Kind::Channel ? "каналов учета" : "узлов учета";
  if (!AllDigits(number) || number.size() > 3 || std::stoi(number) < 1 ||
      std::stoi(number) > count) {
    error = "для формы " + word + " нужен номер от 1 до " + std::to_string(count) +
            " (в конфигурации " + what + ": " + std::to_string(count) + ")";
    return std::nullopt;
  }
  return FormTarget{kind, std::stoi(number) - 1};
}

std::vector<FormTarget> AllFormTargets(const model::ParameterSet& set) {
  std::vector<FormTarget> targets;
  if (set.Variant() == model::DeviceVariant::None) return targets;
  targets.push_back({Kind::System, 0});
  for (int i = 0; i < CountOf(set, Kind::Channel); ++i) targets.push_back({Kind::Channel, i});
  for (int i = 0; i < CountOf(set, Kind::Node); ++i) targets.push_back({Kind::Node, i});
  return targets;
}

std::unique_ptr<forms::Form> MakeForm(model::ParameterSet& set, const FormTarget& target,
                                      std::string& message) {
  const forms::VariantPages* pages = forms::PagesOf(set.Variant());
  if (pages == nullptr) {
    message = forms::NotLoadedMessage("общесистемных параметров");
    return nullptr;
  }
  switch (target.kind) {
    case Kind::System:
      return forms::MakeSystemForm(set);
    case Kind::Channel:
      return pages->channel(set, target.index);
    case Kind::Node:
      return pages->node(set, target.index);
  }
  return nullptr;
}

std::optional<FormTarget> PageOfCode(const model::ParameterSet& set, const std::string& code) {
  Kind kind;
  std::string rest;
  if (code.rfind("K", 0) == 0) {
    kind = Kind::Channel;
    rest = code.substr(1);
  } else if (code.rfind(kNodeLetter, 0) == 0) {
    kind = Kind::Node;
    rest = code.substr(std::string(kNodeLetter).size());
  } else {
    return std::nullopt;
  }
  const int number = NumberInCode(set.Variant(), rest);
  if (number < 1 || number > CountOf(set, kind)) return std::nullopt;
  return FormTarget{kind, number - 1};
}

std::string NormalizeCode(const std::string& code) {
  for (const char* letter : {kCyrillicK, kCyrillicKLower, "k"}) {
    if (code.rfind(letter, 0) == 0) return "K" + code.substr(std::string(letter).size());
  }
  if (code.rfind(kNodeLetterLower, 0) == 0) {
    return kNodeLetter + code.substr(std::string(kNodeLetterLower).size());
  }
  return code;
}

}  // namespace tarvo::shell
