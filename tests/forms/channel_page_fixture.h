#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "fakes/recording_ui.h"
#include "forms/channel/channel_page.h"
#include "forms/channel/copy_channel_dlg.h"
#include "model/document.h"

namespace tarvo::forms {

using Entries = std::map<std::string, std::string>;

// A refused type code: the page's message, then the position and the rule it breaks.
inline std::string TypeRefusal(const char* why) {
  return std::string("Ошибочно задан параметр <Вид носителя и тип преобразователей>\n") + why;
}
inline std::string FirstLine(const std::string& message) {
  return message.substr(0, message.find('\n'));
}

// One channel page of a new configuration of the execution code, filled as on first display.
template <typename PageClass>
struct ChannelPageFixture {
  explicit ChannelPageFixture(std::uint8_t executionCode, int channelIndex = 0) {
    document.NewConfiguration(executionCode);
    page = std::make_unique<PageClass>(Set(), channelIndex);
    page->Fill();
  }
  model::ParameterSet& Set() { return document.Set(); }
  model::ChannelRecord& Record() { return Set().channels[page->ChannelIndex()]; }
  // Refills the page from the record as it now stands.
  void Refill() {
    Set().pageFilled[page->ChannelIndex()] = 0;
    page->Fill();
  }
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
    if (page->Submit(ui).accepted) {
      EXPECT_TRUE(ui.messages.empty());
      return "";
    }
    EXPECT_EQ(ui.messages.size(), 1u);
    return ui.messages.empty() ? "(no message)" : ui.messages[0].text;
  }
  // Presses the copy button and copies onto the given 0-based channels.
  void CopyTo(std::initializer_list<int> targets) {
    auto dialog = page->Press(ChannelPage::kCopyButton, ui).dialog;
    ASSERT_NE(dialog, nullptr);
    dialog->Fill();
    for (int target : targets) dialog->rows[target].checked = true;
    dialog->Press(CCopyChannelDlg::kCopyButton, ui);
  }
  model::ConfigurationDocument document;
  std::unique_ptr<PageClass> page;
  testing::RecordingUi ui;
};

}  // namespace tarvo::forms
