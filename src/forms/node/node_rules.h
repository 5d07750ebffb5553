#pragma once

#include <span>
#include <string_view>

#include "model/parameter_set.h"
#include "platform/ui.h"

namespace tarvo::forms {

inline constexpr const char* kNodeTypeMessage = "Ошибочно задан тип узла учета";
inline constexpr const char* kNodeCompositionMessage = "Ошибочно задан состав узла учета";
inline constexpr const char* kTnshMessage =
    "Ошибочно задан параметр <Настройка накопления времени Tнш и приостановки счета при "
    "обнаружении НС>";

inline constexpr int kCountedRoles = 6;  // role digits 1..6 are counted; 7..9 nowhere

struct DigitRange {
  int min = 0;
  int max = model::kMaxChannels;
};

// What one node type demands of the composition of channels 1..C: every digit at most maxDigit,
// and for each role digit d = 1..6 the number of channels carrying it within roles[d - 1].
struct NodeTypeRule {
  int type;
  int maxDigit = 9;
  DigitRange roles[kCountedRoles] = {};
};

// The rule of a type; null when the type is not allowed on the page.
const NodeTypeRule* FindTypeRule(std::span<const NodeTypeRule> rules, int type);
bool FitsTypeRule(const NodeTypeRule& rule, const model::NodeRecord& node, int channelCount);

// Which nodes may hold the same channel.
enum class Membership {
  OneNodePerChannel,  // no channel in two nodes
  GasNodesAlone,      // a node of type 7 shares no channel; other types may share
  Shared,             // no restriction
};

// Checks this node's channels 1..C against the other nodes in the set; the first channel, then
// the first other node, that conflict is reported.
bool CheckMembership(Membership rule, const model::ParameterSet& set, int nodeIndex,
                     const model::NodeRecord& node, platform::Ui& ui);

// The leading decimal integer of a text as the C library's atoi reads it: blanks, an optional
// sign, then digits; no number gives 0. A negative number stays negative, so a field kept as an
// unsigned byte sees it as a large value and refuses it.
int LeadingNumber(std::string_view text);

// Tнш digits: blanks removed, each character "0" to "3", digit i (missing ones 0) within
// digits[i]; stored as the digits followed by zeros.
bool ReadTnshDigits(std::string_view text, std::span<const DigitRange> digits,
                    model::NodeRecord& node, platform::Ui& ui);

// A value that is either 0 (no check) or within the bounds; dashes leave it not set.
bool CheckZeroOrRange(platform::Ui& ui, std::string_view valueCell, model::Float32& destination,
                      std::string_view messageTemplate, float lower, float upper);

}  // namespace tarvo::forms
