#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "fakes/recording_ui.h"
#include "forms/form.h"
#include "model/document.h"

namespace tarvo::forms {

using Entries = std::map<std::string, std::string>;

// One channel page of a new configuration of the execution code, filled, with a recording Ui.
template <typename PageClass>
struct ChannelPageFixture {
  ChannelPageFixture(std::uint8_t executionCode, int channelIndex) {
    document.NewConfiguration(executionCode);
    page = std::make_unique<PageClass>(Set(), channelIndex);
    page->Fill();
  }
  model::ParameterSet& Set() { return document.Set(); }
  model::ChannelRecord& Record() { return Set().channels[page->ChannelIndex()]; }
  void Enter(const Entries& entries) {
    for (const auto& [code, value] : entries) {
      Row* row = page->FindRow(code);
      ASSERT_NE(row, nullptr) << code;
      ASSERT_EQ(EnterRowValue(*row, value), std::nullopt) << code;
    }
  }
  // The page's one message after a refused leave, "" when it was left.
  std::string Leave() {
    ui.messages.clear();
    const bool left = page->Accept(ui);
    if (left) {
      EXPECT_TRUE(ui.messages.empty());
      return "";
    }
    EXPECT_EQ(ui.messages.size(), 1u);
    return ui.messages.empty() ? "(no message)" : ui.messages[0].text;
  }
  model::ConfigurationDocument document;
  std::unique_ptr<PageClass> page;
  testing::RecordingUi ui;
};

}  // namespace tarvo::forms
