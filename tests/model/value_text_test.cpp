#include "model/value_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace tarvo::model {
namespace {

struct FormatCase {
  float value;
  const char* text;
};

class FormatValueTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatValueTest, Text) {
  EXPECT_EQ(FormatValue(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatValueTest,
    ::testing::Values(FormatCase{1.16f, "1,16"}, FormatCase{0.1f, "0,1"}, FormatCase{12.5f, "12,5"},
                      FormatCase{-0.25f, "-0,25"}, FormatCase{100.0f, "100"},
                      FormatCase{2500000.0f, "2500000"}, FormatCase{999999.9f, "999999,9"},
                      FormatCase{1234567.0f, "1234567"}, FormatCase{0.0f, "0"},
                      FormatCase{-0.0f, "0"},
                      FormatCase{0.00000004f, "0"},  // rounds to "0.0000000", then trimmed
                      FormatCase{-0.00000004f, "-0"}, FormatCase{0.0012345678f, "0,0012346"},
                      FormatCase{9.9999999f, "10"}, FormatCase{-50.0f, "-50"},
                      FormatCase{101.325f, "101,325"}, FormatCase{1e6f, "1000000"},
                      FormatCase{3.4e38f, "339999995214436424907732413799364296704"},
                      FormatCase{-3.4028235e38f, "-340282346638528859811704183484516925440"}));

TEST(FormatValueTest, NotSetAndSpecialValues) {
  EXPECT_EQ(FormatValue(Float32::NotSet()), "-");
  EXPECT_EQ(FormatValue(std::numeric_limits<float>::infinity()), "inf");
  EXPECT_EQ(FormatValue(-std::numeric_limits<float>::infinity()), "-inf");
}

TEST(FormatValueTest, IgnoresTheUsersLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  // A decimal-comma locale, where one is installed; the test is meaningful only then.
  const bool switched = std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") != nullptr ||
                        std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
  EXPECT_EQ(FormatValue(12.5f), "12,5");
  EXPECT_EQ(ReadValueText("1.5"), Float32::Of(1.5f));
  EXPECT_EQ(ReadValueText("1,5"), Float32::Of(1.5f));
  std::setlocale(LC_NUMERIC, saved.c_str());
  if (!switched) GTEST_SKIP() << "no decimal-comma locale installed";
}

struct ReadCase {
  const char* text;
  double number;
};

class ReadNumberTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumberTest, AsAtofReads) {
  EXPECT_DOUBLE_EQ(ReadNumber(GetParam().text), GetParam().number) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadNumberTest,
                         ::testing::Values(ReadCase{"", 0}, ReadCase{"abc", 0},
                                           ReadCase{"  12.5xyz", 12.5}, ReadCase{"+3", 3},
                                           ReadCase{"-.5", -0.5}, ReadCase{"1e3", 1000},
                                           ReadCase{"1,5", 1}, ReadCase{"0x10", 16},
                                           ReadCase{"7 8", 7}));

TEST(ReadValueTextTest, CellTexts) {
  EXPECT_EQ(ReadValueText("1,5"), Float32::Of(1.5f));
  EXPECT_EQ(ReadValueText(""), Float32::Of(0.0f));
  EXPECT_TRUE(ReadValueText("- - -").IsNotSet());
  EXPECT_TRUE(ReadValueText("-").IsNotSet());
  EXPECT_EQ(ReadValueText("-5"), Float32::Of(-5.0f));
  EXPECT_EQ(ReadValueText("1e39"), Float32::Of(std::numeric_limits<float>::infinity()));
  EXPECT_EQ(ReadValueText("-1e400"), Float32::Of(-std::numeric_limits<float>::infinity()));
  EXPECT_TRUE(std::isnan(ReadValueText("nan").Value()));
}

TEST(TextTestsTest, IsDashes) {
  EXPECT_TRUE(IsDashes("---"));
  EXPECT_TRUE(IsDashes(" - -"));
  EXPECT_FALSE(IsDashes(""));
  EXPECT_FALSE(IsDashes("   "));
  EXPECT_FALSE(IsDashes("-1"));
  EXPECT_FALSE(IsDashes("\t-"));  // only blanks are removed
}

TEST(TextTestsTest, CommaToPointReplacesOnlyTheFirst) {
  EXPECT_EQ(CommaToPoint("1,5,6"), "1.5,6");
  EXPECT_EQ(CommaToPoint("15"), "15");
}

TEST(TextTestsTest, HasCharOutside) {
  EXPECT_FALSE(HasCharOutside("0123456789", '0', '9'));
  EXPECT_TRUE(HasCharOutside("12a", '0', '9'));
  EXPECT_TRUE(HasCharOutside("1 2", '0', '9'));
  EXPECT_TRUE(HasCharOutside("1Я", '0', '9'));  // bytes above 0x7F are outside, not negative
  // A zero byte is outside too: a cell holding one is no digit string.
  EXPECT_TRUE(HasCharOutside(std::string_view("12\0ab", 5), '0', '9'));
  EXPECT_TRUE(HasCharOutside(std::string_view("12\0", 3), '0', '9'));
  EXPECT_FALSE(HasCharOutside("", '0', '9'));
}

TEST(TextTestsTest, IsNotSetBytes) {
  const unsigned char marker[4] = {0xFF, 0xFF, 0xFF, 0xFF};
  const unsigned char almost[4] = {0xFF, 0xFF, 0xFF, 0x7F};
  EXPECT_TRUE(IsNotSet(marker));
  EXPECT_FALSE(IsNotSet(almost));
  Float32 value = Float32::Of(1.0f);
  SetNotSet(value);
  EXPECT_TRUE(value.IsNotSet());
}

TEST(TextTestsTest, FirstCharsCountsCharactersNotBytes) {
  EXPECT_EQ(FirstChars("абвгдежзий", 9), "абвгдежзи");
  EXPECT_EQ(FirstChars("1234567890", 9), "123456789");
  EXPECT_EQ(FirstChars("12", 9), "12");
}

}  // namespace
}  // namespace tarvo::model
