#include "forms/node/node_page_l.h"

#include "forms/node/node_shared.h"

namespace tarvo::forms {

namespace {

constexpr NodeRowSpec kRows[] = {TypeAndCompositionRow()};

constexpr NodeTypeRule kTypes[] = {
    kLvType0, {.type = 1, .roles = {{0, 4}, {0, 3}, {0, 0}, {0, 4}, {0, 0}, {0, 1}}},
    kLvType2, kLvType3,
    kLvType5,
};

constexpr NodePageSpec kPage{model::DeviceVariant::L, kRows, kTypes, Membership::OneNodePerChannel};

}  // namespace

CNode_L_Page::CNode_L_Page(model::ParameterSet& set, int nodeIndex)
    : NodePage(set, nodeIndex, kPage) {}

}  // namespace tarvo::forms
