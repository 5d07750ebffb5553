// The program's number reader against glibc's strtod_l in the "C" locale: the same bits and the
// same characters read for any text. The texts are the input as it is, the input spelt in the
// characters numbers are made of, and the exact midpoint between two neighbouring doubles,
// written out in decimal or hexadecimal and then cut short or nudged.
//
// glibc before 2.41 rounds some hexadecimal texts with a subnormal result one step too low (its
// bug 30220: of the bits shifted out it looks only at the lowest, so a value above a midpoint
// passes for the midpoint and goes to the even neighbour). The reader rounds those correctly; such
// a difference passes when the long double reading shows the value above the midpoint.
#include <fuzzer/FuzzedDataProvider.h>
#include <locale.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "model/number_text.h"

namespace {

bool IsHexadecimal(const std::string& text, std::size_t length) {
  const std::string read = text.substr(0, length);
  return read.find_first_of("xX") != std::string::npos;
}

bool RoundsHexSubnormalUpCorrectly(const std::string& text, locale_t c, double glibc, double read) {
  std::uint64_t glibcBits = 0;
  std::uint64_t readBits = 0;
  std::memcpy(&glibcBits, &glibc, sizeof glibc);
  std::memcpy(&readBits, &read, sizeof read);
  if (std::fabs(glibc) >= DBL_MIN || (glibcBits & 1) != 0 || readBits != glibcBits + 1) {
    return false;
  }
  // Exact in a long double, whose 64 bits and wider exponent also hold the text's value closely
  // enough to tell it from the midpoint when it is not the midpoint.
  const long double midpoint = (static_cast<long double>(glibc) + read) / 2;
  return std::fabs(strtold_l(text.c_str(), nullptr, c)) > std::fabs(midpoint);
}

void CompareWithGlibc(const std::string& text) {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  char* end = nullptr;
  const double expected = strtod_l(text.c_str(), &end, c);
  const tarvo::model::LeadingNumber read = tarvo::model::ReadLeadingNumber(text);
  std::uint64_t expectedBits = 0;
  std::uint64_t readBits = 0;
  std::memcpy(&expectedBits, &expected, sizeof expected);
  std::memcpy(&readBits, &read.value, sizeof read.value);
  const auto length = static_cast<std::size_t>(end - text.c_str());
  if (read.length == length && IsHexadecimal(text, length) &&
      RoundsHexSubnormalUpCorrectly(text, c, expected, read.value)) {
    return;
  }
  if (readBits != expectedBits || read.length != length) {
    std::fprintf(stderr, "text \"%s\": glibc %016llx after %td, read %016llx after %zu\n",
                 text.c_str(), static_cast<unsigned long long>(expectedBits), end - text.c_str(),
                 static_cast<unsigned long long>(readBits), read.length);
    __builtin_trap();
  }
}

std::string InNumberCharacters(const std::string& bytes) {
  static const char kAlphabet[] = "0123456789.eE+-xXpPaAfFnNiI()_ \t";
  std::string text;
  for (unsigned char byte : bytes) text += kAlphabet[byte % (sizeof kAlphabet - 1)];
  return text;
}

std::string Midpoint(FuzzedDataProvider& input) {
  double low = 0;
  const std::uint64_t bits = input.ConsumeIntegral<std::uint64_t>();
  std::memcpy(&low, &bits, sizeof low);
  if (!std::isfinite(low)) low = 1;
  const long double middle =
      (static_cast<long double>(low) + std::nextafter(low, HUGE_VAL)) / 2;  // exact in 64 bits
  char text[1200];
  std::snprintf(text, sizeof text, input.ConsumeBool() ? "%.*Le" : "%.*La",
                input.ConsumeIntegralInRange<int>(0, 1100), middle);
  std::string written = text;
  const std::size_t mantissaEnd = written.find_first_of("ep");
  if (input.ConsumeBool() && mantissaEnd != std::string::npos && mantissaEnd > 2) {
    written[mantissaEnd - 1] = static_cast<char>(input.ConsumeIntegralInRange('0', '9'));
  }
  return written + input.ConsumeRandomLengthString(8);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string whole(reinterpret_cast<const char*>(data), size);
  CompareWithGlibc(whole);  // zero bytes included: both stop at the first
  CompareWithGlibc(InNumberCharacters(whole));
  FuzzedDataProvider input(data, size);
  CompareWithGlibc(Midpoint(input));
  return 0;
}
