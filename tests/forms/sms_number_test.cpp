#include "forms/system/sms_number.h"

#include <gtest/gtest.h>

#include <memory>

namespace tarvo::forms {
namespace {

std::unique_ptr<model::ParameterSet> ResetSet() {
  auto set = std::make_unique<model::ParameterSet>();
  set->Reset();
  return set;
}

TEST(CheckSmsNumberTest, PadsBothPartsAndSucceeds) {
  auto set = ResetSet();
  std::string message = "old";
  EXPECT_TRUE(CheckSmsNumber("12", "3456789", 1, true, *set, message));
  EXPECT_STREQ(set->sms1First.chars, "12000000");
  EXPECT_STREQ(set->sms1Second.chars, "34567890");
  EXPECT_EQ(message, "");
  EXPECT_STREQ(set->sms2First.chars, "00000000");
}

TEST(CheckSmsNumberTest, ReadsOnlyTheEditedCharacters) {
  auto set = ResetSet();
  std::string message;
  EXPECT_TRUE(CheckSmsNumber("12345", "123456789", 2, false, *set, message));
  EXPECT_STREQ(set->sms2First.chars, "12300000");
  EXPECT_STREQ(set->sms2Second.chars, "12345670");
}

struct Case {
  const char* first;
  const char* second;
  int interfaceNumber;
  bool addSuffix;
  const char* message;
};

class CheckSmsNumberFailures : public ::testing::TestWithParam<Case> {};

TEST_P(CheckSmsNumberFailures, GivesThePartAndTheSuffix) {
  const Case& c = GetParam();
  auto set = ResetSet();
  std::string message;
  EXPECT_FALSE(CheckSmsNumber(c.first, c.second, c.interfaceNumber, c.addSuffix, *set, message));
  EXPECT_EQ(message, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, CheckSmsNumberFailures,
    ::testing::Values(
        Case{"1a", "", 2, true,
             "Ошибочно задана первая часть телефонного номера для передачи SMS через интерфейс №2"},
        Case{"1a", "", 1, false,
             "Ошибочно задана первая часть телефонного номера для передачи SMS"},
        Case{"1 2", "", 1, false,
             "Ошибочно задана первая часть телефонного номера для передачи SMS"},
        Case{"123", "12,4", 1, true,
             "Ошибочно задана вторая часть телефонного номера для передачи SMS через интерфейс "
             "№1"},
        Case{"", "ф", 2, false,
             "Ошибочно задана вторая часть телефонного номера для передачи SMS"}),
    [](const ::testing::TestParamInfo<Case>& info) { return "Case" + std::to_string(info.index); });

// A zero byte in a cell once ended the check and was stored among the digits.
TEST(CheckSmsNumberTest, RefusesAZeroByteInEitherPart) {
  struct ZeroCase {
    std::string_view first;
    std::string_view second;
    const char* message;
  };
  const ZeroCase cases[] = {
      {std::string_view("\0", 1), "",
       "Ошибочно задана первая часть телефонного номера для передачи SMS"},
      {"1", std::string_view("12\0", 3),
       "Ошибочно задана вторая часть телефонного номера для передачи SMS"},
  };
  for (const ZeroCase& c : cases) {
    auto set = ResetSet();
    std::string message;
    EXPECT_FALSE(CheckSmsNumber(c.first, c.second, 1, false, *set, message));
    EXPECT_EQ(message, c.message);
  }
}

TEST(CheckSmsNumberTest, StoresThePaddedTextEvenWhenItFails) {
  auto set = ResetSet();
  std::string message;
  EXPECT_FALSE(CheckSmsNumber("9x", "1", 1, false, *set, message));
  EXPECT_STREQ(set->sms1First.chars, "9x000000");
  // The second part is not read after a bad first part.
  EXPECT_STREQ(set->sms1Second.chars, "00000000");
}

}  // namespace
}  // namespace tarvo::forms
