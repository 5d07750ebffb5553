#include "model/new_configuration_dialog.h"

#include <array>
#include <cstdio>

namespace tarvo::model {

namespace {
constexpr std::array<DeviceVariant, 5> kTypes = {
    DeviceVariant::V, DeviceVariant::G, DeviceVariant::U, DeviceVariant::UV, DeviceVariant::L};
}

std::vector<std::string> NewConfigurationDialog::TypeEntries() const {
  std::vector<std::string> entries;
  for (DeviceVariant variant : kTypes) entries.push_back(VariantName(variant));
  return entries;
}

std::vector<std::string> NewConfigurationDialog::CodeEntries() const {
  std::vector<std::string> entries;
  for (std::uint8_t code : ExecutionCodesOf(SelectedVariant())) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", code);
    entries.emplace_back(text);
  }
  return entries;
}

void NewConfigurationDialog::SelectType(int index) {
  if (index < 0 || index >= static_cast<int>(kTypes.size())) return;
  type_ = index;
  code_ = 0;
}

void NewConfigurationDialog::SelectCode(int index) {
  if (index < 0 || index >= static_cast<int>(ExecutionCodesOf(SelectedVariant()).size())) return;
  code_ = index;
}

DeviceVariant NewConfigurationDialog::SelectedVariant() const {
  return kTypes[type_];
}

std::uint8_t NewConfigurationDialog::SelectedExecutionCode() const {
  return ExecutionCodesOf(SelectedVariant())[code_];
}

}  // namespace tarvo::model
