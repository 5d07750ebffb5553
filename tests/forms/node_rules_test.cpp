#include "forms/node/node_rules.h"

#include <gtest/gtest.h>

#include "fakes/recording_ui.h"
#include "forms/node/node_page.h"

namespace tarvo::forms {
namespace {

using model::Float32;

model::NodeRecord Composition(std::initializer_list<int> digits) {
  model::NodeRecord node{};
  int i = 0;
  for (const int d : digits) node.composition[i++] = static_cast<std::uint8_t>(d);
  return node;
}

TEST(NodeRulesTest, TypeRuleBoundsDigitsAndCountsOverTheChannelsInUse) {
  const NodeTypeRule roles01{.type = 7, .maxDigit = 1};
  const NodeTypeRule oneEach{.type = 2, .roles = {{1, 1}, {1, 1}, {0, 1}, {}, {}, {}}};
  EXPECT_TRUE(FitsTypeRule(roles01, Composition({1, 1, 0, 2}), 3));  // channel 4 not in use
  EXPECT_FALSE(FitsTypeRule(roles01, Composition({1, 1, 0, 2}), 4));
  EXPECT_TRUE(FitsTypeRule(oneEach, Composition({2, 9, 1, 3, 6, 6}), 6));
  EXPECT_FALSE(FitsTypeRule(oneEach, Composition({2, 1, 3, 3}), 4));
  EXPECT_FALSE(FitsTypeRule(oneEach, Composition({2, 0, 1}), 2));  // role 1 beyond the count
  const NodeTypeRule rules[] = {roles01, oneEach};
  EXPECT_EQ(FindTypeRule(rules, 2), &rules[1]);
  EXPECT_EQ(FindTypeRule(rules, 4), nullptr);
}

TEST(NodeRulesTest, TnshDigitsLoseTheirBlanksAndAreStoredWithZerosAfter) {
  const DigitRange any[] = {{0, 3}, {0, 3}, {0, 3}};
  testing::RecordingUi ui;
  model::NodeRecord node{};
  node.tnshSettings[5] = 7;
  ASSERT_TRUE(ReadTnshDigits("1 2", any, node, ui));
  const std::uint8_t expected[model::kTnshDigits] = {1, 2};
  EXPECT_TRUE(std::equal(expected, expected + model::kTnshDigits, node.tnshSettings));
  EXPECT_FALSE(ReadTnshDigits("1x", any, node, ui));
  EXPECT_FALSE(ReadTnshDigits("14", any, node, ui));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1].text, kTnshMessage);
  EXPECT_EQ(node.tnshSettings[0], 1);  // refused: nothing stored
}

TEST(NodeRulesTest, ZeroOrRange) {
  struct Case {
    const char* text;
    bool accepted;
    Float32 stored;
  };
  for (const Case& c :
       {Case{"0", true, Float32::Of(0.0f)}, Case{"", true, Float32::Of(0.0f)},
        Case{"-0", true, Float32::Of(0.0f)}, Case{"- -", true, Float32::NotSet()},
        Case{"0,5", false, Float32::Of(0.5f)}, Case{"1,5", true, Float32::Of(1.5f)},
        Case{"150", true, Float32::Of(150.0f)}, Case{"151", false, Float32::Of(151.0f)}}) {
    testing::RecordingUi ui;
    Float32 value = Float32::Of(9.0f);
    EXPECT_EQ(CheckZeroOrRange(ui, c.text, value, "от  до  ", 1, 150), c.accepted) << c.text;
    EXPECT_EQ(value, c.stored) << c.text;
    EXPECT_EQ(ui.messages.size(), c.accepted ? 0u : 1u) << c.text;
  }
}

TEST(NodeRulesTest, DigitsTextKeepsEachDigitInItsPlace) {
  const std::uint8_t digits[] = {1, 12, 0, 9};
  EXPECT_EQ(DigitsText(digits, 4), "1?09");
}

}  // namespace
}  // namespace tarvo::forms
