#pragma once

#include <string>

#include "forms/form.h"

namespace tarvo::forms {

// What assistive technology reads for a row's cell, check box or list: the row's code and its
// description ("K0201 Вход расхода"), each cell of a row of several numbered ("…, ячейка 2").
std::string CellAccessibleName(const Row& row, int cell = 0);

// The name a test or a script finds a row's cell by: the code ("K0201"), a further cell of the
// row with its number ("K0201.2"); a row without a code goes by its description.
std::string CellObjectName(const Row& row, int cell = 0);

}  // namespace tarvo::forms
