#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/parameter_set.h"

namespace tarvo::forms {

// The tail of a channel record as pages В and УВ show it: archive value kind, flow range
// control and the failure list, each a run of "1" and "0" characters.

inline constexpr const char* kArchiveKindDescription =
    " Вид архивных значений температуры и давления";
inline constexpr const char* kFlowRangeControlDescription =
    " Контроль выхода расхода за нижний и верхний пределы измерений";
inline constexpr const char* kFailureListDescription =
    " Перечень НС, являющихся признаком функционального отказа";

inline constexpr const char* kArchiveKindMessage =
    "Ошибочно задан параметр <Вид архивных значений температуры и давления>";
inline constexpr const char* kFlowRangeControlMessage =
    "Ошибочно задан параметр <Контроль выхода объемного расхода за нижний и верхний пределы "
    "измерений>";
inline constexpr const char* kFailureListMessage =
    "Ошибочно задан параметр <Перечень НС, являющихся признаком функционального отказа на узле "
    "учета>";

inline constexpr int kDigitPairLength = 2;

// Up to count characters, blanks removed, each "1" or "0"; character i gives bit i and missing
// characters give 0. Nothing when any other character is there, or more than count.
std::optional<std::uint32_t> ReadBinaryDigits(std::string_view text, int count);

// "%d%d" of two digit bytes.
std::string DigitPairText(const std::uint8_t (&digits)[2]);
// Bit i of the value as character i + 1, for count bits.
std::string BitsText(std::uint32_t bits, int count);
// The two digits from bits 0 and 1.
void SetDigitPair(std::uint8_t (&digits)[2], std::uint32_t bits);

}  // namespace tarvo::forms
