#include "forms/node/node_page_uv.h"

#include "forms/node/node_shared.h"

namespace tarvo::forms {

namespace {

using model::NodeRecord;

constexpr DigitRange kTnsh[] = {{0, 0}, {0, 0}, {0, 0}, {0, 1}, {0, 1}, {1, 3}, {1, 3}, {2, 2}};

constexpr NodeRowSpec kRows[] = {
    {.cell = NodeCell::Type, .number = 0, .description = kTypeText},
    {.cell = NodeCell::Composition, .number = 1, .description = " Состав узла учета"},
    AveragingRow(10, kAveragingMessage),
    {.cell = NodeCell::Number,
     .number = 11,
     .description = "Константа часовой массы, т",
     .field = NodeFloat<&NodeRecord::hourlyMassConstant>,
     .upper = 999999,
     .message = "Константа часовой массы должна быть в диапазоне от  до  т"},
    {.cell = NodeCell::Algorithm,
     .number = 12,
     .description = "Алгоритм использования константы часовой массы",
     .upper = 3,
     .message = "Ошибочно задан алгоритм использования константы часовой массы",
     .algorithm = &NodeRecord::hourlyMassAlgorithm},
    {.cell = NodeCell::Number,
     .number = 13,
     .description = "Уставка небаланса масс",
     .field = NodeFloat<&NodeRecord::massImbalanceSetpoint>,
     .upper = 0.04f,
     .message = "Уставка небаланса масс должна быть в диапазоне от  до  "},
    {.cell = NodeCell::Number,
     .number = 14,
     .description = "Константа часовой энергии, ГДж(Гкал)",
     .field = NodeFloat<&NodeRecord::hourlyEnergyConstant>,
     .upper = 999999,
     .message = "Константа часовой энергии должна быть в диапазоне от  до  ГДж(Гкал)"},
    {.cell = NodeCell::Algorithm,
     .number = 15,
     .description = "Алгоритм использования константы часовой энергии",
     .upper = 3,
     .message = "Ошибочно задан алгоритм использования константы часовой энергии",
     .algorithm = &NodeRecord::hourlyEnergyAlgorithm},
    MinTemperatureDifferenceRow(18),
    TnshRow(19, kTnsh),
};

constexpr NodeTypeRule kTypes[] = {{.type = 0}, {.type = 1}, kUType2, kUType3, {.type = 5}};

// A channel may belong to several nodes.
constexpr NodePageSpec kPage{model::DeviceVariant::UV, kRows, kTypes, Membership::Shared};

}  // namespace

CNode_UV_Page::CNode_UV_Page(model::ParameterSet& set, int nodeIndex)
    : NodePage(set, nodeIndex, kPage) {}

}  // namespace tarvo::forms
