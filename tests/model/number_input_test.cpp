#include "model/number_input.h"

#include <gtest/gtest.h>

#include <string>

#include "model/number_text.h"
#include "model/value_text.h"

namespace tarvo::model {
namespace {

struct InputCase {
  const char* text;
  NumberInput expected;
};

constexpr InputCase kCases[] = {
    // What a value cell shows or the user finishes typing.
    {"", NumberInput::Complete},
    {"0", NumberInput::Complete},
    {"12,5", NumberInput::Complete},
    {"-0.25", NumberInput::Complete},
    {"+7", NumberInput::Complete},
    {"1.", NumberInput::Complete},
    {",5", NumberInput::Complete},
    {"1e5", NumberInput::Complete},
    {"2,5E-3", NumberInput::Complete},
    {" 42 ", NumberInput::Complete},
    {"-", NumberInput::Complete},
    {"---------", NumberInput::Complete},
    {"- - -", NumberInput::Complete},
    // Starts that typing completes.
    {" ", NumberInput::Partial},
    {"+", NumberInput::Partial},
    {",", NumberInput::Partial},
    {"-.", NumberInput::Partial},
    {"1e", NumberInput::Partial},
    {"1e-", NumberInput::Partial},
    // Garbage: nothing makes a number of it.
    {"温温温", NumberInput::Refused},
    {"1😀5", NumberInput::Refused},
    {"12abc", NumberInput::Refused},
    {"1,5,5", NumberInput::Refused},
    {"1.5,", NumberInput::Refused},
    {"--5", NumberInput::Refused},
    {"- 5", NumberInput::Refused},
    {"1 5", NumberInput::Refused},
    {"1e5.5", NumberInput::Refused},
    {"e5", NumberInput::Refused},
    {"0x1A", NumberInput::Refused},
    {"inf", NumberInput::Refused},
    {"nan", NumberInput::Refused},
    {"1\t", NumberInput::Refused},
    {"++1", NumberInput::Refused},
};

class NumberInputCase : public ::testing::TestWithParam<InputCase> {};

TEST_P(NumberInputCase, Classified) {
  EXPECT_EQ(ClassifyNumberInput(GetParam().text), GetParam().expected) << GetParam().text;
}

// A complete number is one the reading rule reads to its last character, so what a cell shows is
// what is stored: nothing after it is silently dropped.
TEST_P(NumberInputCase, ACompleteNumberIsReadWhole) {
  const std::string text = GetParam().text;
  if (GetParam().expected != NumberInput::Complete || text.empty() || IsDashes(text)) return;
  std::string number = CommaToPoint(text);
  while (!number.empty() && number.back() == ' ') number.pop_back();
  EXPECT_EQ(ReadLeadingNumber(number).length, number.size()) << text;
}

INSTANTIATE_TEST_SUITE_P(Texts, NumberInputCase, ::testing::ValuesIn(kCases));

}  // namespace
}  // namespace tarvo::model
