#include "forms/sheet_builder.h"

#include <cstdio>

namespace tarvo::forms {

std::string TabTitle(const char* prefix, model::DeviceVariant variant, int index) {
  char title[64];
  std::snprintf(title, sizeof title, variant == model::DeviceVariant::U ? "%s %02d" : "%s %d",
                prefix, index + 1);
  return title;
}

std::string NotLoadedMessage(const char* parameters) {
  return std::string("Конфигурация не загружена: ") + parameters + " нет.";
}

}  // namespace tarvo::forms
