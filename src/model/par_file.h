#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/parameter_set.h"

namespace tarvo::model {

inline constexpr float kParFileVersion = 1.16f;
inline constexpr std::size_t kParFileSize = 8554;

// The set as a version 1.16 parameter file.
std::vector<std::uint8_t> WriteParameterBytes(const ParameterSet& set);

// Size in bytes of a parameter file of the given format version.
std::size_t ParameterFileSize(float version);

struct ParReadResult {
  bool ok = false;
  float version = 0;   // the format version stored in the file
  std::string reason;  // why the bytes were refused
};

// Reads a parameter file of any version into set. The set is replaced only when the whole file
// was read and its counts are valid; otherwise it is left exactly as it was.
ParReadResult ReadParameterBytes(std::span<const std::uint8_t> bytes, ParameterSet& set);

}  // namespace tarvo::model
