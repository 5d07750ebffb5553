// The report-text editor on any stored texts, given any typed or pasted texts, ticks and
// clears, then OK. Invariants: a text is taken whole or refused; a refusal shows one message and
// changes nothing in the set; an acceptance keeps every text within its field with its 0, and
// the editor opened afresh on the set shows the accepted texts as the set keeps them.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "forms/texts/report_text_editor.h"
#include "fuzz_support.h"
#include "model/device_variant.h"
#include "model/parameter_set.h"

using namespace tarvo;
using forms::ReportTextPart;

namespace {

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

// The text as the set keeps it and an edit shows it again: every line begins with a space.
std::string WithSpacedLines(const std::string& text) {
  std::string spaced;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find('\n', start);
    const std::string line = text.substr(start, end == std::string::npos ? end : end - start);
    if (start > 0) spaced += '\n';
    if (line.empty() || line[0] != ' ') spaced += ' ';
    spaced += line;
    if (end == std::string::npos) return spaced;
    start = end + 1;
  }
}

std::size_t StoredLength(const char* field, std::size_t size) {
  const void* end = std::memchr(field, 0, size);
  return end == nullptr ? size : static_cast<std::size_t>(static_cast<const char*>(end) - field);
}

// Whatever a file or a device left in a field, 0 or no 0.
void FillField(FuzzedDataProvider& input, char* field, std::size_t size) {
  const std::string bytes = input.ConsumeRandomLengthString(size);
  std::memset(field, 0, size);
  std::memcpy(field, bytes.data(), bytes.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  static auto* set = new model::ParameterSet;
  static auto* before = new model::ParameterSet;
  const auto codes = model::AllExecutionCodes();
  std::memset(set, 0, sizeof *set);
  set->ident.executionCode = codes[input.ConsumeIntegralInRange<std::size_t>(0, codes.size() - 1)];
  set->ident.softwareVersion = input.ConsumeIntegral<std::uint8_t>();
  set->headerEnabled = input.ConsumeIntegralInRange<int>(-1, 1);
  set->footerEnabled = input.ConsumeIntegralInRange<int>(-1, 1);
  if (input.ConsumeBool()) FillField(input, set->headerText, sizeof set->headerText);
  if (input.ConsumeBool()) FillField(input, set->footerText, sizeof set->footerText);

  forms::ReportTextEditor editor(*set);
  const int actions = input.ConsumeIntegralInRange<int>(0, 8);
  for (int action = 0; action < actions && input.remaining_bytes() > 0; ++action) {
    const ReportTextPart part =
        input.ConsumeBool() ? ReportTextPart::Header : ReportTextPart::Footer;
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
      case 0:
        editor.SetEnabled(part, input.ConsumeBool());
        break;
      case 1:
        editor.Clear(part);
        break;
      default: {
        const std::string previous = editor.Text(part);
        const std::string text = fuzz::HostileText(input);
        const bool takes = editor.Takes(part, text);
        const auto refused = editor.EnterText(part, text);
        Check(refused.has_value() == (!takes || !editor.Shown(part)));
        if (refused) Check(editor.Text(part) == previous);
        break;
      }
    }
  }

  std::memcpy(before, set, sizeof *set);
  fuzz::CountingUi ui;
  const forms::ReportTextVerdict verdict = editor.Accept(ui);
  if (!verdict.accepted) {
    Check(std::memcmp(before, set, sizeof *set) == 0 && ui.messages == 1);
    return 0;
  }
  Check(ui.messages == 0);
  // Within the field with its 0, and within what the device holds.
  const std::size_t headerLength = StoredLength(set->headerText, sizeof set->headerText);
  const std::size_t footerLength = StoredLength(set->footerText, sizeof set->footerText);
  Check(headerLength < static_cast<std::size_t>(model::kHeaderTextSize));
  Check(footerLength < static_cast<std::size_t>(model::kFooterTextSize));
  const int capacity = model::ReportTextCapacity(set->ident).header;
  if (capacity > 0) Check(headerLength < static_cast<std::size_t>(capacity));

  const forms::ReportTextEditor reopened(*set);
  for (const ReportTextPart part : {ReportTextPart::Header, ReportTextPart::Footer}) {
    if (!editor.Shown(part)) continue;
    Check(reopened.Enabled(part) == editor.Enabled(part));
    if (editor.Enabled(part)) Check(reopened.Text(part) == WithSpacedLines(editor.Text(part)));
  }
  return 0;
}
