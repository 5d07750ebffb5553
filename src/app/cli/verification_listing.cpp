#include "app/cli/verification_listing.h"

#include "app/cli/listing_output.h"
#include "app/cli/visible_text.h"

namespace tarvo::app {

namespace {

void PrintForms(const std::vector<shell::DifferentForm>& forms, bool withSent, std::ostream& out) {
  for (const shell::DifferentForm& form : forms) {
    out << "  " << VisibleText(form.title) << "\n";
    for (const shell::DifferentRow& row : form.rows) {
      out << "    " << VisibleText(row.code) << "  ";
      if (withSent) out << "записано " << ShownValue(row.first) << ", в вычислителе ";
      out << ShownValue(row.second);
      const std::string description = VisibleText(TrimmedDescription(row.description));
      if (!description.empty()) out << "  " << description;
      out << "\n";
    }
  }
}

}  // namespace

void PrintMismatches(const std::vector<shell::DifferentForm>& mismatches, std::ostream& out) {
  PrintForms(mismatches, true, out);
}

void PrintKept(const std::vector<shell::DifferentForm>& kept, std::ostream& out) {
  PrintForms(kept, false, out);
}

}  // namespace tarvo::app
