#include "model/code_page.h"

#include <gtest/gtest.h>

namespace tarvo::model {
namespace {

TEST(CodePageTest, Cp1251RoundTripsEveryByte) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const Cp1251Result back = Utf8ToCp1251(Cp1251ToUtf8(all));
  ASSERT_TRUE(back.ok) << back.Message();
  EXPECT_EQ(back.bytes, all);
}

TEST(CodePageTest, KnownCharacters) {
  EXPECT_EQ(Cp1251ToUtf8("\xC0\xFF\xA8\xB8\xB9\x96"), "АяЁё№–");
  EXPECT_EQ(Utf8ToCp1251("Отчет №1").bytes,
            "\xCE\xF2\xF7\xE5\xF2 \xB9"
            "1");
}

struct BadCase {
  const char* utf8;
  char32_t badChar;
  std::size_t position;
  const char* message;
};

class Utf8ToCp1251BadTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(Utf8ToCp1251BadTest, ReportsCharacterAndPosition) {
  const BadCase c = GetParam();
  const Cp1251Result result = Utf8ToCp1251(c.utf8);
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.bytes.empty());
  EXPECT_EQ(result.badChar, c.badChar);
  EXPECT_EQ(result.position, c.position);
  EXPECT_EQ(result.Message(), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Utf8ToCp1251BadTest,
    ::testing::Values(
        BadCase{"ab✓c", 0x2713, 3,
                "Символ «✓» (U+2713) в позиции 3 нельзя записать в кодировке Windows-1251"},
        BadCase{"Привет, 世界", 0x4E16, 9,
                "Символ «世» (U+4E16) в позиции 9 нельзя записать в кодировке Windows-1251"},
        BadCase{"x\xC3", 0xFFFFFFFF, 2, "Неверная последовательность байтов UTF-8 в позиции 2"},
        BadCase{"\xC0\x80", 0xFFFFFFFF, 1, "Неверная последовательность байтов UTF-8 в позиции 1"},
        BadCase{"ok 😀", 0x1F600, 4,
                "Символ «😀» (U+1F600) в позиции 4 нельзя записать в кодировке Windows-1251"}));

struct Cp866Case {
  std::uint8_t cp866;
  std::uint8_t cp1251;
};

class Cp866Test : public ::testing::TestWithParam<Cp866Case> {};

TEST_P(Cp866Test, BothDirections) {
  EXPECT_EQ(Cp866ToCp1251(GetParam().cp866), GetParam().cp1251);
  EXPECT_EQ(Cp1251ToCp866(GetParam().cp1251), GetParam().cp866);
}

INSTANTIATE_TEST_SUITE_P(Letters, Cp866Test,
                         ::testing::Values(Cp866Case{0x80, 0xC0},  // А
                                           Cp866Case{0x9F, 0xDF},  // Я
                                           Cp866Case{0xAF, 0xEF},  // п
                                           Cp866Case{0xE0, 0xF0},  // р
                                           Cp866Case{0xEF, 0xFF},  // я
                                           Cp866Case{0xF0, 0xA8},  // Ё
                                           Cp866Case{0xF1, 0xB8},  // ё
                                           Cp866Case{0xFC, 0xB9},  // №
                                           Cp866Case{0x41, 0x41}, Cp866Case{0x0D, 0x0D},
                                           Cp866Case{0x00, 0x00}));

TEST(Cp866Test, EveryCyrillicLetterSurvivesTheDevice) {
  for (int b = 0xC0; b <= 0xFF; ++b) {
    const auto byte = static_cast<std::uint8_t>(b);
    EXPECT_EQ(Cp866ToCp1251(Cp1251ToCp866(byte)), byte) << b;
  }
}

TEST(Cp866Test, BoxDrawingAndUnknownBytes) {
  EXPECT_EQ(Cp866ToCp1251(0xB0), 0xB0);  // passed through unchanged
  EXPECT_EQ(Cp866ToCp1251(0xDF), 0xDF);
  EXPECT_EQ(Cp866ToCp1251(0xFB), '?');   // √ has no place in 1251
  EXPECT_EQ(Cp866ToCp1251(0xFE), '?');   // ■ neither
  EXPECT_EQ(Cp1251ToCp866(0x96), 0x96);  // a dash 866 cannot hold passes unchanged
}

}  // namespace
}  // namespace tarvo::model
