#pragma once

#include <cstring>

#include "model/parameter_set.h"

namespace tarvo::bench {

// Every field a form can fill, so that every parameter travels.
inline model::ParameterSet FullConfiguration(std::uint8_t exec, std::uint8_t version) {
  model::ParameterSet set{};
  model::MakeNewConfiguration(set, exec, version);
  std::memcpy(set.modeSpec.chars, "11000102", 8);
  set.contractColdWaterTemp = model::Float32::Of(5.0f);
  set.baroUpperLimit = model::Float32::Of(0.11f);
  set.contractOutdoorTemp = model::Float32::Of(-10.0f);
  for (int c = 0; c < set.channelCount; ++c) {
    model::ChannelRecord& ch = set.channels[c];
    ch.mediumKind = 12;
    ch.typeDigits3to5[0] = 1;
    for (int k = 1; k <= model::kChannelFloatSlots; ++k) {
      ch.Slot(k) = model::Float32::Of(static_cast<float>(c * 40 + k) + 0.5f);
    }
    ch.gas.pressure = model::Float32::Of(0.4f);
    ch.gas.temperature = model::Float32::Of(20.0f);
    ch.gas.humidity = model::Float32::Of(60.0f);
    for (auto& concentration : ch.gas.concentrations) concentration = model::Float32::Of(1.0f);
    for (int i = 0; i < model::kIrvisPoints; ++i) {
      ch.irvis1[i] = model::Float32::Of(static_cast<float>(i));
      ch.irvis2[i] = model::Float32::Of(static_cast<float>(i) + 0.5f);
    }
  }
  for (int n = 0; n < set.nodeCount; ++n) {
    set.nodes[n].nodeType = 1;
    set.nodes[n].composition[n % set.channelCount] = 1;
    set.nodes[n].averagingCoefficient = model::Float32::Of(0.5f);
    set.nodes[n].reportHour = 8;
  }
  if (model::SupportsReportTexts(set.ident)) {
    set.headerEnabled = 1;
    std::memset(set.headerText, 'H', 200);
  }
  return set;
}

}  // namespace tarvo::bench
