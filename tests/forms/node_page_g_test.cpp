#include "forms/node/node_page_g.h"

#include <gtest/gtest.h>

#include <map>
#include <string_view>

#include "fakes/recording_ui.h"
#include "forms/node/node_sheet.h"
#include "model/document.h"
#include "shell/guarded_edit.h"

namespace tarvo::forms {
namespace {

using model::Float32;

constexpr const char* kType = "Ошибочно задан тип узла учета";
constexpr const char* kComposition = "Ошибочно задан состав узла учета";
constexpr const char* kGasUnit =
    "Признак единиц измерения объема газа должен быть равен 1 или 1000";
constexpr const char* kHour =
    "Отчетный час суток должен быть в диапазоне от 00 до 23 (кроме 02 и 03)";
constexpr const char* kAveraging =
    "Коэффициент усреднения массового расхода для закрытых систем должен быть в диапазоне от 0 до "
    "0,05 ";

struct Case {
  const char* name;
  std::map<std::string, std::string> entries;  // on node 1 of a 0x47 configuration (C = 3)
  const char* message;
};

class NodePageGChecks : public ::testing::TestWithParam<Case> {};

TEST_P(NodePageGChecks, RefusesWithOneMessage) {
  const Case& c = GetParam();
  model::ConfigurationDocument document;
  document.NewConfiguration(0x47);
  CNode_G_Page page(document.Set(), 0);
  page.Fill();
  for (const auto& [code, value] : c.entries) {
    ASSERT_NE(page.FindRow(code), nullptr) << code;
    ASSERT_EQ(page.EnterValue(page.RowIndexOf(code), value).error, std::nullopt) << code;
  }
  testing::RecordingUi ui;
  const bool accepted = page.Submit(ui).accepted;
  EXPECT_EQ(accepted, *c.message == 0);
  if (accepted) {
    EXPECT_TRUE(ui.messages.empty());
  } else {
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, c.message);
    EXPECT_EQ(ui.messages[0].caption, "Ошибка");
  }
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, NodePageGChecks,
    ::testing::Values(
        Case{"Type2Roles12", {{"П100", "2120"}}, ""},
        Case{"Type2TwoOnes", {{"П100", "2110"}}, kComposition},
        Case{"Type2TwoFives", {{"П100", "2550"}}, ""},
        Case{"Type1Digit5", {{"П100", "1500"}}, kComposition},
        Case{"Type7Ones", {{"П100", "7110"}}, ""},
        Case{"Type7Two", {{"П100", "7120"}}, kComposition},
        Case{"Type0WithMember", {{"П100", "0010"}}, kComposition},
        Case{"Type4", {{"П100", "4000"}}, kType}, Case{"Type5", {{"П100", "5"}}, kType},
        Case{"Type6", {{"П100", "6"}}, kType}, Case{"Type8", {{"П100", "8"}}, kType},
        Case{"Type9", {{"П100", "9000"}}, kType}, Case{"EmptyType", {{"П100", ""}}, kType},
        Case{"Letter", {{"П100", "1a"}}, kComposition}, Case{"ShortText", {{"П100", "11"}}, ""},
        Case{"GasUnit10", {{"П101", "10"}}, kGasUnit},
        Case{"GasUnitEmpty", {{"П101", ""}}, kGasUnit}, Case{"GasUnit1000", {{"П101", "1000"}}, ""},
        Case{"Hour02", {{"П115", "02"}}, kHour}, Case{"Hour03", {{"П115", "3"}}, kHour},
        Case{"Hour24", {{"П115", "24"}}, kHour}, Case{"Hour00", {{"П115", "00"}}, ""},
        Case{"Hour01", {{"П115", "01"}}, ""}, Case{"Hour04", {{"П115", "04"}}, ""},
        Case{"Hour23", {{"П115", "23"}}, ""}, Case{"HourEmpty", {{"П115", ""}}, ""},
        // Read as a signed integer and kept as a byte: -1 is 255, not 0.
        Case{"HourMinus1", {{"П115", "-1"}}, kHour}, Case{"HourPlus4", {{"П115", "+4"}}, ""},
        Case{"GasUnitMinus1", {{"П101", "-1"}}, kGasUnit},
        Case{"Averaging005", {{"П102", "0,05"}}, ""},
        Case{"Averaging006", {{"П102", "0.06"}}, kAveraging},
        Case{"TypeBeforeGasUnit", {{"П100", "4"}, {"П101", "10"}}, kType},
        Case{"GasUnitBeforeHour", {{"П101", "10"}, {"П115", "24"}}, kGasUnit}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

struct NodeSheet {
  NodeSheet() {
    document.NewConfiguration(0x47);
    sheet = MakeNodeSheet(document.Set(), message);
  }
  void Type(int page, int row, std::string_view text) {
    EXPECT_EQ(sheet->PageAt(page).EnterCell(row, 0, text).error, std::nullopt);
  }
  model::ConfigurationDocument document;
  std::string message;
  std::unique_ptr<PropertySheet> sheet;
  testing::RecordingUi ui;
};

TEST(NodeSheetGTest, RowsCodesAndTabs) {
  NodeSheet s;
  ASSERT_NE(s.sheet, nullptr);
  EXPECT_EQ(s.sheet->Caption(), "Параметры узлов учета (потребителей)");
  ASSERT_EQ(s.sheet->PageCount(), 3);
  EXPECT_EQ(s.sheet->PageAt(1).tabTitle, "Узел учета 2");
  Page& page = s.sheet->PageAt(1);
  page.Fill();
  EXPECT_EQ(page.Rows()[0].code, "П200");
  EXPECT_EQ(page.Rows()[0].cells[0].maxLength, 4);
  EXPECT_EQ(page.Rows()[0].Text(), "0000");
  EXPECT_EQ(page.Rows()[1].code, "П201");
  EXPECT_EQ(page.Rows()[1].Text(), "1");
  EXPECT_EQ(page.Rows()[2].code, "П202");
  EXPECT_EQ(page.Rows()[2].description,
            "Коэффициент усреднения массового расхода для закрытых систем");
  EXPECT_EQ(page.Rows()[2].Text(), "-");
  EXPECT_EQ(page.Rows()[3].code, "П215");
  EXPECT_EQ(page.Rows()[3].Text(), "00");
}

TEST(NodeSheetGTest, MembershipNamesTheChannelAndTheOtherNode) {
  NodeSheet s;
  s.document.Set().nodes[2].nodeType = 1;
  s.document.Set().nodes[2].composition[1] = 3;
  s.sheet->Open(s.ui);
  s.Type(0, 0, "1010");
  EXPECT_FALSE(s.sheet->Ok(s.ui));
  ASSERT_EQ(s.ui.messages.size(), 1u);
  EXPECT_EQ(s.ui.messages[0].text,
            "Канал учета 2 уже находится в составе узла учета 3.\nНельзя использовать один и тот "
            "же канал учета в составе более чем одного узла учета");
  // A later page sees what an earlier page committed.
  s.Type(0, 0, "1100");
  ASSERT_TRUE(s.sheet->Select(1, s.ui));
  s.Type(1, 0, "1100");
  EXPECT_FALSE(s.sheet->Select(0, s.ui));
  EXPECT_EQ(s.ui.messages.back().text,
            "Канал учета 1 уже находится в составе узла учета 1.\nНельзя использовать один и тот "
            "же канал учета в составе более чем одного узла учета");
}

TEST(NodeSheetGTest, PageOneIsCheckedAndCommittedAtOpening) {
  NodeSheet s;
  model::NodeRecord& node1 = s.document.Set().nodes[0];
  node1.hourlyMassConstant = Float32::Of(5.0f);  // no row of page Г carries it
  node1.reportHour = 2;                          // breaks a rule of page 1
  s.sheet->Open(s.ui);
  ASSERT_EQ(s.ui.messages.size(), 1u);
  EXPECT_EQ(s.ui.messages[0].text, kHour);
  EXPECT_EQ(s.sheet->ActiveIndex(), 0);
  EXPECT_EQ(node1.hourlyMassConstant, Float32::Of(5.0f));  // refused: nothing committed

  NodeSheet t;
  t.document.Set().nodes[0].hourlyMassConstant = Float32::Of(5.0f);
  t.document.Set().nodes[1].hourlyMassConstant = Float32::Of(6.0f);
  t.sheet->Open(t.ui);
  EXPECT_TRUE(t.ui.messages.empty());
  EXPECT_TRUE(t.document.Set().nodes[0].hourlyMassConstant.IsNotSet());
  EXPECT_EQ(t.document.Set().nodes[1].hourlyMassConstant, Float32::Of(6.0f));  // never shown
}

TEST(NodeSheetGTest, OkWithoutAnEditCommitsNodeOneAndCancelRestoresIt) {
  for (const bool ok : {true, false}) {
    model::ConfigurationDocument document;
    document.NewConfiguration(0x47);
    document.Set().nodes[0].tnshSettings[7] = 9;
    shell::GuardedEdit(document, [&](model::ParameterSet& set) {
      std::string message;
      auto sheet = MakeNodeSheet(set, message);
      testing::RecordingUi ui;
      sheet->Open(ui);
      if (!ok) return shell::FormResult::Cancel;
      EXPECT_TRUE(sheet->Ok(ui));
      return shell::FormResult::Ok;
    });
    EXPECT_EQ(document.Set().nodes[0].tnshSettings[7], ok ? 0 : 9);
    EXPECT_EQ(document.Modified(), ok);
  }
}

TEST(NodeSheetGTest, CommitStoresTheValuesRead) {
  NodeSheet s;
  s.sheet->Open(s.ui);
  s.Type(0, 0, "212");
  s.Type(0, 1, "1000");
  s.Type(0, 2, "0,01");
  s.Type(0, 3, "7");
  ASSERT_TRUE(s.sheet->Ok(s.ui));
  const model::NodeRecord& node = s.document.Set().nodes[0];
  EXPECT_EQ(node.nodeType, 2);
  EXPECT_EQ(node.composition[0], 1);
  EXPECT_EQ(node.composition[1], 2);
  EXPECT_EQ(node.composition[2], 0);
  EXPECT_EQ(node.gasVolumeUnit, 1000);
  EXPECT_EQ(node.averagingCoefficient, Float32::Of(0.01f));
  EXPECT_EQ(node.reportHour, 7);
}

}  // namespace
}  // namespace tarvo::forms
