#include "forms/node/node_page_g.h"

#include "forms/node/node_shared.h"

namespace tarvo::forms {

namespace {

constexpr NodeRowSpec kRows[] = {
    TypeAndCompositionRow(),
    {.cell = NodeCell::GasVolumeUnit,
     .number = 1,
     .description = " Единицы измерения объема газа (1 - куб.м, 1000 - тыс.куб.м)"},
    AveragingRow(2, kAveragingClosedMessage),
    {.cell = NodeCell::ReportHour, .number = 15, .description = "Отчетный час суток"},
};

// Type 1: roles 0..4; types 2 and 3: at most one channel in role 1 and one in role 2;
// type 7: roles 0 and 1 only.
constexpr NodeTypeRule kTypes[] = {
    {.type = 0, .maxDigit = 0},
    {.type = 1, .maxDigit = 4},
    {.type = 2, .roles = {{0, 1}, {0, 1}, {}, {}, {}, {}}},
    {.type = 3, .roles = {{0, 1}, {0, 1}, {}, {}, {}, {}}},
    {.type = 7, .maxDigit = 1},
};

constexpr NodePageSpec kPage{model::DeviceVariant::G, kRows, kTypes, Membership::OneNodePerChannel};

}  // namespace

CNode_G_Page::CNode_G_Page(model::ParameterSet& set, int nodeIndex)
    : NodePage(set, nodeIndex, kPage) {}

}  // namespace tarvo::forms
