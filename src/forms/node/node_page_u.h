#pragma once

#include "forms/node/node_page.h"

namespace tarvo::forms {

class CNode_U_Page : public NodePage {
 public:
  CNode_U_Page(model::ParameterSet& set, int nodeIndex);
};

}  // namespace tarvo::forms
