#include "forms/node/node_sheet.h"

#include <gtest/gtest.h>

#include "fakes/recording_ui.h"
#include "model/document.h"
#include "shell/guarded_edit.h"

namespace tarvo::forms {
namespace {

using model::Float32;
using model::NodeRecord;

struct OpeningCase {
  const char* name;
  std::uint8_t executionCode;
  int pages;
  const char* firstTab;
  void (*notCarried)(NodeRecord& node);  // a field no row of the page carries
  bool (*isReset)(const NodeRecord& node);
  void (*breaksRule)(NodeRecord& node);
  const char* message;
};

const OpeningCase kOpeningCases[] = {
    {"L", 0x49, 2, "Узел учета 1", [](NodeRecord& n) { n.gasVolumeUnit = 1000; },
     [](const NodeRecord& n) { return n.gasVolumeUnit == 1; },
     [](NodeRecord& n) { n.nodeType = 4; }, "Ошибочно задан тип узла учета"},
    {"V46", 0x46, 2, "Узел учета 1", [](NodeRecord& n) { n.reportHour = 5; },
     [](const NodeRecord& n) { return n.reportHour == 0; },
     [](NodeRecord& n) { n.tnshSettings[4] = 1; },
     "Ошибочно задан параметр <Настройка накопления времени Tнш и приостановки счета при "
     "обнаружении НС>"},
    {"UV", 0x60, 6, "Узел учета 1", [](NodeRecord& n) { n.gasVolumeUnit = 1000; },
     [](const NodeRecord& n) { return n.gasVolumeUnit == 1; },
     [](NodeRecord& n) { n.hourlyMassAlgorithm = 4; },
     "Ошибочно задан алгоритм использования константы часовой массы"},
    {"U", 0x50, 16, "Узел учета 01",
     [](NodeRecord& n) { n.hourlyMassConstant = Float32::Of(5.0f); },
     [](const NodeRecord& n) { return n.hourlyMassConstant.IsNotSet(); },
     [](NodeRecord& n) { n.composition[3] = 7; }, "Ошибочно задан состав узла учета"},
    {"U53", 0x53, 10, "Узел учета 01",
     [](NodeRecord& n) { n.minTemperatureDifference = Float32::Of(5.0f); },
     [](const NodeRecord& n) { return n.minTemperatureDifference.IsNotSet(); },
     [](NodeRecord& n) { n.reportHour = 3; },
     "Отчетный час суток должен быть в диапазоне от 00 до 23 (кроме 02 и 03)"},
};

class NodeSheetOpening : public ::testing::TestWithParam<OpeningCase> {};

// The sheet leaves page 1 once as it opens: it is checked and committed there and then.
TEST_P(NodeSheetOpening, CommitsPageOneAtOpening) {
  const OpeningCase& c = GetParam();
  model::ConfigurationDocument document;
  document.NewConfiguration(c.executionCode);
  model::ParameterSet& set = document.Set();
  c.notCarried(set.nodes[0]);
  c.notCarried(set.nodes[1]);
  std::string message;
  auto sheet = MakeNodeSheet(set, message);
  ASSERT_NE(sheet, nullptr) << message;
  EXPECT_EQ(sheet->Caption(), "Параметры узлов учета (потребителей)");
  ASSERT_EQ(sheet->PageCount(), c.pages);
  EXPECT_EQ(sheet->PageAt(0).tabTitle, c.firstTab);
  testing::RecordingUi ui;
  sheet->Open(ui);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(c.isReset(set.nodes[0]));
  EXPECT_FALSE(c.isReset(set.nodes[1]));  // never shown: neither filled nor checked

  model::ConfigurationDocument broken;
  broken.NewConfiguration(c.executionCode);
  c.notCarried(broken.Set().nodes[0]);
  c.breaksRule(broken.Set().nodes[0]);
  auto brokenSheet = MakeNodeSheet(broken.Set(), message);
  brokenSheet->Open(ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, c.message);
  EXPECT_EQ(brokenSheet->ActiveIndex(), 0);
  EXPECT_FALSE(c.isReset(broken.Set().nodes[0]));  // refused: nothing committed
}

INSTANTIATE_TEST_SUITE_P(EveryVariant, NodeSheetOpening, ::testing::ValuesIn(kOpeningCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The pages of В (46) and УВ carry every field a new configuration sets: opening the sheet and
// pressing OK without an edit leaves the configuration unmodified.
TEST(NodeSheetTest, OkWithoutAnEditKeepsANewConfigurationUnmodified) {
  for (const std::uint8_t code : {0x46, 0x60}) {
    model::ConfigurationDocument document;
    document.NewConfiguration(code);
    shell::GuardedEdit(document, [&](model::ParameterSet& set) {
      std::string message;
      auto sheet = MakeNodeSheet(set, message);
      testing::RecordingUi ui;
      sheet->Open(ui);
      EXPECT_TRUE(sheet->Ok(ui));
      EXPECT_TRUE(ui.messages.empty());
      return shell::FormResult::Ok;
    });
    EXPECT_FALSE(document.Modified()) << int{code};
  }
}

}  // namespace
}  // namespace tarvo::forms
