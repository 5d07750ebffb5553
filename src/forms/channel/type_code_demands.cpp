#include "forms/channel/type_code_demands.h"

#include <algorithm>
#include <map>
#include <memory>

#include "forms/variant_pages.h"
#include "model/value_text.h"

namespace tarvo::forms {

namespace {

// Which row shows which float slot of the channel: a page of the same variant over a copy of
// the set whose slot n holds n shows the slot's number in the slot's row.
std::map<int, std::string> SlotRows(const model::ParameterSet& set, int index) {
  std::map<int, std::string> codes;
  const VariantPages* pages = PagesOf(set.Variant());
  if (pages == nullptr) return codes;
  const auto numbered = std::make_unique<model::ParameterSet>(set);
  for (int slot = 1; slot <= model::kChannelFloatSlots; ++slot) {
    numbered->channels[index].Slot(slot) = model::Float32::Of(static_cast<float>(slot));
  }
  numbered->pageFilled[index] = 0;
  const auto page = pages->channel(*numbered, index);
  page->Fill();
  for (const Row& row : page->Rows()) {
    if (row.kind != CellKind::Number) continue;
    const float slot = model::ReadValueText(row.Text()).Value();
    if (slot >= 1 && slot <= model::kChannelFloatSlots) {
      codes.emplace(static_cast<int>(slot), row.code);
    }
  }
  return codes;
}

}  // namespace

DemandedRows TypeCodeDemands(const ChannelPage& page, const model::ParameterSet& set, int index) {
  return [&page, &set, index, layout = page.TypeCode(),
          rows = SlotRows(set, index)](std::span<const int> values) {
    model::ChannelRecord record = set.channels[index];
    layout.store(values, record);
    std::vector<std::string> codes;
    // A channel not in use demands nothing.
    if (record.mediumKind == 0) return codes;
    for (const CompletionRule& rule : page.CompletionRules(record)) {
      const auto row = rows.find(rule.slot);
      if ((rule.applies == nullptr || rule.applies(record)) && row != rows.end() &&
          std::find(codes.begin(), codes.end(), row->second) == codes.end()) {
        codes.push_back(row->second);
      }
    }
    return codes;
  };
}

}  // namespace tarvo::forms
