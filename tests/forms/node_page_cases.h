#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "fakes/recording_ui.h"
#include "forms/node/node_page.h"
#include "forms/node/node_sheet.h"
#include "model/document.h"

namespace tarvo::forms {

// One leave of a node page: values entered by code on a page of a new configuration, and the
// one message expected ("" = accepted, with nothing shown).
struct NodeCase {
  const char* name;
  std::map<std::string, std::string> entries;
  const char* message;
};

inline std::string CaseName(const ::testing::TestParamInfo<NodeCase>& info) {
  return info.param.name;
}

// A new configuration with its node sheet's pages, none shown yet.
struct NodeSheetRun {
  explicit NodeSheetRun(std::uint8_t executionCode) {
    document.NewConfiguration(executionCode);
    std::string message;
    sheet = MakeNodeSheet(document.Set(), message);
    EXPECT_NE(sheet, nullptr) << message;
  }
  model::ParameterSet& Set() { return document.Set(); }
  Page& PageOf(int nodeIndex) { return sheet->PageAt(nodeIndex); }

  // Fills the page, enters the values and leaves it; true when it was accepted.
  bool Leave(int nodeIndex, const std::map<std::string, std::string>& entries) {
    Page& page = PageOf(nodeIndex);
    page.Fill();
    for (const auto& [code, value] : entries) {
      const int row = page.RowIndexOf(code);
      EXPECT_GE(row, 0) << code;
      if (row < 0) return false;
      EXPECT_EQ(page.EnterValue(row, value).error, std::nullopt) << code << "=" << value;
    }
    return page.Submit(ui).accepted;
  }

  model::ConfigurationDocument document;
  std::unique_ptr<PropertySheet> sheet;
  testing::RecordingUi ui;
};

// Leaves node 1 with the case's values and checks the outcome: accepted without a message, or
// refused with exactly the one message (caption "Ошибка") and the set's node untouched.
inline void ExpectLeave(std::uint8_t executionCode, const NodeCase& c,
                        const std::function<void(model::ParameterSet&)>& prepare = {}) {
  NodeSheetRun run(executionCode);
  if (prepare) prepare(run.Set());
  const model::NodeRecord before = run.Set().nodes[0];
  const bool accepted = run.Leave(0, c.entries);
  EXPECT_EQ(accepted, *c.message == 0);
  if (accepted) {
    EXPECT_TRUE(run.ui.messages.empty());
    return;
  }
  ASSERT_EQ(run.ui.messages.size(), 1u);
  EXPECT_EQ(run.ui.messages[0].text, c.message);
  EXPECT_EQ(run.ui.messages[0].caption, "Ошибка");
  EXPECT_EQ(run.ui.messages[0].icon, platform::Icon::Error);
  EXPECT_TRUE(run.Set().nodes[0] == before);
}

inline constexpr const char* kTypeMessage = "Ошибочно задан тип узла учета";
inline constexpr const char* kCompositionMessage = "Ошибочно задан состав узла учета";
inline constexpr const char* kTnshMessageText =
    "Ошибочно задан параметр <Настройка накопления времени Tнш и приостановки счета при "
    "обнаружении НС>";
inline constexpr const char* kMinDifferenceMessage =
    "Минимальная разность температур между прямым и обратным трубопроводом должна быть в "
    "диапазоне от 1 до 150 градусов Цельсия";

// What a page shows after Fill: code, value and cell limit of each row, top to bottom.
struct ShownRow {
  std::string code;
  std::string description;
  std::string value;
  int maxLength;
};

inline void ExpectRows(Page& page, const std::vector<ShownRow>& expected) {
  page.Fill();
  std::vector<ShownRow> shown;
  for (const Row& row : page.Rows()) {
    if (row.visible) {
      shown.push_back({row.code, row.description, row.Text(), row.cells.front().maxLength});
    }
  }
  ASSERT_EQ(shown.size(), expected.size());
  for (std::size_t i = 0; i < shown.size(); ++i) {
    EXPECT_EQ(shown[i].code, expected[i].code) << i;
    EXPECT_EQ(shown[i].description, expected[i].description) << i;
    EXPECT_EQ(shown[i].value, expected[i].value) << i;
    EXPECT_EQ(shown[i].maxLength, expected[i].maxLength) << i;
  }
}

}  // namespace tarvo::forms
