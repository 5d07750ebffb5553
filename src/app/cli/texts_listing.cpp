#include "app/cli/texts_listing.h"

#include "shell/commands.h"

namespace tarvo::app {

std::optional<std::string> NoReportTexts(const model::ParameterSet& set) {
  if (set.Variant() == model::DeviceVariant::None) {
    return "В файле не задан тип вычислителя: колонтитулов нет.";
  }
  if (!shell::StateOf(shell::CommandId::ReportTexts, set).enabled) {
    return "Вычислитель " + model::VariantName(set.Variant()) +
           " не поддерживает колонтитулы текстовых отчетов.";
  }
  return std::nullopt;
}

void PrintReportTexts(const shell::ListedForm& texts, std::ostream& out) {
  out << texts.title << "\n";
  for (const shell::ListedRow& row : texts.rows) {
    if (row.code.ends_with("-text")) {
      out << "  " << row.description << ":\n";
      std::size_t start = 0;
      for (;;) {
        const std::size_t end = row.value.find('\n', start);
        out << "  |" << row.value.substr(start, end - start) << "\n";
        if (end == std::string::npos) break;
        start = end + 1;
      }
    } else {
      out << "  " << row.description << "  " << row.value << "\n";
    }
  }
}

}  // namespace tarvo::app
