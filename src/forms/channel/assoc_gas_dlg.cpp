#include "forms/channel/assoc_gas_dlg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "forms/channel/channel_page.h"
#include "forms/form_messages.h"
#include "model/check_range.h"
#include "model/value_text.h"

namespace tarvo::forms {

namespace {

constexpr const char* kAbsoluteHumidity = "Абсолютная влажность, г/куб.м";
constexpr const char* kRelativeHumidity = "Относительная влажность, %";

constexpr const char* kComponentLabels[model::kGasConcentrations] = {
    "Концентрация диоксида углерода, %", "Концентрация кислорода, %",  "Концентрация азота, %",
    "Концентрация сероводорода, %",      "Концентрация метана, %",     "Концентрация этана, %",
    "Концентрация пропана, %",           "Концентрация изо-бутана, %", "Концентрация н-бутана, %",
    "Концентрация изо-пентана, %",       "Концентрация н-пентана, %",  "Концентрация н-гексана, %",
    "Концентрация гептана, %",
};

constexpr int kFirstValueRow = 2;
constexpr int kFirstComponentRow = 5;

Row DropDownRow(std::string code, const char* label, std::vector<std::string> entries) {
  Row row;
  row.code = std::move(code);
  row.description = label;
  row.kind = CellKind::DropDown;
  row.entries = std::move(entries);
  return row;
}

// A stored kind that is not an entry shows no choice.
int Selection(std::uint8_t kind, const Row& row) {
  return kind < row.entries.size() ? kind : -1;
}

std::string Message(const char* format, int channelIndex, int number) {
  char text[256];
  std::snprintf(text, sizeof text, format, channelIndex + 1, number);
  return text;
}

// A value cell as the dialog reads it: the whole cell (see ReadInRange), dashes not set.
model::Float32 ReadCell(const Row& row) {
  return model::ReadValueText(row.Text());
}

// Written so that a value that is not a number is refused too.
bool Within(model::Float32 value, float lower, float upper) {
  return value.IsNotSet() || (value.Value() >= lower && value.Value() <= upper);
}

}  // namespace

CAssocGasDlg::CAssocGasDlg(model::ParameterSet& set, int channelIndex)
    : set_(set), index_(channelIndex) {
  title = "Параметры попутного газа";
  const auto code = [channelIndex](int number) {
    return ChannelCode(model::DeviceVariant::U, channelIndex, number);
  };
  rows.push_back(
      DropDownRow(code(76), "Тип концентраций компонентов", {"молярные", "массовые", "объемные"}));
  rows.push_back(DropDownRow(code(77), "Тип влажности", {"абсолютная", "относительная"}));
  rows.push_back(NumberRow(code(78), "Давление при измерении влажности, МПа"));
  rows.push_back(NumberRow(code(79), "Температура при измерении влажности, С"));
  rows.push_back(NumberRow(code(80), kAbsoluteHumidity));
  for (int i = 0; i < model::kGasConcentrations; ++i) {
    rows.push_back(NumberRow(code(81 + i), kComponentLabels[i], 1));
  }
}

void CAssocGasDlg::Fill() {
  const model::AssociatedGas& gas = set_.channels[index_].gas;
  rows[0].selected = Selection(gas.concentrationKind, rows[0]);
  rows[kHumidityKindRow].selected = Selection(gas.humidityKind, rows[kHumidityKindRow]);
  const model::Float32 values[3] = {gas.pressure, gas.temperature, gas.humidity};
  for (int i = 0; i < 3; ++i) rows[kFirstValueRow + i].Text() = model::FormatValue(values[i]);
  for (int i = 0; i < model::kGasConcentrations; ++i) {
    rows[kFirstComponentRow + i].Text() = model::FormatValue(gas.concentrations[i]);
  }
  for (int i = kFirstValueRow; i < static_cast<int>(rows.size()); ++i) {
    rows[i].cells.front().maxLength = model::kValueCellLength;
  }
  rows[kHumidityRow].description = gas.humidityKind == 1 ? kRelativeHumidity : kAbsoluteHumidity;
}

void CAssocGasDlg::RowChanged(Row& row) {
  if (&row != &rows[kHumidityKindRow]) return;
  rows[kHumidityRow].description = row.selected > 0 ? kRelativeHumidity : kAbsoluteHumidity;
}

bool CAssocGasDlg::Accept(platform::Ui& ui) {
  const model::Float32 pressure = ReadCell(rows[kFirstValueRow]);
  if (!Within(pressure, 0.001f, 15.0f)) {
    ShowError(ui, Message("Параметр K%02d%02d должен быть в диапазоне от 0.001 до 15 МПа!", index_,
                          kFirstNumber + kFirstValueRow));
    return MarkRefused(rows[kFirstValueRow]);
  }
  const model::Float32 temperature = ReadCell(rows[kFirstValueRow + 1]);
  if (!Within(temperature, -10.0f, 227.0f)) {
    ShowError(ui, Message("Параметр K%02d%02d должен быть в диапазоне от -10.0 до 227.0 "
                          "градусов Цельсия!",
                          index_, kFirstNumber + kFirstValueRow + 1));
    return MarkRefused(rows[kFirstValueRow + 1]);
  }
  const model::Float32 humidity = ReadCell(rows[kHumidityRow]);
  if (!Within(humidity, 0.0f, std::numeric_limits<float>::max())) {
    ShowError(ui, Message("Параметр K%02d%02d должен быть больше нуля!", index_,
                          kFirstNumber + kHumidityRow));
    return MarkRefused(rows[kHumidityRow]);
  }
  model::Float32 components[model::kGasConcentrations];
  float sum = 0;
  bool anyGiven = false;
  for (int i = 0; i < model::kGasConcentrations; ++i) {
    components[i] = ReadCell(rows[kFirstComponentRow + i]);
    if (!Within(components[i], 0.0f, 100.0f)) {
      ShowError(ui, Message("Параметр K%02d%02d должен быть в диапазоне от 0%% до 100 "
                            "процентов!",
                            index_, kFirstNumber + kFirstComponentRow + i));
      return MarkRefused(rows[kFirstComponentRow + i]);
    }
    if (components[i].IsNotSet()) continue;
    sum += components[i].Value();
    anyGiven = true;
  }
  if (anyGiven && std::fabs(sum - 100.0f) > 0.5f) {
    return ShowError(ui,
                     "Сумма концентраций компонентов сухой части газа должна быть в диапазоне "
                     "от 99.5 до 100.5 процентов!");
  }

  model::AssociatedGas& gas = set_.channels[index_].gas;
  // A list without a choice (a stored kind outside the list) keeps the stored kind.
  if (rows[0].selected >= 0) gas.concentrationKind = static_cast<std::uint8_t>(rows[0].selected);
  if (rows[kHumidityKindRow].selected >= 0) {
    gas.humidityKind = static_cast<std::uint8_t>(rows[kHumidityKindRow].selected);
  }
  gas.pressure = pressure;
  gas.temperature = temperature;
  gas.humidity = humidity;
  std::copy(std::begin(components), std::end(components), std::begin(gas.concentrations));
  return true;
}

}  // namespace tarvo::forms
