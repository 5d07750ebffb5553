#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "forms/property_sheet.h"
#include "model/parameter_set.h"

namespace tarvo::forms {

// What sets the channel sheet apart from the node sheet.
struct SheetLevel {
  const char* caption;
  const char* tabPrefix;
  const char* parameters;  // "параметров каналов учета", for a configuration not loaded
  std::int32_t model::ParameterSet::*count;
  int maxCount;
};

// "<prefix> N" with the 1-based number, two digits in variant У.
std::string TabTitle(const char* prefix, model::DeviceVariant variant, int index);

// Why a configuration not loaded (variant 0) shows none of these parameters.
std::string NotLoadedMessage(const char* parameters);

// A sheet with one page per channel or node in use, created in order so that page i edits
// channel or node i + 1.
template <typename Factory>
std::unique_ptr<PropertySheet> BuildSheet(const SheetLevel& level, model::ParameterSet& set,
                                          Factory factory) {
  auto sheet = std::make_unique<PropertySheet>(level.caption);
  for (int i = 0; i < std::clamp(set.*level.count, 0, level.maxCount); ++i) {
    auto page = factory(set, i);
    page->tabTitle = TabTitle(level.tabPrefix, set.Variant(), i);
    sheet->AddPage(std::move(page));
  }
  return sheet;
}

// The factory of a variant's page class, giving the page as its level's page (channel, node).
template <typename LevelPage, typename PageClass>
std::unique_ptr<LevelPage> MakePage(model::ParameterSet& set, int index) {
  return std::make_unique<PageClass>(set, index);
}

}  // namespace tarvo::forms
