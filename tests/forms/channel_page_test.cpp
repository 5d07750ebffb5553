#include "forms/channel/channel_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "fakes/recording_ui.h"
#include "forms/channel/channel_page_g.h"
#include "forms/channel/channel_page_l.h"
#include "forms/channel/channel_page_u.h"
#include "forms/channel/channel_page_uv.h"
#include "forms/channel/channel_page_v.h"
#include "forms/channel/channel_sheet.h"
#include "forms/channel/copy_channel_dlg.h"
#include "forms/channel/type_code_positions.h"
#include "forms/form_messages.h"
#include "forms/number_row.h"
#include "model/document.h"
#include "shell/guarded_edit.h"

namespace tarvo::forms {
namespace {

using model::Float32;
using model::ParameterSet;

Bounds CutOffBounds(const ParameterSet& working, int index) {
  return {Float32::Of(0.0f), working.channels[index].Slot(1)};
}

const NumberRowSpec kRows[] = {
    {2, " Верхний предел", ChannelSlot<1>, 0.0f, 100.0f, "Предел должен быть от  до  "},
    {6, " Отсечка", ChannelSlot<5>, 0.0f, 0.0f, "Отсечка не выше предела", CutOffBounds},
};

const CompletionRule kCompletion[] = {
    {1, "Необходимо задать предел"},
    {5, "Необходимо задать отсечку",
     [](const model::ChannelRecord& r) { return r.typeDigit7 != 0; }},
};

// A page of the shape every variant's page has: a type row, number rows from a table and
// start-of-counting demands.
class TestPage : public ChannelPage {
 public:
  TestPage(ParameterSet& set, int index) : ChannelPage(set, index) {
    rows.push_back(TextRow(ChannelCode(set.Variant(), index, 0), " Тип", 2));
    for (const auto& spec : kRows) AddNumberRow(spec, {set.Variant(), index, false});
  }
  int fills = 0;

 protected:
  void FillCells() override {
    ++fills;
    const auto& record = set_.channels[ChannelIndex()];
    rows[0].Text() = std::to_string(record.mediumKind) + std::to_string(record.typeDigit7);
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
      FillNumberRow(rows[i + 1], kRows[i], set_, ChannelIndex());
    }
  }
  bool CheckRows(ParameterSet& working, platform::Ui& ui) override {
    auto& record = working.channels[ChannelIndex()];
    const std::string type = rows[0].Text() + "00";
    if (type[0] < '0' || type[0] > '9' || type[1] < '0' || type[1] > '9') {
      return ShowError(ui, "Ошибочно задан тип");
    }
    record.mediumKind = static_cast<std::uint8_t>(type[0] - '0');
    record.typeDigit7 = static_cast<std::uint8_t>(type[1] - '0');
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
      if (!CheckNumberRow(rows[i + 1], kRows[i], working, ChannelIndex(), ui)) return false;
    }
    return true;
  }
  TypeCodeLayout TypeCode() const override { return TypeCodeLayoutL(ChannelIndex()); }
  std::span<const CompletionRule> CompletionRules(const model::ChannelRecord&) const override {
    return kCompletion;
  }
};

std::unique_ptr<ChannelPage> MakeTestPage(ParameterSet& set, int index) {
  return std::make_unique<TestPage>(set, index);
}

struct Sheet {
  explicit Sheet(std::uint8_t executionCode = 0x50) {
    document.NewConfiguration(executionCode);
    sheet = MakeChannelSheet(document.Set(), MakeTestPage);
  }
  ParameterSet& Set() { return document.Set(); }
  TestPage& Page(int i) { return static_cast<TestPage&>(sheet->PageAt(i)); }
  model::ConfigurationDocument document;
  std::unique_ptr<PropertySheet> sheet;
  testing::RecordingUi ui;
};

TEST(ChannelCodeTest, FixedCodesSpellTheTenthChannelOut) {
  struct Case {
    model::DeviceVariant variant;
    int index;
    int number;
    const char* code;
  };
  const Case cases[] = {
      {model::DeviceVariant::G, 0, 0, "K100"},    {model::DeviceVariant::G, 9, 0, "K1000"},
      {model::DeviceVariant::L, 9, 0, "K1000"},   {model::DeviceVariant::G, 9, 70, "K1070"},
      {model::DeviceVariant::V, 2, 50, "K350"},   {model::DeviceVariant::U, 0, 0, "K0100"},
      {model::DeviceVariant::U, 11, 26, "K1226"}, {model::DeviceVariant::UV, 9, 14, "K1014"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChannelCode(c.variant, c.index, c.number), c.code) << c.code;
  }
}

TEST(ChannelSheetTest, CaptionAndTabTitles) {
  Sheet u(0x53);
  EXPECT_EQ(u.sheet->Caption(), "Параметры каналов учета (трубопроводов)");
  ASSERT_EQ(u.sheet->PageCount(), 10);
  EXPECT_EQ(u.sheet->PageAt(0).tabTitle, "Канал учета 01");
  EXPECT_EQ(u.sheet->PageAt(9).tabTitle, "Канал учета 10");
  Sheet g(0x47);
  EXPECT_EQ(g.sheet->PageAt(2).tabTitle, "Канал учета 3");
  EXPECT_EQ(g.Page(2).Rows()[1].code, "K302");
  EXPECT_NE(g.Page(0).FindButton(ChannelPage::kCopyButton), nullptr);
}

TEST(ChannelSheetTest, MakingPagesChangesNothingInTheSet) {
  model::ConfigurationDocument document;
  document.NewConfiguration(0x47);
  std::fill_n(document.Set().pageFilled, model::kMaxChannels, 1);
  const auto before = std::make_unique<model::ParameterSet>(document.Set());
  std::string message;
  const auto sheet = MakeChannelSheet(document.Set(), message);
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(std::memcmp(before.get(), &document.Set(), sizeof(model::ParameterSet)), 0);
  EXPECT_EQ(sheet->PageAt(1).EnterCell(1, 0, "12345").error, std::nullopt);
  sheet->PageAt(1).Fill();
  EXPECT_NE(sheet->PageAt(1).Rows()[1].Text(), "12345")
      << "a new page fills once whatever the flag";
}

TEST(ChannelSheetTest, FirstPageIsLeftFreelyOnlyAtOpening) {
  Sheet s;
  s.Set().checkForStart = 0;
  s.sheet->Open(s.ui);
  EXPECT_EQ(s.sheet->ActiveIndex(), 0);
  EXPECT_EQ(s.Page(0).EnterCell(1, 0, "500").error, std::nullopt);  // out of range
  // The user's own first leave of page 1 is checked.
  EXPECT_FALSE(s.sheet->Select(1, s.ui));
  ASSERT_EQ(s.ui.messages.size(), 1u);
  EXPECT_EQ(s.ui.messages[0].text, "Предел должен быть от 0 до 100 ");
  EXPECT_EQ(s.ui.messages[0].caption, "Ошибка");
  EXPECT_EQ(s.sheet->ActiveIndex(), 0);
  EXPECT_EQ(s.Page(0).EnterCell(1, 0, "50").error, std::nullopt);
  EXPECT_TRUE(s.sheet->Select(1, s.ui));
  EXPECT_EQ(s.Set().channels[0].Slot(1), Float32::Of(50.0f));
  EXPECT_EQ(s.Page(0).LeaveCount(), 3);
}

TEST(ChannelSheetTest, OtherPagesHaveNoFreeLeave) {
  Sheet s;
  s.sheet->Open(s.ui);
  ASSERT_TRUE(s.sheet->Select(1, s.ui));  // page 1 holds a new channel: medium 0, nothing demanded
  // A cut-off above a not-set limit (counts as 0).
  EXPECT_EQ(s.Page(1).EnterCell(2, 0, "1").error, std::nullopt);
  EXPECT_FALSE(s.sheet->Select(0, s.ui));
  ASSERT_EQ(s.ui.messages.size(), 1u);
  EXPECT_EQ(s.ui.messages[0].text, "Отсечка не выше предела");
}

TEST(ChannelSheetTest, CompletionChecksFollowTheSwitchAndTheMedium) {
  Sheet s;
  s.sheet->Open(s.ui);
  EXPECT_EQ(s.Page(0).EnterCell(0, 0, "1").error, std::nullopt);
  EXPECT_FALSE(s.sheet->Ok(s.ui));
  ASSERT_EQ(s.ui.messages.size(), 1u);
  EXPECT_EQ(s.ui.messages[0].text, "Необходимо задать предел");
  EXPECT_EQ(s.ui.messages[0].caption, "Ошибка (невозможен пуск на счет)");
  EXPECT_EQ(s.ui.messages[0].icon, platform::Icon::Error);
  EXPECT_EQ(s.Page(0).EnterCell(1, 0, "10").error, std::nullopt);
  EXPECT_EQ(s.Page(0).EnterCell(0, 0, "13").error, std::nullopt);
  EXPECT_FALSE(s.sheet->Ok(s.ui));
  EXPECT_EQ(s.ui.messages.back().text, "Необходимо задать отсечку");
  s.Set().checkForStart = 0;
  EXPECT_TRUE(s.sheet->Ok(s.ui));
  EXPECT_EQ(s.Set().channels[0].mediumKind, 1);
  EXPECT_EQ(s.Set().channels[0].typeDigit7, 3);
}

// While the switch is on, every demanded cell that holds no value carries its demand, from the
// type code as typed; a value the page refuses elsewhere does not hide the others.
TEST(ChannelSheetTest, DemandedCellsWithoutAValueAreMarked) {
  struct Step {
    int row;
    const char* text;
    const char* limitDemand;
    const char* cutOffDemand;
  };
  const char* limit = "Необходимо задать предел";
  const char* cutOff = "Необходимо задать отсечку";
  const Step steps[] = {
      {0, "10", limit, ""},      {0, "13", limit, cutOff}, {1, "500", "", cutOff},
      {1, "- -", limit, cutOff}, {2, "1", limit, ""},      {0, "03", "", ""},
  };
  Sheet s;
  s.sheet->Open(s.ui);
  Page& page = s.sheet->PageAt(0);
  for (const Row& row : page.Rows()) EXPECT_EQ(row.demand, "") << "medium 0 demands nothing";
  for (const Step& step : steps) {
    const EntryResult entered = page.EnterCell(step.row, 0, step.text);
    ASSERT_EQ(entered.error, std::nullopt);
    EXPECT_EQ(page.Rows()[1].demand, step.limitDemand) << step.text;
    EXPECT_EQ(page.Rows()[2].demand, step.cutOffDemand) << step.text;
    const std::vector<Demand> demands = page.UnmetDemands();
    const std::size_t marked = (*step.limitDemand != 0) + (*step.cutOffDemand != 0);
    EXPECT_EQ(demands.size(), marked) << step.text;
  }
  // A change of mark is a change the window redraws.
  EXPECT_EQ(page.EnterCell(0, 0, "13").changedRows, (std::vector<int>{0, 1}));
  s.Set().checkForStart = 0;
  EXPECT_TRUE(page.UnmetDemands().empty());
  EXPECT_EQ(page.EnterCell(0, 0, "13").changedRows, (std::vector<int>{1}));
}

TEST(ChannelSheetTest, DashesStoreNotSetAndEmptyStoresZero) {
  Sheet s;
  s.sheet->Open(s.ui);
  EXPECT_EQ(s.Page(0).EnterCell(1, 0, " - -").error, std::nullopt);
  EXPECT_EQ(s.Page(0).EnterCell(2, 0, "").error, std::nullopt);
  EXPECT_TRUE(s.sheet->Ok(s.ui));
  EXPECT_TRUE(s.Set().channels[0].Slot(1).IsNotSet());
  EXPECT_EQ(s.Set().channels[0].Slot(5), Float32::Of(0.0f));
}

TEST(ChannelSheetTest, TypedValuesSurviveSwitchingPages) {
  Sheet s;
  s.sheet->Open(s.ui);
  ASSERT_TRUE(s.sheet->Select(1, s.ui));
  EXPECT_EQ(s.Page(1).EnterCell(1, 0, "12abc").error, std::nullopt);
  ASSERT_TRUE(s.sheet->Select(0, s.ui));
  ASSERT_TRUE(s.sheet->Select(1, s.ui));
  EXPECT_EQ(s.Page(1).Rows()[1].Text(), "12abc");
  EXPECT_EQ(s.Page(1).fills, 1);
  EXPECT_EQ(s.Set().channels[1].Slot(1), Float32::Of(12.0f));
}

TEST(ChannelSheetTest, CopyRefillsTheTargetPageWithTheSourceValues) {
  Sheet s;
  s.Set().checkForStart = 0;
  s.sheet->Open(s.ui);
  ASSERT_TRUE(s.sheet->Select(2, s.ui));
  EXPECT_EQ(s.Page(2).EnterCell(1, 0, "77").error, std::nullopt);
  ASSERT_TRUE(s.sheet->Select(0, s.ui));  // page 3 committed 77
  EXPECT_EQ(s.Set().channels[2].Slot(1), Float32::Of(77.0f));
  EXPECT_EQ(s.Page(0).EnterCell(1, 0, "1,5").error, std::nullopt);
  auto dialog = s.Page(0).Press(ChannelPage::kCopyButton, s.ui).dialog;
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(s.Set().channels[0].Slot(1), Float32::Of(1.5f));  // the copy button validated first
  dialog->Fill();
  EXPECT_EQ(dialog->SetChecked(2, true).error, std::nullopt);
  dialog->Press(CCopyChannelDlg::kCopyButton, s.ui);
  EXPECT_EQ(s.Set().pageFilled[2], 0);
  EXPECT_EQ(s.Set().pageFilled[0], 1);
  ASSERT_TRUE(dialog->Submit(s.ui).accepted);
  ASSERT_TRUE(s.sheet->Select(2, s.ui));
  EXPECT_EQ(s.Page(2).Rows()[1].Text(), "1,5");
  EXPECT_EQ(s.Page(2).fills, 2);
}

TEST(ChannelSheetTest, CopyButtonDoesNotOpenTheDialogAfterAFailedCheck) {
  Sheet s;
  s.sheet->Open(s.ui);
  EXPECT_EQ(s.Page(0).EnterCell(1, 0, "101").error, std::nullopt);
  EXPECT_EQ(s.Page(0).Press(ChannelPage::kCopyButton, s.ui).outcome, PressResult::Outcome::Refused);
  EXPECT_EQ(s.ui.messages.size(), 1u);
}

TEST(ChannelSheetTest, CancelRestoresAndOkWithoutAnEditLeavesTheDocumentUnmodified) {
  Sheet s;
  const auto run = [&](bool ok) {
    return shell::GuardedEdit(s.document, [&](ParameterSet& set) {
      s.sheet = MakeChannelSheet(set, MakeTestPage);
      s.sheet->Open(s.ui);
      if (!ok) {
        EXPECT_EQ(s.Page(0).EnterCell(1, 0, "9").error, std::nullopt);
        EXPECT_TRUE(s.sheet->Select(1, s.ui));  // committed while the sheet is open
        EXPECT_EQ(set.channels[0].Slot(1), Float32::Of(9.0f));
        s.sheet->Cancel();
        return shell::FormResult::Cancel;
      }
      EXPECT_TRUE(s.sheet->Ok(s.ui));
      return shell::FormResult::Ok;
    });
  };
  run(true);
  EXPECT_FALSE(s.document.Modified());
  run(false);
  EXPECT_TRUE(s.Set().channels[0].Slot(1).IsNotSet());
  EXPECT_FALSE(s.document.Modified());
}

TEST(ChannelSheetTest, ASheetWithoutPagesNeverFails) {
  model::ConfigurationDocument document;  // counts of 0, as after a failed read
  auto sheet = MakeChannelSheet(document.Set(), MakeTestPage);
  testing::RecordingUi ui;
  sheet->Open(ui);
  EXPECT_EQ(sheet->ActiveIndex(), -1);
  EXPECT_EQ(sheet->ActivePage(), nullptr);
  EXPECT_FALSE(sheet->Select(0, ui));
  EXPECT_TRUE(sheet->Ok(ui));
  EXPECT_TRUE(ui.messages.empty());
}

template <typename PageClass>
bool Is(Page& page) {
  return dynamic_cast<PageClass*>(&page) != nullptr;
}

TEST(ChannelSheetTest, EveryVariantHasItsPagesAndAConfigurationNotLoadedNone) {
  const struct {
    std::uint8_t code;
    bool (*isVariantPage)(Page&);
  } cases[] = {{0x46, Is<CChannel_V_Page>},
               {0x47, Is<CChannel_G_Page>},
               {0x50, Is<CChannel_U_Page>},
               {0x60, Is<CChannel_UV_Page>},
               {0x49, Is<CChannel_L_Page>}};
  for (const auto& c : cases) {
    model::ConfigurationDocument document;
    document.NewConfiguration(c.code);
    std::string message;
    const auto sheet = MakeChannelSheet(document.Set(), message);
    ASSERT_NE(sheet, nullptr) << int{c.code};
    ASSERT_EQ(sheet->PageCount(), document.Set().channelCount) << int{c.code};
    EXPECT_TRUE(c.isVariantPage(sheet->PageAt(0))) << int{c.code};
  }
  model::ConfigurationDocument document;
  std::string message;
  EXPECT_EQ(MakeChannelSheet(document.Set(), message), nullptr);
  EXPECT_EQ(message, "Конфигурация не загружена: параметров каналов учета нет.");
}

}  // namespace
}  // namespace tarvo::forms
