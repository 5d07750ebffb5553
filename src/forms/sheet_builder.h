#pragma once

#include <algorithm>
#include <memory>
#include <string>

#include "forms/property_sheet.h"
#include "model/parameter_set.h"

namespace tarvo::forms {

// "<prefix> N" with the 1-based number, two digits in variant У.
std::string TabTitle(const char* prefix, model::DeviceVariant variant, int index);

// Why a variant's channel or node pages ("каналов учета", "узлов учета") cannot be shown.
std::string PagesMissingMessage(const char* level, model::DeviceVariant variant);

// A sheet with one page per channel or node in use, created in order so that page i edits
// channel or node i + 1.
template <typename Factory>
std::unique_ptr<PropertySheet> BuildSheet(const char* caption, const char* tabPrefix, int count,
                                          int maxCount, model::ParameterSet& set, Factory factory) {
  auto sheet = std::make_unique<PropertySheet>(caption);
  for (int i = 0; i < std::clamp(count, 0, maxCount); ++i) {
    auto page = factory(set, i);
    page->tabTitle = TabTitle(tabPrefix, set.Variant(), i);
    sheet->AddPage(std::move(page));
  }
  return sheet;
}

// The factory of a variant's page class, giving the page as its level's page (channel, node).
template <typename LevelPage, typename PageClass>
std::unique_ptr<LevelPage> MakePage(model::ParameterSet& set, int index) {
  return std::make_unique<PageClass>(set, index);
}

// Looks a variant up in a table of {variant, factory} entries.
template <typename Entry, std::size_t N>
auto FactoryOf(const Entry (&table)[N], model::DeviceVariant variant) {
  for (const Entry& entry : table) {
    if (entry.variant == variant) return entry.factory;
  }
  return decltype(table[0].factory){nullptr};
}

}  // namespace tarvo::forms
