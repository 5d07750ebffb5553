#pragma once

#include <bit>
#include <cstdint>

namespace tarvo::model {

// A stored 32-bit float kept as its bit pattern: the not-set marker (FF FF FF FF) is a NaN, and
// the configuration is compared byte by byte, so 0.0 and -0.0 differ and two markers are equal.
struct Float32 {
  std::uint32_t bits;

  static constexpr std::uint32_t kNotSetBits = 0xFFFFFFFFu;

  static constexpr Float32 Of(float value) { return Float32{std::bit_cast<std::uint32_t>(value)}; }
  static constexpr Float32 NotSet() { return Float32{kNotSetBits}; }

  constexpr float Value() const { return std::bit_cast<float>(bits); }
  constexpr bool IsNotSet() const { return bits == kNotSetBits; }
  constexpr void SetNotSet() { bits = kNotSetBits; }

  bool operator==(const Float32&) const = default;
};

static_assert(sizeof(Float32) == 4);

}  // namespace tarvo::model
