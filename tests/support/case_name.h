#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace tarvo::testing {

// Names a parameterised case by its "what": letters and digits kept, anything else "_".
struct CaseNameOfWhat {
  template <typename Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
    std::string name = info.param.what;
    for (char& ch : name) {
      if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    }
    return name;
  }
};

}  // namespace tarvo::testing
