#include "forms/channel/type_code_positions.h"

#include <gtest/gtest.h>

#include <memory>

#include "fakes/recording_ui.h"
#include "forms/variant_pages.h"
#include "model/document.h"

namespace tarvo::forms {
namespace {

constexpr const char* kFirstLine = "Ошибочно задан параметр <Вид носителя и тип преобразователей>";

// A refused type code: the page's message names the position and the rule on its second line.
struct Refusal {
  std::uint8_t executionCode;
  int channel;  // 1-based
  const char* code;
  const char* why;
};

class TypeCodeRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(TypeCodeRefusal, SaysWhichPositionBreaksWhichRule) {
  const Refusal& c = GetParam();
  model::ConfigurationDocument document;
  document.NewConfiguration(c.executionCode);
  document.Set().checkForStart = 0;
  const auto page = PagesOf(document.Set().Variant())->channel(document.Set(), c.channel - 1);
  page->Fill();
  ASSERT_FALSE(page->EnterCell(0, 0, c.code).error);
  testing::RecordingUi ui;
  const Verdict verdict = page->Submit(ui);
  EXPECT_FALSE(verdict.accepted);
  EXPECT_EQ(verdict.row, 0);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Ошибка");
  EXPECT_EQ(ui.messages[0].text, std::string(kFirstLine) + "\n" + c.why);
}

INSTANTIATE_TEST_SUITE_P(
    EveryVariant, TypeCodeRefusal,
    ::testing::Values(
        // Г: largest characters, the flow method and its transducers, execution 47, medium 0.
        Refusal{0x42, 1, "A100000", "позиция 1 (вид носителя) = A: допустимы 0–9"},
        Refusal{0x42, 1, "5x", "позиция 2 (способ измерения расхода) = «x»: допустимы 0–4"},
        Refusal{0x42, 1, "5180000",
                "позиция 3 (тип 1-го преобразователя расхода) = 8: допустимы 0–7"},
        Refusal{0x42, 1, "5012000",
                "позиция 2 (способ измерения расхода) = 0: преобразователи расхода не допускаются, "
                "а позиции 3 = 1 и 4 = 2"},
        Refusal{0x43, 2, "5412000",
                "позиция 2 (способ измерения расхода) = 4: допускается не более одного "
                "преобразователя расхода, а позиции 3 = 1 и 4 = 2"},
        Refusal{0x47, 1, "5160000",
                "позиция 3 (тип 1-го преобразователя расхода) = 6: при исполнении 47 допустимы "
                "0–5, 7–9"},
        Refusal{0x42, 1, "0100000",
                "позиция 1 (вид носителя) = 0: канал не используется, остальные позиции должны "
                "быть 0, а позиция 2 = 1"},
        // У: flow method 0 with a transducer, the media of an execution, the meter.
        Refusal{0x50, 1, "05050000",
                "позиция 3 (способ измерения расхода) = 0: преобразователи расхода не "
                "допускаются, а позиция 4 = 5"},
        Refusal{0x51, 1, "02000000",
                "позиции 1–2 (вид носителя) = 02: при исполнении 51 допустимы 00, 01"},
        Refusal{0x53, 2, "30",
                "позиции 1–2 (вид носителя) = 30: при исполнении 53 допустимы 00–05, 12–29"},
        Refusal{0x50, 1, "05100000",
                "позиция 3 (способ измерения расхода) = 1: нужен хотя бы один преобразователь "
                "расхода, а позиции 4 = 0, 5 = 0 и 6 = 0"},
        Refusal{0x50, 1, "05412000",
                "позиция 3 (способ измерения расхода) = 4: допускается только 1-й преобразователь "
                "расхода, а позиция 5 = 2"},
        Refusal{0x50, 1, "04450010",
                "позиции 1–2 (вид носителя) = 04: электросчетчик задается только кодом 04450000, "
                "а позиция 7 = 1"},
        Refusal{0x50, 1, "0441",
                "позиции 1–2 (вид носителя) = 04: электросчетчик задается только кодом 04450000, "
                "а позиция 4 = 1"},
        // Л: the channel decides the pressure transducer.
        Refusal{0x49, 3, "1010",
                "позиция 3 (тип преобразователя давления) = 1: на канале 3 допустимо только 0"},
        Refusal{0x49, 1, "1300", "позиция 2 (тип преобразователя расхода) = 3: допустимы 0, 5"},
        Refusal{0x49, 1, "1002", "позиция 4 (тип термопреобразователя) = 2: допустимы 0, 4–8"},
        // УВ.
        Refusal{0x60, 1, "1600", "позиция 2 (тип преобразователя расхода) = 6: допустимы 0–5"},
        Refusal{0x60, 1, "0100",
                "позиция 1 (вид носителя) = 0: канал не используется, остальные позиции должны "
                "быть 0, а позиция 2 = 1"},
        // В: the execution code and the channel decide positions 2 to 4.
        Refusal{0x40, 1, "1100",
                "позиция 2 (тип преобразователя расхода) = 1: на канале 1 при исполнении 40 "
                "допустимы 0, 4, 5, 7–9"},
        Refusal{0x40, 5, "1004",
                "позиция 4 (тип термопреобразователя) = 4: на канале 5 при исполнении 40 "
                "допустимо только 0"},
        Refusal{0x41, 3, "1020",
                "позиция 3 (тип преобразователя давления) = 2: на канале 3 при исполнении 41 "
                "допустимо только 0"},
        Refusal{0x46, 1, "2", "позиция 1 (вид носителя) = 2: допустимы 0, 1"}));

}  // namespace
}  // namespace tarvo::forms
