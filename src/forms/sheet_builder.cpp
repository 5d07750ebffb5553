#include "forms/sheet_builder.h"

#include <cstdio>

namespace tarvo::forms {

std::string TabTitle(const char* prefix, model::DeviceVariant variant, int index) {
  char title[64];
  std::snprintf(title, sizeof title, variant == model::DeviceVariant::U ? "%s %02d" : "%s %d",
                prefix, index + 1);
  return title;
}

std::string PagesMissingMessage(const char* level, model::DeviceVariant variant) {
  const std::string name = model::VariantName(variant);
  if (name.empty()) return std::string("Конфигурация не загружена: параметров ") + level + " нет.";
  return std::string("Страницы параметров ") + level + " вычислителя " + name +
         " еще не реализованы в этой версии программы.";
}

}  // namespace tarvo::forms
