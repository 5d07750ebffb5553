#include "forms/channel/type_code_helper.h"

#include <gtest/gtest.h>

#include <memory>

#include "fakes/recording_ui.h"
#include "forms/variant_pages.h"
#include "model/document.h"

namespace tarvo::forms {
namespace {

using Values = std::vector<int>;

Values Range(int first, int last) {
  Values values;
  for (int v = first; v <= last; ++v) values.push_back(v);
  return values;
}
Values Join(Values a, const Values& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A channel page of a new configuration and its type code helper, opened on the page's cell.
struct Helped {
  Helped(std::uint8_t executionCode, int channel) {
    document.NewConfiguration(executionCode);
    document.Set().checkForStart = 0;
    page = PagesOf(document.Set().Variant())->channel(document.Set(), channel - 1);
    page->Fill();
    Open();
  }
  void Open() {
    ASSERT_TRUE(page->Rows()[0].helper);
    opened = page->Rows()[0].helper();
    opened->Fill();
    helper = dynamic_cast<TypeCodeHelperForm*>(opened.get());
    ASSERT_NE(helper, nullptr);
  }
  // The entry of a position's list that offers the value, as the list shows it.
  std::string EntryOf(int position, const std::string& value) const {
    for (const std::string& entry : helper->Rows()[position].entries) {
      if (entry == value || entry.rfind(value + " — ", 0) == 0) return entry;
    }
    return "(no entry " + value + ")";
  }
  model::ConfigurationDocument document;
  std::unique_ptr<ChannelPage> page;
  std::unique_ptr<RowHelperForm> opened;
  TypeCodeHelperForm* helper = nullptr;
  testing::RecordingUi ui;
};

// The values each position offers, as the variants' type code tables allow them.
struct Offer {
  const char* name;
  std::uint8_t executionCode;
  int channel;
  std::vector<Values> offered;
};

class TypeCodeHelperOffers : public ::testing::TestWithParam<Offer> {};

TEST_P(TypeCodeHelperOffers, OnlyTheValuesTheVariantAllows) {
  const Offer& c = GetParam();
  Helped h(c.executionCode, c.channel);
  EXPECT_EQ(h.helper->Offered(), c.offered);
  ASSERT_EQ(h.helper->Rows().size(), c.offered.size() + 1);
  for (std::size_t p = 0; p < c.offered.size(); ++p) {
    EXPECT_EQ(h.helper->Rows()[p].kind, CellKind::DropDown);
    EXPECT_EQ(h.helper->Rows()[p].entries.size(), c.offered[p].size()) << p;
    EXPECT_GE(h.helper->Rows()[p].selected, 0) << p;
  }
}

TEST_P(TypeCodeHelperOffers, EveryChoiceComposesACodeThePageAccepts) {
  const Offer& c = GetParam();
  Helped h(c.executionCode, c.channel);
  for (std::size_t p = 0; p < c.offered.size(); ++p) {
    for (std::size_t i = 0; i < c.offered[p].size(); ++i) {
      ASSERT_FALSE(h.helper->Choose(static_cast<int>(p), static_cast<int>(i)).error);
      EXPECT_EQ(h.helper->Rows()[p].selected, static_cast<int>(i)) << "kept what was chosen";
      const std::string code = h.helper->Code();
      EXPECT_EQ(h.helper->Rows().back().Text(), code);
      ASSERT_TRUE(h.helper->Submit(h.ui).accepted) << code;
      EXPECT_EQ(h.page->Rows()[0].Text(), code);
      // Another row may still refuse (an incomplete table of a flowmeter), never the code.
      EXPECT_NE(h.page->Submit(h.ui).row, 0) << code << ": " << h.ui.messages.back().text;
    }
  }
}

const Values kAnyV = Range(0, 9);
const Values kRestrictedFlowV = {0, 4, 5, 7, 8, 9};
const Values kThermometersV = Join({0}, Range(4, 8));

INSTANTIATE_TEST_SUITE_P(
    EveryVariant, TypeCodeHelperOffers,
    ::testing::Values(
        Offer{"G42",
              0x42,
              1,
              {Range(0, 9), Range(0, 4), Range(0, 7), Range(0, 3), Range(0, 3), Range(0, 3),
               Range(0, 8)}},
        Offer{"G47",
              0x47,
              2,
              {Range(0, 11), Range(0, 9), Join(Range(0, 5), Range(7, 9)), Range(0, 9), Range(0, 9),
               Range(0, 9), Range(0, 9)}},
        Offer{"U50",
              0x50,
              1,
              {Join(Range(0, 12), {21, 22}), Range(0, 5), Range(0, 5), Range(0, 3), Range(0, 3),
               Range(0, 3), Range(0, 8)}},
        Offer{"U51",
              0x51,
              1,
              {Range(0, 1), Range(0, 5), Range(0, 5), Range(0, 3), Range(0, 3), Range(0, 3),
               Range(0, 8)}},
        Offer{"U52",
              0x52,
              3,
              {{0, 1, 2, 3, 5},
               Range(0, 5),
               Range(0, 5),
               Range(0, 3),
               Range(0, 3),
               Range(0, 3),
               Range(0, 8)}},
        Offer{"U53",
              0x53,
              1,
              {Join(Range(0, 5), Range(12, 29)), Range(0, 5), Range(0, 5), Range(0, 3), Range(0, 3),
               Range(0, 3), Range(0, 8)}},
        Offer{"L1", 0x49, 1, {{0, 1}, {0, 5}, Range(0, 3), kThermometersV}},
        Offer{"L3", 0x49, 3, {{0, 1}, {0, 5}, {0}, kThermometersV}},
        Offer{"UV", 0x60, 1, {{0, 1}, Range(0, 5), Range(0, 3), Range(0, 8)}},
        Offer{"V40ch1", 0x40, 1, {{0, 1}, kRestrictedFlowV, Range(0, 3), kThermometersV}},
        Offer{"V40ch5", 0x40, 5, {{0, 1}, kRestrictedFlowV, {0}, {0}}},
        Offer{"V41ch2", 0x41, 2, {{0, 1}, kAnyV, Range(0, 3), kThermometersV}},
        Offer{"V44ch3", 0x44, 3, {{0, 1}, kRestrictedFlowV, {0}, kThermometersV}},
        Offer{"V46ch4", 0x46, 4, {{0, 1}, kAnyV, Range(0, 3), kThermometersV}},
        Offer{"V46ch5", 0x46, 5, {{0, 1}, kRestrictedFlowV, {0}, {0}}}),
    [](const auto& info) { return std::string(info.param.name); });

// What an entry says: the value, what it stands for and the rows it adds to the demands.
struct Meaning {
  std::uint8_t executionCode;
  int channel;
  int position;  // 0-based
  const char* value;
  const char* entry;
};

class TypeCodeHelperMeanings : public ::testing::TestWithParam<Meaning> {};

TEST_P(TypeCodeHelperMeanings, EntrySaysWhatTheValueDemands) {
  const Meaning& c = GetParam();
  Helped h(c.executionCode, c.channel);
  EXPECT_EQ(h.EntryOf(c.position, c.value), c.entry);
}

INSTANTIATE_TEST_SUITE_P(
    EveryVariant, TypeCodeHelperMeanings,
    ::testing::Values(
        Meaning{0x42, 1, 0, "0", "0 — канал не используется, остальные позиции должны быть 0"},
        Meaning{0x42, 1, 0, "2", "2 — насыщенный пар; требуются K120, K121"},
        Meaning{0x42, 1, 0, "5", "5 — природный газ; требуются K161"},
        Meaning{0x42, 1, 6, "1", "1 — с токовым выходом; требуются K122, K123"},
        Meaning{0x42, 1, 5, "2", "2 — требуются K117"},
        Meaning{0x42, 1, 1, "0", "0 — преобразователи расхода не допускаются"},
        Meaning{0x50, 1, 0, "04",
                "04 — электросчетчик; электросчетчик задается только кодом 04450000; требуются "
                "K0109, K0110"},
        Meaning{0x50, 2, 0, "05", "05 — природный газ; требуются K0219, K0225, K0258"},
        Meaning{0x49, 1, 1, "5", "5 — расходомер; требуются K101, K123, K126"},
        Meaning{0x49, 2, 2, "3", "3 — требуются K214"},
        Meaning{0x60, 1, 3, "2", "2 — с токовым выходом; требуются K109, K110"},
        Meaning{0x46, 1, 1, "3", "3 — требуются K101–K104"},
        Meaning{0x46, 1, 1, "4", "4 — требуются K101–K105"},
        Meaning{0x46, 2, 2, "1", "1 — требуются K223"}));

TEST(TypeCodeHelperTest, ChoosingAdjustsTheOtherPositionsAndOkEntersTheCode) {
  Helped h(0x50, 1);
  ASSERT_FALSE(h.page->EnterCell(0, 0, "05312300").error);
  h.Open();
  EXPECT_EQ(h.helper->Code(), "05312300");
  // The meter takes its one code; flow method 0 clears the transducers.
  h.helper->Choose(0, 4);
  EXPECT_EQ(h.helper->Code(), "04450000");
  h.helper->Choose(0, 1);
  h.helper->Choose(1, 0);
  EXPECT_EQ(h.helper->Code(), "01000000");
  const Verdict verdict = h.helper->Submit(h.ui);
  EXPECT_TRUE(verdict.accepted);
  EXPECT_EQ(h.page->Rows()[0].Text(), "01000000");
  EXPECT_EQ(h.helper->entered.changedRows, std::vector<int>{0});
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST(TypeCodeHelperTest, ARefusedCellOpensOnTheNearestAcceptedCode) {
  Helped h(0x42, 1);
  ASSERT_FALSE(h.page->EnterCell(0, 0, "5012000").error);
  h.Open();
  // Flow method 0 takes no transducer: the transducers give way, the medium stays.
  EXPECT_EQ(h.helper->Code(), "5000000");
  ASSERT_FALSE(h.page->EnterCell(0, 0, "5x").error);
  h.Open();
  EXPECT_EQ(h.helper->Code(), "0000000");
}

}  // namespace
}  // namespace tarvo::forms
