#include "forms/system/system_form_spec.h"

namespace tarvo::forms {

namespace {

using F = SystemField;

constexpr const char* kMode = " Режим работы вычислителя";
constexpr const char* kDaylight = " Автоматический перевод часов на летнее/зимнее время";
constexpr const char* kColdWater = " Договорная температура холодной воды, град.С";
constexpr const char* kBaroPressure = " Договорное барометрическое давление, МПа";
constexpr const char* kCorrection =
    " Признак коррекции условно-корректируемых параметров в режиме счета";
constexpr const char* kSmsFirst = " Первая часть телефонного номера для передачи SMS";
constexpr const char* kSmsSecond = " Вторая часть телефонного номера для передачи SMS";
constexpr const char* kSmsFirst1 =
    " Первая часть телефонного номера для передачи SMS через интерфейс №1";
constexpr const char* kSmsSecond1 =
    " Вторая часть телефонного номера для передачи SMS через интерфейс №1";
constexpr const char* kSmsFirst2 =
    " Первая часть телефонного номера для передачи SMS через интерфейс №2";
constexpr const char* kSmsSecond2 =
    " Вторая часть телефонного номера для передачи SMS через интерфейс №2";

constexpr SystemRowSpec kRowsV[] = {
    {F::ModeSpec, "K003", 0, kMode, 2},
    {F::ColdWaterTemp, nullptr, 4, kColdWater, 9},
    {F::DaylightSaving, "K017", 0, kDaylight, 0},
    {F::Sms1First, "K019", 0, kSmsFirst, 3, kSmsFirst1},
    {F::Sms1Second, "K020", 0, kSmsSecond, 7, kSmsSecond1},
    {F::Sms2First, "K034", 0, kSmsFirst2, 3},
    {F::Sms2Second, "K035", 0, kSmsSecond2, 7},
};

constexpr SystemRowSpec kRowsG[] = {
    {F::ModeSpec, "K003", 0, kMode, 4},
    {F::DaylightSaving, "K018", 0, kDaylight, 0},
    {F::ColdWaterTemp, nullptr, 20, kColdWater, 9},
    {F::BaroPressure, nullptr, 23, kBaroPressure, 9},
    {F::Sms1First, "K025", 0, kSmsFirst, 3, kSmsFirst1},
    {F::Sms1Second, "K026", 0, kSmsSecond, 7, kSmsSecond1},
    {F::CorrectionFlag, "K028", 0, kCorrection, 1},
    {F::Sms2First, "K034", 0, kSmsFirst2, 3},
    {F::Sms2Second, "K035", 0, kSmsSecond2, 7},
};

constexpr SystemRowSpec kRowsU[] = {
    {F::ModeSpec, "K0003", 0, kMode, 8},
    {F::BaroUpperLimit, nullptr, 4,
     " Верхний предел измерений преобразователя барометрического давления, МПа", 9},
    {F::DaylightSaving, "K0018", 0, kDaylight, 0},
    {F::ColdWaterTemp, nullptr, 20, kColdWater, 9},
    {F::BaroPressure, nullptr, 23, kBaroPressure, 9},
    {F::OutdoorTemp, nullptr, 26, " Договорная температура наружного воздуха, град.С", 9},
    {F::TariffZones, "K0027", 0, " Зоны тарифов при двухтарифной схеме учета электроэнергии", 8},
    {F::Sms1First, "K0029", 0, kSmsFirst1, 3},
    {F::Sms1Second, "K0030", 0, kSmsSecond1, 7},
    {F::CorrectionFlag, "K0031", 0, kCorrection, 1},
    {F::Sms2First, "K0034", 0, kSmsFirst2, 3},
    {F::Sms2Second, "K0035", 0, kSmsSecond2, 7},
};

// Variant УВ shows its SMS codes with four digits although its other codes have three.
constexpr SystemRowSpec kRowsUV[] = {
    {F::ModeSpec, "K003", 0, kMode, 2},
    {F::DaylightSaving, "K020", 0, kDaylight, 0},
    {F::ColdWaterTemp, nullptr, 21, kColdWater, 9},
    {F::Sms1First, "K0029", 0, kSmsFirst1, 3},
    {F::Sms1Second, "K0030", 0, kSmsSecond1, 7},
    {F::Sms2First, "K0034", 0, kSmsFirst2, 3},
    {F::Sms2Second, "K0035", 0, kSmsSecond2, 7},
};

constexpr SystemRowSpec kRowsL[] = {
    {F::ModeSpec, "K003", 0, kMode, 2},           {F::ColdWaterTemp, nullptr, 4, kColdWater, 9},
    {F::DaylightSaving, "K015", 0, kDaylight, 0}, {F::Sms1First, "K021", 0, kSmsFirst, 3},
    {F::Sms1Second, "K022", 0, kSmsSecond, 7},
};

constexpr SystemFormSpec kSpecV{kRowsV, 0x46};
constexpr SystemFormSpec kSpecG{kRowsG, 0x47};
constexpr SystemFormSpec kSpecU{kRowsU, kInterface2Always};
constexpr SystemFormSpec kSpecUV{kRowsUV, kInterface2Always};
constexpr SystemFormSpec kSpecL{kRowsL, kNoInterface2};

}  // namespace

const SystemFormSpec* SystemFormSpecOf(model::DeviceVariant variant) {
  switch (variant) {
    case model::DeviceVariant::V:
      return &kSpecV;
    case model::DeviceVariant::G:
      return &kSpecG;
    case model::DeviceVariant::U:
      return &kSpecU;
    case model::DeviceVariant::UV:
      return &kSpecUV;
    case model::DeviceVariant::L:
      return &kSpecL;
    case model::DeviceVariant::None:
      break;
  }
  return nullptr;
}

}  // namespace tarvo::forms
