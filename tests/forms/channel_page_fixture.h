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
  // Types the type code as the user would; "10000" (medium 10) no user can type in the cell of
  // four, so it comes from the record, as from a file.
  void EnterTypeCode(const std::string& text) {
    if (text != "10000") {
      EXPECT_EQ(page->EnterCell(0, 0, text).error, std::nullopt);
      return;
    }
    Record().mediumKind = 10;
    Record().typeDigits3to5[0] = 0;
    Record().typeDigit6 = 0;
    Record().typeDigit7 = 0;
    Refill();
    ASSERT_EQ(page->Rows()[0].Text(), "10000");
  }
  void Enter(const Entries& entries) {
    for (const auto& [code, value] : entries) {
      const int row = page->RowIndexOf(code);
      ASSERT_GE(row, 0) << code;
      ASSERT_EQ(page->EnterValue(row, value).error, std::nullopt) << code;
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
    for (int target : targets) EXPECT_EQ(dialog->SetChecked(target, true).error, std::nullopt);
    dialog->Press(CCopyChannelDlg::kCopyButton, ui);
  }
  model::ConfigurationDocument document;
  std::unique_ptr<PageClass> page;
  testing::RecordingUi ui;
};

}  // namespace tarvo::forms
