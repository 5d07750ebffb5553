#include "forms/node/node_page_u.h"

#include "forms/node/node_shared.h"

namespace tarvo::forms {

namespace {

constexpr NodeRowSpec kRows[] = {
    {.cell = NodeCell::Type, .number = 0, .description = kTypeText},
    {.cell = NodeCell::Composition,
     .number = 1,
     .description = " Состав узла учета (с 1-го по 10-й трубопровод)"},
    {.cell = NodeCell::Composition,
     .number = 2,
     .description = " Состав узла учета (с 11-го по 20-й трубопровод)",
     .firstChannel = 10},
    {.cell = NodeCell::GasVolumeUnit,
     .number = 3,
     .description = " Признак единиц измерения объема газа (1 - куб.м, 1000 - тыс.куб.м)"},
    AveragingRow(4, kAveragingMessage),
    {.cell = NodeCell::ReportHour, .number = 17, .description = "Отчетный час суток"},
};

// A gas node (type 7) has its channels in role 1 only.
constexpr NodeTypeRule kTypes[] = {
    {.type = 0}, {.type = 1}, kUType2,
    kUType3,     {.type = 5}, {.type = 7, .roles = {{}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
    {.type = 9},
};

constexpr NodePageSpec kPage{model::DeviceVariant::U, kRows, kTypes, Membership::GasNodesAlone};

}  // namespace

CNode_U_Page::CNode_U_Page(model::ParameterSet& set, int nodeIndex)
    : NodePage(set, nodeIndex, kPage) {}

}  // namespace tarvo::forms
