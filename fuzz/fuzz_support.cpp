#include "fuzz_support.h"

#include <array>

#include "sim/configuration_image.h"

namespace tarvo::fuzz {

namespace {

constexpr std::array<const char*, 40> kTroublemakers = {
    "",
    " ",
    "-",
    "--",
    "---------",
    "0",
    "0,5",
    "1.5",
    "-0",
    "+5",
    ",",
    ".",
    "nan",
    "NaN",
    "-nan",
    "inf",
    "-inf",
    "Infinity",
    "1e39",
    "-1e39",
    "1e-46",
    "3.4028236e38",
    "0x1p3",
    "1e",
    ":",
    "9:",
    "\xEF\xBC\x91\xEF\xBC\x92",  // full-width 1 2
    "\xD9\xA3",
    "\xDB\xB9",  // Arabic-Indic and extended Arabic-Indic digits
    "\xFF\xFE",
    "\xD0",
    "\xC0\x80",
    "\xED\xA0\x80",  // invalid UTF-8
    "\x01\t\r\n\x7F",
    "1\n2",
    "\xD0\x99",
    "\xE2\x82\xAC",  // Й, euro sign
    "99999999",
    "123456789",
    "0000000000"};

constexpr char kNumberChars[] = "0123456789.,-+eE :";

}  // namespace

std::string HostileText(FuzzedDataProvider& input) {
  switch (input.ConsumeIntegralInRange<int>(0, 4)) {
    case 0:
      return kTroublemakers[input.ConsumeIntegralInRange<std::size_t>(0,
                                                                      kTroublemakers.size() - 1)];
    case 1: {
      std::string text;
      const int length = input.ConsumeIntegralInRange<int>(0, 12);
      for (int i = 0; i < length; ++i) {
        text += kNumberChars[input.ConsumeIntegralInRange<std::size_t>(0, sizeof kNumberChars - 2)];
      }
      return text;
    }
    case 2: {
      const std::string unit =
          kTroublemakers[input.ConsumeIntegralInRange<std::size_t>(0, kTroublemakers.size() - 1)];
      const int count = input.ConsumeIntegralInRange<int>(1, 3000);
      std::string text;
      for (int i = 0; i < count && text.size() < 6000; ++i) text += unit.empty() ? "9" : unit;
      return text;
    }
    default:
      return input.ConsumeRandomLengthString(700);
  }
}

HeldConfiguration HoldNewConfiguration(std::uint8_t code, std::uint8_t version) {
  HeldConfiguration held{{}, sim::DeviceModel({code, version, {0, 0}})};
  model::MakeNewConfiguration(held.configured, code, version);
  held.configured.headerEnabled = 1;
  held.configured.headerText[0] = 'A';
  std::string message;
  sim::LoadConfiguration(held.device, held.configured, message);
  return held;
}

}  // namespace tarvo::fuzz
