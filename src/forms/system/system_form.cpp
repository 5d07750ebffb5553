#include "forms/system/system_form.h"

#include <cstdio>
#include <cstring>

#include "forms/form_messages.h"
#include "forms/system/sms_number.h"
#include "forms/system/system_checks.h"
#include "model/check_range.h"
#include "model/parameter_code.h"
#include "model/value_text.h"

namespace tarvo::forms {

namespace {

using model::Float32;
using model::ParameterSet;

// The order in which OK checks the fields, whatever order the rows stand in.
constexpr SystemField kCheckOrder[] = {
    SystemField::DaylightSaving, SystemField::ModeSpec,       SystemField::BaroUpperLimit,
    SystemField::ColdWaterTemp,  SystemField::BaroPressure,   SystemField::OutdoorTemp,
    SystemField::TariffZones,    SystemField::CorrectionFlag, SystemField::Sms1First,
    SystemField::Sms2First,
};

struct RangeRule {
  SystemField field;
  Float32 ParameterSet::*member;
  float lower;
  float upper;
  const char* messageTemplate;
};

constexpr RangeRule kRangeRules[] = {
    {SystemField::ColdWaterTemp, &ParameterSet::contractColdWaterTemp, 0.0f, 30.0f,
     "Договорная температура холодной воды должна быть в диапазоне от  до  градусов Цельсия"},
    {SystemField::BaroUpperLimit, &ParameterSet::baroUpperLimit, 0.1f, 0.65f,
     "Верхний предел измерений преобразователя барометрического давления должен быть в "
     "диапазоне от  до  МПа"},
    {SystemField::OutdoorTemp, &ParameterSet::contractOutdoorTemp, -50.0f, 50.0f,
     "Договорная температура наружного воздуха должна быть в диапазоне от  до  градусов "
     "Цельсия"},
};

bool IsInterface2(SystemField field) {
  return field == SystemField::Sms2First || field == SystemField::Sms2Second;
}

std::string Digits(const model::DigitString& digits, int count) {
  return std::string(digits.chars, strnlen(digits.chars, static_cast<std::size_t>(count)));
}

int InputNumber(const std::array<char, 8>& digits, int tensPosition) {
  return (digits[tensPosition - 1] - '0') * 10 + (digits[tensPosition] - '0');
}

}  // namespace

SystemForm::SystemForm(ParameterSet& set, const SystemFormSpec& spec) : set_(set), spec_(spec) {
  title = "Общесистемные параметры";
  const model::DeviceVariant variant = set.Variant();
  const bool interface2 = ShowsInterface2();
  for (const SystemRowSpec& rowSpec : spec.rows) {
    const char* description = interface2 && rowSpec.descriptionWithInterface2 != nullptr
                                  ? rowSpec.descriptionWithInterface2
                                  : rowSpec.description;
    Row row;
    if (rowSpec.field == SystemField::DaylightSaving) {
      row = CheckBoxRow(rowSpec.code, description);
    } else if (rowSpec.code == nullptr) {
      row = NumberRow(model::ParameterCode(variant, -1, rowSpec.number, false), description);
    } else {
      row = TextRow(rowSpec.code, description, rowSpec.maxLength);
    }
    row.visible = !IsInterface2(rowSpec.field) || interface2;
    row.enabled = row.visible;
    rows.push_back(std::move(row));
  }
}

bool SystemForm::ShowsInterface2() const {
  if (spec_.interface2ExecutionCode == kNoInterface2) return false;
  return spec_.interface2ExecutionCode == kInterface2Always ||
         set_.ident.executionCode == spec_.interface2ExecutionCode;
}

const Row* SystemForm::RowOf(SystemField field) const {
  for (std::size_t i = 0; i < spec_.rows.size(); ++i) {
    if (spec_.rows[i].field == field && rows[i].visible) return &rows[i];
  }
  return nullptr;
}

void SystemForm::Fill() {
  for (std::size_t i = 0; i < spec_.rows.size(); ++i) {
    const SystemRowSpec& rowSpec = spec_.rows[i];
    Row& row = rows[i];
    std::string text;
    switch (rowSpec.field) {
      case SystemField::DaylightSaving:
        row.checked = set_.daylightSaving != 0;
        continue;
      case SystemField::ModeSpec:
        text = Digits(set_.modeSpec, rowSpec.maxLength);
        break;
      case SystemField::Sms1First:
        text = Digits(set_.sms1First, 3);
        break;
      case SystemField::Sms1Second:
        text = Digits(set_.sms1Second, 7);
        break;
      case SystemField::Sms2First:
        text = Digits(set_.sms2First, 3);
        break;
      case SystemField::Sms2Second:
        text = Digits(set_.sms2Second, 7);
        break;
      case SystemField::CorrectionFlag:
        text = std::to_string(set_.correctionFlag);
        break;
      case SystemField::TariffZones: {
        char zones[16];
        std::snprintf(zones, sizeof zones, "%02d%02d%02d%02d", set_.tariffZones[0],
                      set_.tariffZones[1], set_.tariffZones[2], set_.tariffZones[3]);
        text = zones;
        break;
      }
      case SystemField::ColdWaterTemp:
        text = model::FormatValue(set_.contractColdWaterTemp);
        break;
      case SystemField::BaroPressure:
        text = model::FormatValue(set_.contractBaroPressure);
        break;
      case SystemField::BaroUpperLimit:
        text = model::FormatValue(set_.baroUpperLimit);
        break;
      case SystemField::OutdoorTemp:
        text = model::FormatValue(set_.contractOutdoorTemp);
        break;
    }
    row.Text() = text;
    row.cells.front().maxLength = rowSpec.maxLength;
  }
}

bool SystemForm::Accept(platform::Ui& ui) {
  // Fields the form does not carry keep the working copy's reset values on commit.
  const auto working = std::make_unique<ParameterSet>();
  working->Reset();
  for (SystemField field : kCheckOrder) {
    const Row* row = RowOf(field);
    if (row != nullptr && !CheckField(field, *row, *working, ui)) return MarkRefused(*row);
  }
  set_.CopySystemWideGroup(*working);
  return true;
}

bool SystemForm::CheckField(SystemField field, const Row& row, ParameterSet& working,
                            platform::Ui& ui) const {
  switch (field) {
    case SystemField::DaylightSaving:
      working.daylightSaving = row.checked ? 1 : 0;
      return true;
    case SystemField::ModeSpec:
      return CheckMode(row, working, ui);
    case SystemField::BaroPressure: {
      const auto value = ReadBaroPressure(row.Text());
      if (!value) {
        return ShowError(ui,
                         "Договорное барометрическое давление должно либо быть в диапазоне от " +
                             model::FormatValue(0.09f) + " до " + model::FormatValue(0.11f) +
                             " МПа, либо равняться нулю");
      }
      working.contractBaroPressure = *value;
      return true;
    }
    case SystemField::TariffZones: {
      const auto zones = ReadTariffZones(row.Text());
      if (!zones) return ShowError(ui, "Ошибочно задано время начала и окончания льготного тарифа");
      std::copy(zones->begin(), zones->end(), working.tariffZones);
      return true;
    }
    case SystemField::CorrectionFlag: {
      const auto flag = ReadCorrectionFlag(row.Text());
      if (!flag) {
        // The message names the parameter by its code without the letter: 028, 0031.
        return ShowError(ui,
                         "Параметр " + row.code.substr(1) + " должен быть в диапазоне от 0 до 3");
      }
      working.correctionFlag = *flag;
      return true;
    }
    case SystemField::Sms1First:
      return CheckSms(1, working, ui);
    case SystemField::Sms2First:
      return CheckSms(2, working, ui);
    case SystemField::Sms1Second:
    case SystemField::Sms2Second:
      return true;  // checked with the first part
    case SystemField::ColdWaterTemp:
    case SystemField::BaroUpperLimit:
    case SystemField::OutdoorTemp:
      break;
  }
  for (const RangeRule& rule : kRangeRules) {
    if (rule.field == field) {
      return CheckRange(ui, row.Text(), working.*rule.member, rule.messageTemplate, rule.lower,
                        rule.upper);
    }
  }
  return true;
}

bool SystemForm::CheckMode(const Row& row, ParameterSet& working, platform::Ui& ui) const {
  const int shown = row.cells.front().maxLength;
  const auto digits = ReadModeDigits(row.Text(), shown);
  if (!digits || !ModeDigitsAllowed(set_.Variant(), set_.ident.executionCode, *digits)) {
    return ShowError(ui, "Ошибка при вводе спецификации режима работы вычислителя");
  }
  std::memcpy(working.modeSpec.chars, digits->data(), 8);
  working.modeSpec.chars[8] = 0;
  if (set_.Variant() != model::DeviceVariant::U) return true;
  return CheckMeasuringInputs(*digits, ui);
}

// Digits 3 and 4 switch the barometric and outdoor-air measurements on; digits 5-6 and 7-8
// are their measuring inputs.
bool SystemForm::CheckMeasuringInputs(const std::array<char, 8>& digits, platform::Ui& ui) const {
  const bool baro = digits[2] != '0';
  const bool outdoor = digits[3] != '0';
  const int baroInput = baro ? InputNumber(digits, 5) : 0;
  const int outdoorInput = outdoor ? InputNumber(digits, 7) : 0;
  if (baro && (baroInput < 17 || baroInput > 47)) {
    return ShowError(ui,
                     "Номер канала измерения барометрического давления должен быть в диапазоне "
                     "от 17 до 47");
  }
  if (outdoor && (outdoorInput < 17 || outdoorInput > 47)) {
    return ShowError(ui,
                     "Номер канала измерения температуры наружного воздуха должен быть в "
                     "диапазоне от 17 до 47");
  }
  if (baro && outdoor && baroInput == outdoorInput) {
    return ShowError(ui,
                     "Канал измерения барометрического давления и канал измерения температуры "
                     "наружного воздуха не должны совпадать");
  }
  // No channel of the configuration is "own": every channel's inputs are examined.
  const int noChannel = set_.channelCount;
  if (baro && set_.FindInputOwner(noChannel, baroInput, false, false) != 0) {
    return ShowError(ui, "Канал, назначаемый для измерения барометрического давления, уже занят");
  }
  if (outdoor && set_.FindInputOwner(noChannel, outdoorInput, false, false) != 0) {
    return ShowError(ui,
                     "Канал, назначаемый для измерения температуры наружного воздуха, уже занят");
  }
  const Row* upperLimit = RowOf(SystemField::BaroUpperLimit);
  if (baro && upperLimit != nullptr && model::IsDashes(upperLimit->Text())) {
    ShowError(ui,
              "Необходимо задать верхний предел измерений преобразователя барометрического "
              "давления");
    return MarkRefused(*upperLimit);
  }
  return true;
}

bool SystemForm::CheckSms(int interfaceNumber, ParameterSet& working, platform::Ui& ui) const {
  const SystemField firstField =
      interfaceNumber == 1 ? SystemField::Sms1First : SystemField::Sms2First;
  const SystemField secondField =
      interfaceNumber == 1 ? SystemField::Sms1Second : SystemField::Sms2Second;
  const Row* first = RowOf(firstField);
  const Row* second = RowOf(secondField);
  std::string message;
  if (CheckSmsNumber(first->Text(), second != nullptr ? second->Text() : "", interfaceNumber,
                     ShowsInterface2(), working, message)) {
    return true;
  }
  return ShowError(ui, message);
}

std::unique_ptr<SystemForm> MakeSystemForm(ParameterSet& set) {
  const SystemFormSpec* spec = SystemFormSpecOf(set.Variant());
  if (spec == nullptr) return nullptr;
  return std::make_unique<SystemForm>(set, *spec);
}

}  // namespace tarvo::forms
