#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tarvo::model {

enum class DeviceVariant : int { None = 0, V = 1, G = 2, U = 3, UV = 4, L = 5 };

DeviceVariant VariantOf(std::uint8_t executionCode);

// "ЛУР-В" .. "ЛУР-Л"; empty for None or an unknown value.
std::string VariantName(DeviceVariant variant);

// Execution codes offered for a variant by the new-configuration dialog, in its order.
std::span<const std::uint8_t> ExecutionCodesOf(DeviceVariant variant);

// Every execution code the dialog offers, variants in dialog order.
std::span<const std::uint8_t> AllExecutionCodes();

}  // namespace tarvo::model
