#include "app/cli/command_values.h"

#include <cctype>
#include <cstdio>

#include "model/device_variant.h"

namespace tarvo::app {

using model::DeviceVariant;

std::string Hex2(std::uint8_t value) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", value);
  return text;
}

std::optional<std::uint8_t> ParseExecutionCode(const std::string& text) {
  for (std::uint8_t code : model::AllExecutionCodes()) {
    if (Hex2(code) == text) return code;
  }
  return std::nullopt;
}

std::string ValidExecutionCodesText() {
  std::string text;
  for (auto variant : {DeviceVariant::V, DeviceVariant::G, DeviceVariant::U, DeviceVariant::UV,
                       DeviceVariant::L}) {
    if (!text.empty()) text += "; ";
    text += model::VariantName(variant) + ":";
    for (std::uint8_t code : model::ExecutionCodesOf(variant)) text += " " + Hex2(code);
  }
  return text;
}

std::optional<std::uint8_t> ParseSoftwareVersion(const std::string& text) {
  if (text.empty() || text.size() > 2) return std::nullopt;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
  }
  const int number = std::stoi(text);
  return static_cast<std::uint8_t>(((number / 10) << 4) | (number % 10));
}

}  // namespace tarvo::app
