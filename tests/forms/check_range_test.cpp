#include "model/check_range.h"
#include "forms/form_messages.h"

#include <gtest/gtest.h>

#include "fakes/recording_ui.h"

namespace tarvo::forms {
using model::BuildRangeMessage;
using model::Float32;
namespace {

constexpr const char* kTemplate =
    "Договорная температура наружного воздуха должна быть в диапазоне от  до  градусов Цельсия";

struct RangeCase {
  const char* cell;
  bool accepted;
  Float32 stored;
};

class CheckRangeTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(CheckRangeTest, AcceptsOrReports) {
  const RangeCase c = GetParam();
  testing::RecordingUi ui;
  Float32 destination = Float32::Of(123.0f);
  EXPECT_EQ(CheckRange(ui, c.cell, destination, kTemplate, -50.0f, 50.0f), c.accepted);
  EXPECT_EQ(destination, c.stored) << "the value read is stored either way, unless not finite";
  if (c.accepted) {
    EXPECT_TRUE(ui.messages.empty());
  } else {
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Договорная температура наружного воздуха должна быть в диапазоне от -50 до 50 "
              "градусов Цельсия");
    EXPECT_EQ(ui.messages[0].caption, "Ошибка");
    EXPECT_EQ(ui.messages[0].icon, platform::Icon::Error);
    EXPECT_EQ(ui.messages[0].buttons, platform::Buttons::Ok);
  }
}

INSTANTIATE_TEST_SUITE_P(Cells, CheckRangeTest,
                         ::testing::Values(RangeCase{"-50", true, Float32::Of(-50.0f)},
                                           RangeCase{"50", true, Float32::Of(50.0f)},
                                           RangeCase{"1,5", true, Float32::Of(1.5f)},
                                           RangeCase{"", true, Float32::Of(0.0f)},
                                           RangeCase{"- -", true, Float32::NotSet()},
                                           RangeCase{"50,001", false, Float32::Of(50.001f)},
                                           RangeCase{"-51", false, Float32::Of(-51.0f)},
                                           RangeCase{"1e39", false, Float32::Of(123.0f)}));

// Typing stops at nine characters; a longer cell is a stored value's text (-1e8 shows ten
// characters), and reading only nine of them once stored -1e7 when the form was merely left.
TEST(CheckRangeTest, ReadsTheWholeCell) {
  testing::RecordingUi ui;
  Float32 destination{};
  EXPECT_TRUE(CheckRange(ui, "-100000000", destination, "x", -1e9f, 1e9f));
  EXPECT_EQ(destination, Float32::Of(-1e8f));
  EXPECT_FALSE(CheckRange(ui, "0000000251", destination, kTemplate, -50.0f, 50.0f));
  EXPECT_EQ(destination, Float32::Of(251.0f));
}

TEST(CheckRangeTest, NanIsRejected) {
  testing::RecordingUi ui;
  Float32 destination{};
  EXPECT_FALSE(CheckRange(ui, "nan", destination, kTemplate, -50.0f, 50.0f));
  EXPECT_EQ(ui.messages.size(), 1u);
}

TEST(CheckRangeTest, NotSetBoundCountsAsZero) {
  testing::RecordingUi ui;
  Float32 destination{};
  EXPECT_TRUE(CheckRange(ui, "0", destination, "x", Float32::NotSet(), Float32::Of(1.0f)));
  EXPECT_FALSE(CheckRange(ui, "-1", destination, "x", Float32::NotSet(), Float32::Of(1.0f)));
}

struct MessageCase {
  const char* messageTemplate;
  float lower;
  float upper;
  const char* message;
};

class RangeMessageTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(RangeMessageTest, Inserts) {
  const MessageCase c = GetParam();
  EXPECT_EQ(BuildRangeMessage(c.messageTemplate, Float32::Of(c.lower), Float32::Of(c.upper)),
            c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Templates, RangeMessageTest,
    ::testing::Values(MessageCase{"Значение в диапазоне от  до  МПа", 0.08f, 0.11f,
                                  "Значение в диапазоне от 0,08 до 0,11 МПа"},
                      MessageCase{"Без диапазона", 1, 2, "Без диапазона"},
                      MessageCase{"Только от  и всё", 1, 2, "Только от 1 и всё"},
                      MessageCase{"Только до  и всё", 1, 2, "Только до 2 и всё"},
                      MessageCase{"Дважды от  до  и от  до ", 1, 2, "Дважды от 1 до 2 и от  до "},
                      MessageCase{"от  до  в начале", 1, 2,
                                  "от  до 2 в начале"}));  // " от  " needs its blank

}  // namespace
}  // namespace tarvo::forms
