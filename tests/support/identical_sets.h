#pragma once

#include <algorithm>

#include "model/parameter_set.h"

namespace tarvo::testing {

// Every field equal, including those SameContent leaves out.
inline bool IdenticalSets(const model::ParameterSet& a, const model::ParameterSet& b) {
  return a.SameContent(b) && a.checkForStart == b.checkForStart && a.comPort == b.comPort &&
         a.speedCode == b.speedCode &&
         std::equal(a.pageFilled, a.pageFilled + model::kMaxChannels, b.pageFilled);
}

}  // namespace tarvo::testing
