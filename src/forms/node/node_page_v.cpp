#include "forms/node/node_page_v.h"

#include "forms/node/node_shared.h"

namespace tarvo::forms {

namespace {

// The minimum temperature difference and the Tнш settings exist in execution 46 only.
constexpr std::uint8_t kExecution46 = 0x46;

constexpr DigitRange kTnsh[] = {{0, 1}, {0, 1}, {1, 3}, {1, 3}, {2, 2}};

constexpr NodeRowSpec kRows[] = {
    TypeAndCompositionRow(),
    AveragingRow(1, kAveragingClosedMessage),
    MinTemperatureDifferenceRow(24, kExecution46),
    TnshRow(25, kTnsh, kExecution46),
};

constexpr NodeTypeRule kTypes[] = {
    kLvType0, {.type = 1, .roles = {{0, 5}, {0, 4}, {0, 0}, {0, 5}, {0, 0}, {0, 1}}}, kLvType2,
    kLvType3, {.type = 4, .roles = {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {1, 1}, {1, 1}}}, kLvType5,
};

constexpr NodePageSpec kPage{model::DeviceVariant::V, kRows, kTypes, Membership::OneNodePerChannel};

}  // namespace

CNode_V_Page::CNode_V_Page(model::ParameterSet& set, int nodeIndex)
    : NodePage(set, nodeIndex, kPage) {}

}  // namespace tarvo::forms
