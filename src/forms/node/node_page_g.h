#pragma once

#include "forms/node/node_page.h"

namespace tarvo::forms {

// Node page of variant Г: type and composition, gas volume unit, averaging coefficient,
// report hour; one node per channel.
class CNode_G_Page : public NodePage {
 public:
  CNode_G_Page(model::ParameterSet& set, int nodeIndex);
};

}  // namespace tarvo::forms
