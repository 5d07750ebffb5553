#pragma once

#include <cstdint>
#include <span>

namespace tarvo::platform {

// FNV-1a: enough to tell a rewritten file from the one read, not meant against forgery.
inline std::uint64_t ContentHash(std::span<const std::uint8_t> bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (std::uint8_t b : bytes) hash = (hash ^ b) * 1099511628211ull;
  return hash;
}

}  // namespace tarvo::platform
