#include "model/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#if defined(__GLIBC__)
#include <locale.h>

#include <cstdlib>
#endif

namespace tarvo::model {
namespace {

using namespace std::string_view_literals;

struct NumberCase {
  std::string_view text;
  std::uint64_t bits;  // of the double glibc's strtod gives in the "C" locale
  std::size_t length;  // characters it reads
};

// Any difference the fuzz target finds becomes a row here.
constexpr NumberCase kCases[] = {
    // Decimal digits with a point; reading stops at the first character that cannot continue.
    {"1"sv, 0x3FF0000000000000, 1},
    {"+3"sv, 0x4008000000000000, 2},
    {"-.5"sv, 0xBFE0000000000000, 3},
    {"1."sv, 0x3FF0000000000000, 2},
    {".5"sv, 0x3FE0000000000000, 2},
    {"007"sv, 0x401C000000000000, 3},
    {"-0"sv, 0x8000000000000000, 2},
    {"0.1"sv, 0x3FB999999999999A, 3},
    {"12.5xyz"sv, 0x4029000000000000, 4},
    {"1,5"sv, 0x3FF0000000000000, 1},
    {"7 8"sv, 0x401C000000000000, 1},
    {"1..2"sv, 0x3FF0000000000000, 2},
    // Halfway cases round to even; digits beyond the 17th still decide.
    {"9007199254740993"sv, 0x4340000000000000, 16},
    {"9007199254740995"sv, 0x4340000000000002, 16},
    {"9007199254740993.000000000000000000001"sv, 0x4340000000000001, 38},
    {"00000000000000000000000000001e-5"sv, 0x3EE4F8B588E368F1, 32},
    {"0.000000000000000000000000000000000000000000001e45"sv, 0x3FF0000000000000, 50},
    // An exponent needs a digit; beyond the range an infinity or a signed zero, denormals kept.
    {"1e3"sv, 0x408F400000000000, 3},
    {"1E+3"sv, 0x408F400000000000, 4},
    {"1e-3"sv, 0x3F50624DD2F1A9FC, 4},
    {"1e+"sv, 0x3FF0000000000000, 1},
    {"1e+-2"sv, 0x3FF0000000000000, 1},
    {"1e0x10"sv, 0x3FF0000000000000, 3},
    {"1.7976931348623158e308"sv, 0x7FEFFFFFFFFFFFFF, 22},
    {"1.7976931348623159e308"sv, 0x7FF0000000000000, 22},
    {"1e309"sv, 0x7FF0000000000000, 5},
    {"-1e309"sv, 0xFFF0000000000000, 6},
    {"1e99999999999999999999"sv, 0x7FF0000000000000, 22},
    {"0e99999999999"sv, 0x0000000000000000, 13},
    {"0.0001e-99999999999"sv, 0x0000000000000000, 19},
    {"2.2250738585072014e-308"sv, 0x0010000000000000, 23},
    {"2.2250738585072011e-308"sv, 0x000FFFFFFFFFFFFF, 23},
    {"2.4703282292062328e-324"sv, 0x0000000000000001, 23},
    {"2.4703282292062327e-324"sv, 0x0000000000000000, 23},
    {"1e-400"sv, 0x0000000000000000, 6},
    {"-1e-400"sv, 0x8000000000000000, 7},
    {"1e-99999999999999999999"sv, 0x0000000000000000, 23},
    // "0x" with no hexadecimal digit is the number 0; hexadecimal floats round like decimals.
    {"0x10"sv, 0x4030000000000000, 4},
    {"0X1F"sv, 0x403F000000000000, 4},
    {"-0x10"sv, 0xC030000000000000, 5},
    {"0x1e"sv, 0x403E000000000000, 4},
    {"0x"sv, 0x0000000000000000, 1},
    {"-0x"sv, 0x8000000000000000, 2},
    {"0x."sv, 0x0000000000000000, 1},
    {"0x.8"sv, 0x3FE0000000000000, 4},
    {"0x8."sv, 0x4020000000000000, 4},
    {"0xp1"sv, 0x0000000000000000, 1},
    {"0x1p"sv, 0x3FF0000000000000, 3},
    {"0x1p4"sv, 0x4030000000000000, 5},
    {"0x1P-2"sv, 0x3FD0000000000000, 6},
    {"0x1p1.5"sv, 0x4000000000000000, 5},
    {"0x1.8p1"sv, 0x4008000000000000, 7},
    {"0x0p99999999999"sv, 0x0000000000000000, 15},
    {"0x1p-1074"sv, 0x0000000000000001, 9},
    {"0x1.8p-1075"sv, 0x0000000000000001, 11},
    {"0x1.fffffffffffffp1023"sv, 0x7FEFFFFFFFFFFFFF, 22},
    {"0x1.fffffffffffff8p1023"sv, 0x7FF0000000000000, 23},
    {"0x1p1024"sv, 0x7FF0000000000000, 8},
    {"0x1p99999999999999999999"sv, 0x7FF0000000000000, 24},
    {"-0x1p-99999999999999999999"sv, 0x8000000000000000, 26},
    {"0x123456789abcdef123"sv, 0x44323456789ABCDF, 20},
    {"0x1.00000000000008p0"sv, 0x3FF0000000000000, 20},
    {"0x1.00000000000018p0"sv, 0x3FF0000000000002, 20},
    {"0x1.000000000000080000001p0"sv, 0x3FF0000000000001, 27},
    // Infinities and nans are recognised so that callers can refuse them; glibc keeps a nan's
    // written payload in its mantissa.
    {"inf"sv, 0x7FF0000000000000, 3},
    {"-Inf"sv, 0xFFF0000000000000, 4},
    {"infinity"sv, 0x7FF0000000000000, 8},
    {"INFINITY"sv, 0x7FF0000000000000, 8},
    {"infinit"sv, 0x7FF0000000000000, 3},
    {"in"sv, 0x0000000000000000, 0},
    {"nan"sv, 0x7FF8000000000000, 3},
    {"-nan"sv, 0xFFF8000000000000, 4},
    {"nan("sv, 0x7FF8000000000000, 3},
    {"nan()"sv, 0x7FF8000000000000, 5},
    {"nan(1"sv, 0x7FF8000000000000, 3},
    {"nan(123)"sv, 0x7FF800000000007B, 8},
    {"-nan(1)"sv, 0xFFF8000000000001, 7},
    {"nan(0x1f)"sv, 0x7FF800000000001F, 9},
    {"nan(017)"sv, 0x7FF800000000000F, 8},
    {"nan(08)"sv, 0x7FF8000000000000, 7},
    {"nan(abc_1)"sv, 0x7FF8000000000000, 10},
    {"nan(0x)"sv, 0x7FF8000000000000, 7},
    {"nan(99999999999999999999999)"sv, 0x7FFFFFFFFFFFFFFF, 28},
    {"nan(0x8000000000001)"sv, 0x7FF8000000000001, 20},
    {"nan( 1)"sv, 0x7FF8000000000000, 3},
    // No number: nothing read, +0 whatever the sign.
    {""sv, 0x0000000000000000, 0},
    {"-"sv, 0x0000000000000000, 0},
    {"+"sv, 0x0000000000000000, 0},
    {"."sv, 0x0000000000000000, 0},
    {"-."sv, 0x0000000000000000, 0},
    {"+-1"sv, 0x0000000000000000, 0},
    {"- 1"sv, 0x0000000000000000, 0},
    {".e1"sv, 0x0000000000000000, 0},
    {"\t-"sv, 0x0000000000000000, 0},
    // Blanks as the "C" locale knows them, and a zero byte ending the text.
    {" \t\n\v\f\r12"sv, 0x4028000000000000, 8},
    {"\t-1"sv, 0xBFF0000000000000, 3},
    {"\xa0"
     "1"sv,
     0x0000000000000000, 0},
    {"1\0"
     "5"sv,
     0x3FF0000000000000, 1},
    {"nan(1\0"
     ")"sv,
     0x7FF8000000000000, 3},
};

// Hexadecimal texts with a subnormal result that glibc before 2.41 rounds one step too low (its
// bug 30220); the reader rounds them correctly, as later glibc does. The first was found by the
// fuzz target.
constexpr NumberCase kCorrectedCases[] = {{"0xf.c0000087b0084p-1030"sv, 0x0000FC0000087B01, 23},
                                          {"0x30000002222225p-1077"sv, 0x0006000000444445, 22},
                                          {"-0x0.7fffffffffffeap-1022"sv, 0x8007FFFFFFFFFFFF, 25}};

class ReadLeadingNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ReadLeadingNumberTest, ReadsAsGlibcInTheCLocale) {
  const NumberCase& c = GetParam();
  const LeadingNumber read = ReadLeadingNumber(c.text);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(read.value), c.bits)
      << ::testing::PrintToString(std::string(c.text)) << " read as " << read.value;
  EXPECT_EQ(read.length, c.length) << ::testing::PrintToString(std::string(c.text));
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadLeadingNumberTest, ::testing::ValuesIn(kCases));
INSTANTIATE_TEST_SUITE_P(CorrectedTexts, ReadLeadingNumberTest,
                         ::testing::ValuesIn(kCorrectedCases));

#if defined(__GLIBC__)
// The rows are glibc's own answers: they hold the Windows build to the Linux one.
TEST(ReadLeadingNumberTableTest, RowsAreGlibcsAnswers) {
  const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  ASSERT_NE(c, static_cast<locale_t>(0));
  std::vector<NumberCase> rows(std::begin(kCases), std::end(kCases));
  if (__GLIBC__ > 2 || __GLIBC_MINOR__ >= 41) {
    rows.insert(rows.end(), std::begin(kCorrectedCases), std::end(kCorrectedCases));
  }
  for (const NumberCase& row : rows) {
    const std::string text(row.text);
    char* end = nullptr;
    const double value = strtod_l(text.c_str(), &end, c);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(value), row.bits) << ::testing::PrintToString(text);
    EXPECT_EQ(static_cast<std::size_t>(end - text.c_str()), row.length)
        << ::testing::PrintToString(text);
  }
  freelocale(c);
}
#endif

}  // namespace
}  // namespace tarvo::model
