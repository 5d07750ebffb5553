#pragma once

#include "forms/node/node_page.h"

namespace tarvo::forms {

// Rows and node types that several variants' pages share.

inline constexpr const char* kTypeAndCompositionText = " Тип и состав узла учета (потребителя)";
inline constexpr const char* kTypeText = " Тип узла учета (потребителя)";
inline constexpr const char* kAveragingText =
    "Коэффициент усреднения массового расхода для закрытых систем";
inline constexpr const char* kAveragingClosedMessage =
    "Коэффициент усреднения массового расхода для закрытых систем должен быть в диапазоне от  до  ";
inline constexpr const char* kAveragingMessage =
    "Коэффициент усреднения массового расхода должен быть в диапазоне от  до  ";

constexpr NodeRowSpec TypeAndCompositionRow() {
  return {
      .cell = NodeCell::TypeAndComposition, .number = 0, .description = kTypeAndCompositionText};
}

constexpr NodeRowSpec AveragingRow(int number, const char* message) {
  return {.cell = NodeCell::Number,
          .number = number,
          .description = kAveragingText,
          .field = NodeFloat<&model::NodeRecord::averagingCoefficient>,
          .upper = 0.05f,
          .message = message};
}

// 0 switches the check off; otherwise 1 to 150 degrees.
constexpr NodeRowSpec MinTemperatureDifferenceRow(int number, std::uint8_t onlyExecutionCode = 0) {
  return {.cell = NodeCell::ZeroOrNumber,
          .number = number,
          .description = "Минимальная разность температур воды в подающем и обратном трубопроводах",
          .field = NodeFloat<&model::NodeRecord::minTemperatureDifference>,
          .lower = 1,
          .upper = 150,
          .message =
              "Минимальная разность температур между прямым и обратным трубопроводом "
              "должна быть в диапазоне от  до  градусов Цельсия",
          .onlyExecutionCode = onlyExecutionCode};
}

constexpr NodeRowSpec TnshRow(int number, std::span<const DigitRange> digits,
                              std::uint8_t onlyExecutionCode = 0) {
  return {
      .cell = NodeCell::Tnsh,
      .number = number,
      .description = " Настройка накопления времени Tнш и приостановки счета при обнаружении НС",
      .tnsh = digits,
      .onlyExecutionCode = onlyExecutionCode};
}

// Node types judged by the number of channels in roles 1..6.

// Pages Л and В.
inline constexpr NodeTypeRule kLvType0{.type = 0,
                                       .roles = {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}};
inline constexpr NodeTypeRule kLvType2{.type = 2,
                                       .roles = {{1, 1}, {1, 1}, {0, 1}, {0, 3}, {0, 0}, {0, 0}}};
inline constexpr NodeTypeRule kLvType3{.type = 3,
                                       .roles = {{1, 1}, {1, 1}, {0, 1}, {0, 3}, {0, 0}, {0, 0}}};
inline constexpr NodeTypeRule kLvType5{.type = 5,
                                       .roles = {{1, 1}, {1, 1}, {0, 0}, {0, 0}, {1, 1}, {1, 1}}};

// Pages У and УВ: one channel in role 1, one in role 2, at most one in role 3; roles 4 to 6 free.
inline constexpr NodeTypeRule kUType2{.type = 2, .roles = {{1, 1}, {1, 1}, {0, 1}, {}, {}, {}}};
inline constexpr NodeTypeRule kUType3{.type = 3, .roles = {{1, 1}, {1, 1}, {0, 1}, {}, {}, {}}};

}  // namespace tarvo::forms
