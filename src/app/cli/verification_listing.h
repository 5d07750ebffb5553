#pragma once

#include <ostream>
#include <vector>

#include "shell/configuration_diff.h"

namespace tarvo::app {

// The values the device holds other than written: per form, the code, the value sent, the value
// held and the description.
void PrintMismatches(const std::vector<shell::DifferentForm>& mismatches, std::ostream& out);

// The values the file left not set, with what the device kept.
void PrintKept(const std::vector<shell::DifferentForm>& kept, std::ostream& out);

}  // namespace tarvo::app
