#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/device_variant.h"

namespace tarvo::model {

// The new-configuration dialog as a model: a list of device types and the execution codes of the
// selected type. The window draws it; the command line and the tests drive it directly.
class NewConfigurationDialog {
 public:
  static constexpr const char* kTitle = "Создание нового файла параметров";
  static constexpr const char* kTypeLabel = "Тип вычислителя:";
  static constexpr const char* kCodeLabel =
      "Исполнение вычислителя (1-я и 2-я цифры восьмизначного кода изготовителя ГРО):";
  static constexpr const char* kOkText = "Готово";
  static constexpr const char* kCancelText = "Отмена";

  NewConfigurationDialog() = default;

  std::vector<std::string> TypeEntries() const;
  std::vector<std::string> CodeEntries() const;  // of the selected type, as two-digit texts

  int SelectedType() const { return type_; }
  int SelectedCode() const { return code_; }

  // Changing the type refills the code list and selects its first entry.
  void SelectType(int index);
  void SelectCode(int index);

  DeviceVariant SelectedVariant() const;
  std::uint8_t SelectedExecutionCode() const;

 private:
  int type_ = 0;
  int code_ = 0;
};

}  // namespace tarvo::model
