#include "app/cli/refusal_listing.h"

#include <algorithm>

#include "app/cli/command_values.h"
#include "app/cli/listing_output.h"
#include "app/cli/visible_text.h"
#include "forms/form.h"

namespace tarvo::app {

namespace {

// A message of several lines (a node's membership rule) on one line.
std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

std::string CodeOf(const shell::Refusal& refusal) {
  return refusal.code.empty() ? "-" : refusal.code;
}

}  // namespace

void PrintRefusalsText(const std::vector<shell::Refusal>& refusals, std::ostream& out) {
  int nameWidth = 0;
  int codeWidth = 0;
  for (const shell::Refusal& refusal : refusals) {
    nameWidth = std::max(nameWidth, forms::CharCount(VisibleText(refusal.name)));
    codeWidth = std::max(codeWidth, forms::CharCount(VisibleText(CodeOf(refusal))));
  }
  for (const shell::Refusal& refusal : refusals) {
    out << PadToWidth(VisibleText(refusal.name), nameWidth) << "  "
        << PadToWidth(VisibleText(CodeOf(refusal)), codeWidth) << "  "
        << VisibleText(refusal.caption + ": " + OneLine(refusal.message)) << "\n";
  }
}

void PrintRefusalsCsv(const std::vector<shell::Refusal>& refusals, std::ostream& out) {
  out << "form,code,caption,message\n";
  for (const shell::Refusal& refusal : refusals) {
    out << CsvField(refusal.name) << "," << CsvField(refusal.code) << ","
        << CsvField(refusal.caption) << "," << CsvField(OneLine(refusal.message)) << "\n";
  }
}

void PrintRefusalsJson(const model::ConfigurationDocument& document, bool startChecked,
                       const std::vector<shell::Refusal>& refusals, std::ostream& out) {
  const model::ParameterSet& set = document.Set();
  out << "{\n  \"file\": " << JsonString(document.PathName())
      << ",\n  \"variant\": " << JsonString(model::VariantName(set.Variant()))
      << ",\n  \"executionCode\": " << JsonString(Hex2(set.ident.executionCode))
      << ",\n  \"startOfCounting\": " << (startChecked ? "true" : "false")
      << ",\n  \"accepted\": " << (refusals.empty() ? "true" : "false") << ",\n  \"refusals\": [";
  for (std::size_t i = 0; i < refusals.size(); ++i) {
    const shell::Refusal& refusal = refusals[i];
    out << (i == 0 ? "" : ",") << "\n    {\"form\": " << JsonString(refusal.name)
        << ", \"title\": " << JsonString(refusal.title)
        << ", \"code\": " << JsonString(refusal.code)
        << ", \"caption\": " << JsonString(refusal.caption)
        << ", \"message\": " << JsonString(refusal.message) << "}";
  }
  out << (refusals.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

}  // namespace tarvo::app
