#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/device_variant.h"
#include "model/float32.h"

namespace tarvo::forms {

// The mode specification as entered (at most shownChars characters), padded with "0" to eight
// digits; nothing when a character is not a decimal digit.
std::optional<std::array<char, 8>> ReadModeDigits(std::string_view text, int shownChars);

// The variant's rule on the eight digits.
bool ModeDigitsAllowed(model::DeviceVariant variant, std::uint8_t executionCode,
                       const std::array<char, 8>& digits);

// Tariff zones: start hour, start minute, end hour, end minute; nothing when out of range.
std::optional<std::array<std::uint8_t, 4>> ReadTariffZones(std::string_view text);

// Contract barometric pressure: not set, 0, or 0.09 to 0.11; nothing when refused.
std::optional<model::Float32> ReadBaroPressure(std::string_view text);

// Correction flag 0..3 from the first character; nothing when refused.
std::optional<std::uint8_t> ReadCorrectionFlag(std::string_view text);

}  // namespace tarvo::forms
