#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarvo::app {

// "46" -> 0x46 when the new-configuration dialog offers that execution code.
std::optional<std::uint8_t> ParseExecutionCode(const std::string& text);
// The codes the dialog offers, "46, 44, ..." grouped by variant.
std::string ValidExecutionCodesText();
// "53" -> 0x53: a software version as two decimal digits, stored as BCD.
std::optional<std::uint8_t> ParseSoftwareVersion(const std::string& text);
// Two upper-case hexadecimal digits.
std::string Hex2(std::uint8_t value);

}  // namespace tarvo::app
