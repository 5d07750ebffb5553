#pragma once

#include <array>
#include <span>

#include "forms/channel/channel_page.h"
#include "forms/number_row.h"

namespace tarvo::forms {

// Bounds and start-of-counting demands shared by the pages of flow channels (Г and У), which
// keep the same quantities in the same float slots under different row numbers.

inline constexpr float kNoFlowLimit = 999999.0f;

bool FlowTransducerPresent(const model::ChannelRecord& record, int transducer);

// Lower flow limit: up to 20 % of the smallest upper limit of the present flow transducers.
Bounds LowerFlowBounds(const model::ParameterSet& working, int index);
// Creep cut-off: up to the lower flow limit just read.
Bounds CutOffBounds(const model::ParameterSet& working, int index);
// Contract flow: up to the largest upper limit of the present flow transducers.
Bounds ContractFlowBounds(const model::ParameterSet& working, int index);
// Additive parameter: ±10 % of the first upper limit with flow transducer 1 of type 4.
Bounds AdditiveBounds(const model::ParameterSet& working, int index);
// Orifice diameter: 10 % to 80 % of the pipe diameter.
Bounds OrificeBounds(const model::ParameterSet& working, int index);
// Pressure height correction: ±10 % of the pressure transducer's upper limit.
Bounds HeightCorrectionBounds(const model::ParameterSet& working, int index);
// Saturation-line set point: up to 5 % of the pressure transducer's upper limit.
Bounds SaturationBounds(const model::ParameterSet& working, int index);

// The start-of-counting demands of a flow channel, in the order they are reported.
std::span<const CompletionRule> FlowCompletionRules();

// The pipe, pressure, temperature and gas rows, as page Г numbers and places them: pipe rows
// K<n>11..K<n>16 in the left column, the rest in the right one. Page У shows the same rows.
inline constexpr NumberRowSpec kFlowChannelRowsG[] = {
    {11, " Внутренний диаметр трубопровода при 20 град.С, мм", ChannelSlot<12>, 10.0f, 2000.0f,
     "Внутренний диаметр трубопровода при 20 град.С должен быть в диапазоне от  до  мм"},
    {12, " Коэф-т темп. расш. материала трубопровода, 1/град.C", ChannelSlot<13>, 0.0f, 0.0001f,
     "Температурный коэффициент расширения материала трубопровода должен быть в диапазоне от  до "
     " 1/град.С"},
    {13, " Эквив. шероховатость материала трубопровода, мм", ChannelSlot<14>, 0.0f, 1.5f,
     "Эквивалентная шероховатость материала трубопровода должна быть в диапазоне от  до  мм"},
    {14, " Диаметр отверстия диафрагмы при 20 град.С, мм", ChannelSlot<15>, 0.0f, 0.0f,
     "Диаметр отверстия диафрагмы при 20 град.С должен быть в диапазоне 10%-80% от внутреннего "
     "диаметра трубопровода",
     OrificeBounds},
    {15, " Коэф-т темп. расш. материала диафрагмы, 1/град.C", ChannelSlot<16>, 0.0f, 0.0001f,
     "Температурный коэффициент расширения материала диафрагмы должен быть в диапазоне от  до  "
     "1/град.С"},
    {16, " Коэффициент притупления кромки диафрагмы", ChannelSlot<17>, 1.0f, 1.05f,
     "Коэффициент притупления кромки диафрагмы должен быть в диапазоне от  до  "},
    {17, " Верхний предел измерений преобр-ля давления, МПа", ChannelSlot<18>, 0.0f, 30.0f,
     "Верхний предел измерений преобразователя давления должен быть в диапазоне от  до  МПа",
     nullptr, 1},
    {18, " Договорное абсолютное давление, МПа", ChannelSlot<19>, 0.09f, 30.0f,
     "Договорное абсолютное давление должно быть в диапазоне от  до  МПа", nullptr, 1},
    {19, " Поправка на высоту установки преобр-ля давл., МПа", ChannelSlot<20>, 0.0f, 0.0f,
     "Поправка на высоту установки преобразователя давления должна быть в диапазоне +/-10% от "
     "верхнего предела измерений преобразователя давления",
     HeightCorrectionBounds, 1},
    {20, " Уставка по давлению на зону линии насыщения, МПа", ChannelSlot<21>, 0.0f, 0.0f,
     "Уставка по давлению на зону линии насыщения должна быть в диапазоне 0-5% от верхнего "
     "предела измерений преобразователя давления",
     SaturationBounds, 1},
    {21, " Договорная степень сухости насыщенного пара", ChannelSlot<22>, 0.7f, 1.0f,
     "Договорная степень сухости насыщенного пара должна быть в диапазоне от  до  ", nullptr, 1},
    {22, " Верхний предел изм. термопреобр-ля с ток. выходом", ChannelSlot<23>, 50.0f, 1000.0f,
     "Верхний предел измерений термопреобразователя с токовым выходным сигналом должен быть в "
     "диапазоне от  до  градусов Цельсия",
     nullptr, 1},
    {23, " Нижний предел изм. термопреобр-ля с ток. выходом", ChannelSlot<24>, -100.0f, 100.0f,
     "Нижний предел измерений термопреобразователя с токовым выходным сигналом должен быть в "
     "диапазоне от  до  градусов Цельсия",
     nullptr, 1},
    {24, " Договорная температура, град.С", ChannelSlot<25>, -250.0f, 1000.0f,
     "Договорная температура должна быть в диапазоне от  до  градусов Цельсия", nullptr, 1},
    {25, " Верхняя поправка на термопреобразователь, град.С", ChannelSlot<26>, -2.0f, 2.0f,
     "Верхняя поправка на термопреобразователь должна быть в диапазоне от  до  градусов Цельсия",
     nullptr, 1},
    {26, " Нижняя поправка на термопреобразователь, град.С", ChannelSlot<27>, -2.0f, 2.0f,
     "Нижняя поправка на термопреобразователь должна быть в диапазоне от  до  градусов Цельсия",
     nullptr, 1},
    {59, " Удельная теплота сгорания газа, ГДж/куб.м", ChannelSlot<29>, 0.03f, 0.1f,
     "Удельная теплота сгорания газа должна быть в диапазоне от  до  ГДж/куб.м", nullptr, 1},
    {61, " Плотность природного газа в ст.усл., кг/куб.м", ChannelSlot<30>, 0.5f, 1.0f,
     "Плотность природного газа в стандартных условиях должна быть в диапазоне от  до  кг/куб.м",
     nullptr, 1},
    {63, " Молярная доля азота в природном газе", ChannelSlot<31>, 0.0f, 0.1f,
     "Молярная доля азота в природном газе должна быть в диапазоне от  до  ", nullptr, 1},
    {65, " Молярная доля диоксида углерода в природном газе", ChannelSlot<32>, 0.0f, 0.1f,
     "Молярная доля диоксида углерода в природном газе должна быть в диапазоне от  до  ", nullptr,
     1},
};
inline constexpr std::size_t kPipeRowCount = 6;

// The same rows under page У's numbers (K<nn>12..K<nn>27, gas rows 56..62), with the last pipe
// row in the right column.
constexpr std::array<NumberRowSpec, std::size(kFlowChannelRowsG)> FlowChannelRowsU() {
  std::array<NumberRowSpec, std::size(kFlowChannelRowsG)> rows{};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i] = kFlowChannelRowsG[i];
    rows[i].number += rows[i].number < 59 ? 1 : -3;
    if (rows[i].number == 17) rows[i].column = 1;
  }
  return rows;
}

}  // namespace tarvo::forms
