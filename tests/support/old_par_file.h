#pragma once

#include <cstdint>
#include <vector>

namespace tarvo::testing {

// A parameter file of an older format version, laid out field by field as that version stored
// it, with recognisable values in every part (see old_par_file.cpp).
std::vector<std::uint8_t> OldFile(float version, std::uint8_t executionCode, int channels,
                                  int nodes);

}  // namespace tarvo::testing
