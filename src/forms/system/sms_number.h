#pragma once

#include <string>
#include <string_view>

#include "model/parameter_set.h"

namespace tarvo::forms {

// Pads the two parts of an SMS number with "0" into the fields of interface 1 or 2 of the
// target (even when they are wrong) and checks that both hold digits only. On failure message
// says which part is wrong, followed by " через интерфейс №N" when addSuffix is set.
bool CheckSmsNumber(std::string_view firstPart, std::string_view secondPart, int interfaceNumber,
                    bool addSuffix, model::ParameterSet& target, std::string& message);

}  // namespace tarvo::forms
