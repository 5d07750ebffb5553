#include "forms/channel/channel_page_u.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "fakes/recording_ui.h"
#include "forms/channel/assoc_gas_dlg.h"
#include "forms/channel/channel_sheet.h"
#include "forms/channel/copy_channel_dlg.h"
#include "forms/channel/input_assignment_u.h"
#include "forms/channel/type_code_u.h"
#include "forms/channel_page_fixture.h"
#include "model/document.h"

namespace tarvo::forms {
namespace {

using model::Float32;

constexpr const char* kType = "Ошибочно задан параметр <Вид носителя и тип преобразователей>";
const std::string kNoTransducer = TypeRefusal(
    "позиция 3 (способ измерения расхода) = 1: нужен хотя бы один преобразователь "
    "расхода, а позиции 4 = 0, 5 = 0 и 6 = 0");
constexpr const char* kFlowInputs =
    "Ошибочно задан параметр <Назначение каналов преобразователей Q (dP)>";
constexpr const char* kPtInputs =
    "Ошибочно задан параметр <Назначение каналов преобразователей P, T>";
constexpr const char* kGasIncomplete =
    "Необходимо задать концентрации всех компонентов попутного нефтяного газа";
constexpr const char* kStartCaption = "Ошибка (невозможен пуск на счет)";

// A page of a new configuration of the execution code, filled.
struct UPage : ChannelPageFixture<CChannel_U_Page> {
  explicit UPage(std::uint8_t executionCode = 0x50, int channelIndex = 0)
      : ChannelPageFixture(executionCode, channelIndex) {}
  void Refill() {
    Set().pageFilled[page->ChannelIndex()] = 0;
    page->Fill();
  }
  void SetGas(float value) {
    for (auto& v : Record().gas.concentrations) v = Float32::Of(value);
  }
};

TEST(TypeCodeUTest, RulesPerExecutionCode) {
  struct Case {
    const char* text;
    std::uint8_t executionCode;
    const char* stored;  // the code as read back, null when refused
  };
  const Case cases[] = {
      {"", 0x50, "00000000"},         {"05", 0x50, "05000000"},
      {"04450000", 0x50, "04450000"},  // the one electricity meter
      {"04450010", 0x50, nullptr},    {"04450001", 0x50, nullptr},
      {"04400000", 0x50, nullptr},    {"04350000", 0x50, nullptr},
      {"04540000", 0x50, nullptr},    {"01450000", 0x50, "01450000"},
      {"02000000", 0x51, nullptr},  // 51 has media 00 and 01 only
      {"01000000", 0x51, "01000000"}, {"03000000", 0x52, "03000000"},
      {"04450000", 0x52, nullptr},    {"05000000", 0x52, "05000000"},
      {"13000000", 0x50, nullptr},    {"12000000", 0x50, "12000000"},
      {"21000000", 0x50, "21000000"}, {"22000000", 0x50, "22000000"},
      {"23000000", 0x50, nullptr},    {"29000000", 0x53, "29000000"},
      {"06000000", 0x53, nullptr},    {"12000000", 0x53, "12000000"},
      {"05100000", 0x50, nullptr},  // flow method 1 without a transducer
      {"05012000", 0x50, nullptr},  // transducers without a flow method
      {"05412000", 0x50, nullptr},    {"05410000", 0x50, "05410000"},
      {"05401000", 0x50, nullptr},  // method 4: only transducer 1
      {"05123000", 0x50, "05123000"}, {"05553338", 0x50, "05553338"},  // the largest characters
      {"05563338", 0x50, nullptr},    {"05154000", 0x50, nullptr},
      {"05150400", 0x50, nullptr},    {"05150040", 0x50, nullptr},
      {"05150009", 0x50, nullptr},    {"05600000", 0x50, nullptr},
      {"30000000", 0x53, nullptr},    {"00000001", 0x50, nullptr},
      {"00100000", 0x50, nullptr},    {"0510000a", 0x50, nullptr},
      {"05 10000", 0x50, nullptr},    {"05160000", 0x50, nullptr},  // no ИРВИС-К300 here
      {"051100000", 0x50, nullptr},  // a record whose digit took two characters
  };
  for (const Case& c : cases) {
    model::ChannelRecord record{};
    record.mediumKind = 7;
    const bool read = ReadTypeCodeU(c.text, c.executionCode, record);
    EXPECT_EQ(read, c.stored != nullptr) << c.text << " " << int(c.executionCode);
    if (c.stored != nullptr) {
      EXPECT_EQ(TypeCodeTextU(record), c.stored) << c.text;
    } else {
      EXPECT_EQ(record.mediumKind, 7) << "refused, yet stored: " << c.text;
    }
  }
}

TEST(InputAssignmentUTest, CellReading) {
  const struct {
    const char* text;
    int value;  // -1: refused
  } cases[] = {{"", 0},   {"05", 5},  {"5", 50},  {"48", 48}, {"99", 99},
               {"-", -1}, {" 5", -1}, {"5a", -1}, {"б", -1},  {"100", -1}};
  for (const auto& c : cases) {
    const auto read = ReadInputCell(c.text);
    EXPECT_EQ(read.value_or(-1), c.value) << c.text;
  }
}

TEST(ChannelPageUTest, RowsCodesFormatsAndColumns) {
  UPage u(0x50, 1);
  ASSERT_EQ(u.page->Rows().size(), 32u);
  const struct {
    std::size_t row;
    const char* code;
    const char* description;
    int column;
  } cases[] = {
      {0, "K0200", " Вид носителя и тип преобразователей", 0},
      {1, "K0201", " Назначение каналов преобразователей Q (dP)", 0},
      {2, "K0202", " Назначение каналов преобразователей P, T", 0},
      {3, "K0203", " Верхний предел измерений Qв1, куб.м/ч (dPв1, кПа)", 0},
      {9, "K0209", " Коэффициент преобразования, куб.м/ч/Гц (л/имп)", 0},
      {10, "K0210", " Аддитивный параметр, куб.м/ч", 0},
      {16, "K0216", " Коэф-т темп. расш. материала диафрагмы, 1/град.C", 0},
      {17, "K0217", " Коэффициент притупления кромки диафрагмы", 1},
      {27, "K0227", " Нижняя поправка на термопреобразователь, град.С", 1},
      {28, "K0256", " Удельная теплота сгорания газа, ГДж/куб.м", 1},
      {31, "K0262", " Молярная доля диоксида углерода в природном газе", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(u.page->Rows()[c.row].code, c.code);
    EXPECT_EQ(u.page->Rows()[c.row].description, c.description);
    EXPECT_EQ(u.page->Rows()[c.row].column, c.column) << c.code;
  }
  EXPECT_EQ(u.page->Rows()[0].cells[0].maxLength, 8);
  EXPECT_EQ(RowValueText(u.page->Rows()[1]), "00,00,00");
  EXPECT_EQ(u.page->Rows()[1].cells[2].maxLength, 2);
  EXPECT_EQ(RowValueText(u.page->Rows()[2]), "00,00");

  u.Record().mediumKind = 12;
  u.Record().typeDigit2 = 1;
  u.Record().typeDigits3to5[0] = 1;
  u.Record().typeDigit7 = 8;
  u.Record().flowInputs[0] = 7;
  u.Record().flowInputs[2] = 48;
  u.Record().temperatureInput = 17;
  u.Record().Slot(1) = Float32::Of(12.5f);
  u.Refill();
  EXPECT_EQ(u.page->Rows()[0].Text(), "12110008");
  EXPECT_EQ(RowValueText(u.page->Rows()[1]), "07,00,48");
  EXPECT_EQ(RowValueText(u.page->Rows()[2]), "00,17");
  EXPECT_EQ(u.page->Rows()[3].Text(), "12,5");

  model::ConfigurationDocument ten;
  ten.NewConfiguration(0x53);
  CChannel_U_Page tenth(ten.Set(), 9);
  EXPECT_EQ(tenth.Rows()[0].code, "K1000");
  EXPECT_EQ(tenth.Rows()[31].code, "K1062");
}

// Rows 09 and 10 are described after the medium stored when the page is filled, and checked
// after the medium typed.
TEST(ChannelPageUTest, ElectricityMeterRows) {
  UPage u;
  u.Set().checkForStart = 0;
  u.Record().mediumKind = 4;
  u.Refill();
  EXPECT_EQ(u.page->Rows()[9].description, " Передаточный коэф-т электросчетчика, имп/кВтч");
  EXPECT_EQ(u.page->Rows()[10].description, " Коэффициент трансформации электросчетчика");
  // Typed, not stored: medium 05 checks row 09 as a conversion coefficient.
  u.Enter({{"K0100", "05000000"}, {"K0109", "100001"}});
  EXPECT_EQ(u.Leave(),
            "Коэффициент преобразования объемного расходомера должен быть в диапазоне от 0 до "
            "100000 ");
  u.Enter({{"K0100", "04450000"}, {"K0109", "1000000"}, {"K0110", "1000"}});
  EXPECT_EQ(u.Leave(), "");
  EXPECT_EQ(u.Record().Slot(7), Float32::Of(1000000.0f));
  u.Refill();
  EXPECT_EQ(u.page->Rows()[9].description, " Передаточный коэф-т электросчетчика, имп/кВтч");
  u.Record().mediumKind = 5;
  u.Refill();
  EXPECT_EQ(u.page->Rows()[9].description, " Коэффициент преобразования, куб.м/ч/Гц (л/имп)");
  EXPECT_EQ(u.page->Rows()[10].description, " Аддитивный параметр, куб.м/ч");
}

struct RangeCase {
  const char* name;
  Entries entries;  // switch off: the type code, the assignments, the rows and the gas test
  const char* message;
};

class ChannelPageURanges : public ::testing::TestWithParam<RangeCase> {};

TEST_P(ChannelPageURanges, RefusesWithTheRowsMessage) {
  const RangeCase& c = GetParam();
  UPage u;
  u.Set().checkForStart = 0;
  u.Enter(c.entries);
  EXPECT_EQ(u.Leave(), c.message);
  if (*c.message != 0) {
    EXPECT_EQ(u.ui.messages[0].caption, "Ошибка");
    EXPECT_EQ(u.ui.messages[0].icon, platform::Icon::Error);
  }
}

constexpr const char* kQ1 =
    "Верхний предел измерений 1-го преобразователя объемного расхода (перепада давления) должен "
    "быть в диапазоне от 0 до 999999 куб.м/ч (кПа)";
constexpr const char* kLowerFlow =
    "Нижний предел измерений преобразователя объемного расхода (перепада давления) должен быть в "
    "диапазоне от нуля до 20% от верхнего предела измерения самого чувствительного "
    "преобразователя";
constexpr const char* kAdditive =
    "Аддитивный параметр объемного расходомера должен быть в "
    "диапазоне от -999999 до 999999 куб.м/ч";
constexpr const char* kOrifice =
    "Диаметр отверстия диафрагмы при 20 град.С должен быть в диапазоне 10%-80% от внутреннего "
    "диаметра трубопровода";
constexpr const char* kHeight =
    "Поправка на высоту установки преобразователя давления должна быть в диапазоне +/-10% от "
    "верхнего предела измерений преобразователя давления";

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ChannelPageURanges,
    ::testing::Values(
        RangeCase{"Q1Top", {{"K0103", "999999"}}, ""},
        RangeCase{"Q1Above", {{"K0103", "1000000"}}, kQ1},
        RangeCase{"Q2Above",
                  {{"K0104", "1e6"}},
                  "Верхний предел измерений 2-го преобразователя объемного расхода (перепада "
                  "давления) должен быть в диапазоне от 0 до 999999 куб.м/ч (кПа)"},
        RangeCase{"Q3Negative",
                  {{"K0105", "-1"}},
                  "Верхний предел измерений 3-го преобразователя объемного расхода (перепада "
                  "давления) должен быть в диапазоне от 0 до 999999 куб.м/ч (кПа)"},
        RangeCase{"LowerFlow8",
                  {{"K0100", "05312000"}, {"K0103", "100"}, {"K0104", "40"}, {"K0106", "8"}},
                  ""},
        RangeCase{"LowerFlowAbove8",
                  {{"K0100", "05312000"}, {"K0103", "100"}, {"K0104", "40"}, {"K0106", "8,01"}},
                  kLowerFlow},
        RangeCase{"CutOffAboveLower",
                  {{"K0106", "5"}, {"K0107", "5.1"}},
                  "Отсечка самохода счета должна быть в диапазоне от нуля до нижнего предела "
                  "измерений объемного расхода (перепада давления)"},
        RangeCase{"ContractAbove",
                  {{"K0100", "05312000"}, {"K0103", "100"}, {"K0104", "40"}, {"K0108", "100.1"}},
                  "Договорной расход (перепад давления) должен быть в диапазоне от нуля до "
                  "максимального верхнего предела измерений преобразователя"},
        RangeCase{"Conversion100000", {{"K0109", "100000"}}, ""},
        RangeCase{"MeterRatio1000000", {{"K0100", "04450000"}, {"K0109", "1000000"}}, ""},
        RangeCase{"MeterRatioAbove",
                  {{"K0100", "04450000"}, {"K0109", "1000001"}},
                  "Передаточный коэффициент электросчетчика должен быть в диапазоне от 0 до "
                  "1000000 имп/кВтч"},
        RangeCase{"MeterTransformationLow", {{"K0100", "04450000"}, {"K0110", "0,001"}}, ""},
        RangeCase{"MeterTransformationBelow",
                  {{"K0100", "04450000"}, {"K0110", "0"}},
                  "Коэффициент трансформации электросчетчика должен быть в диапазоне от 0,001 до "
                  "1000 "},
        // A meter's row 10 is not the additive parameter: a meter passes with 1000 there.
        RangeCase{"MeterTransformationTop", {{"K0100", "04450000"}, {"K0110", "1000"}}, ""},
        RangeCase{"AdditiveWideAbove", {{"K0110", "1000000"}}, kAdditive},
        RangeCase{"AdditiveType4", {{"K0100", "05140000"}, {"K0103", "50"}, {"K0110", "-5"}}, ""},
        RangeCase{"AdditiveType4Above",
                  {{"K0100", "05140000"}, {"K0103", "50"}, {"K0110", "5,01"}},
                  "Аддитивный параметр объемного расходомера должен быть в диапазоне от -5 до 5 "
                  "куб.м/ч"},
        RangeCase{"TemperatureCoefficient",
                  {{"K0111", "0.0002"}},
                  "Температурный коэффициент объемного расходомера должен быть в диапазоне от "
                  "-0,0001 до 0,0001 "},
        RangeCase{"PipeBelow",
                  {{"K0112", "9"}},
                  "Внутренний диаметр трубопровода при 20 град.С должен быть в диапазоне от 10 до "
                  "2000 мм"},
        RangeCase{"PipeExpansion",
                  {{"K0113", "0,0002"}},
                  "Температурный коэффициент расширения материала трубопровода должен быть в "
                  "диапазоне от 0 до 0,0001 1/град.С"},
        RangeCase{"Roughness",
                  {{"K0114", "1.6"}},
                  "Эквивалентная шероховатость материала трубопровода должна быть в диапазоне от "
                  "0 до 1,5 мм"},
        RangeCase{"Orifice80Percent", {{"K0112", "100"}, {"K0115", "80"}}, ""},
        RangeCase{"OrificeAbove80Percent", {{"K0112", "100"}, {"K0115", "80.1"}}, kOrifice},
        RangeCase{"OrificeUnderUnsetPipe", {{"K0115", "1"}}, kOrifice},
        RangeCase{"OrificeExpansion",
                  {{"K0116", "-0.1"}},
                  "Температурный коэффициент расширения материала диафрагмы должен быть в "
                  "диапазоне от 0 до 0,0001 1/град.С"},
        RangeCase{"Bluntness",
                  {{"K0117", "1.06"}},
                  "Коэффициент притупления кромки диафрагмы должен быть в диапазоне от 1 до 1,05 "},
        RangeCase{"PressureLimit",
                  {{"K0118", "31"}},
                  "Верхний предел измерений преобразователя давления должен быть в диапазоне от 0 "
                  "до 30 МПа"},
        RangeCase{"ContractPressureBelow",
                  {{"K0119", "0,08"}},
                  "Договорное абсолютное давление должно быть в диапазоне от 0,09 до 30 МПа"},
        RangeCase{"HeightCorrection", {{"K0118", "1.6"}, {"K0120", "-0,16"}}, ""},
        RangeCase{"HeightCorrectionAbove", {{"K0118", "1.6"}, {"K0120", "0.2"}}, kHeight},
        RangeCase{"SaturationAbove",
                  {{"K0118", "1.6"}, {"K0121", "0.081"}},
                  "Уставка по давлению на зону линии насыщения должна быть в диапазоне 0-5% от "
                  "верхнего предела измерений преобразователя давления"},
        RangeCase{"Dryness",
                  {{"K0122", "1.01"}},
                  "Договорная степень сухости насыщенного пара должна быть в диапазоне от 0,7 до "
                  "1 "},
        RangeCase{"CurrentUpper",
                  {{"K0123", "49"}},
                  "Верхний предел измерений термопреобразователя с токовым выходным сигналом "
                  "должен быть в диапазоне от 50 до 1000 градусов Цельсия"},
        RangeCase{"CurrentLower",
                  {{"K0124", "-101"}},
                  "Нижний предел измерений термопреобразователя с токовым выходным сигналом "
                  "должен быть в диапазоне от -100 до 100 градусов Цельсия"},
        RangeCase{"ContractTemperature",
                  {{"K0125", "1001"}},
                  "Договорная температура должна быть в диапазоне от -250 до 1000 градусов "
                  "Цельсия"},
        RangeCase{"UpperCorrection",
                  {{"K0126", "2,1"}},
                  "Верхняя поправка на термопреобразователь должна быть в диапазоне от -2 до 2 "
                  "градусов Цельсия"},
        RangeCase{"LowerCorrection",
                  {{"K0127", "-2.1"}},
                  "Нижняя поправка на термопреобразователь должна быть в диапазоне от -2 до 2 "
                  "градусов Цельсия"},
        RangeCase{"Heat",
                  {{"K0156", "0.02"}},
                  "Удельная теплота сгорания газа должна быть в диапазоне от 0,03 до 0,1 "
                  "ГДж/куб.м"},
        RangeCase{"Density",
                  {{"K0158", "1.1"}},
                  "Плотность природного газа в стандартных условиях должна быть в диапазоне от "
                  "0,5 до 1 кг/куб.м"},
        RangeCase{"Nitrogen",
                  {{"K0160", "0.2"}},
                  "Молярная доля азота в природном газе должна быть в диапазоне от 0 до 0,1 "},
        RangeCase{"CarbonDioxide",
                  {{"K0162", "0.2"}},
                  "Молярная доля диоксида углерода в природном газе должна быть в диапазоне от 0 "
                  "до 0,1 "},
        // Media 21 and 22 take the gas rows as j56..j62.
        RangeCase{"Medium21Takes5000",
                  {{"K0100", "21"},
                   {"K0156", "5000"},
                   {"K0158", "5000"},
                   {"K0160", "5000"},
                   {"K0162", "100000"}},
                  ""},
        RangeCase{"J56",
                  {{"K0100", "22"}, {"K0156", "-1"}},
                  "Значение параметра j56 должно быть в диапазоне от 0 до 100000 "},
        RangeCase{"J58",
                  {{"K0100", "21"}, {"K0158", "100001"}},
                  "Значение параметра j58 должно быть в диапазоне от 0 до 100000 "},
        RangeCase{"J60",
                  {{"K0100", "21"}, {"K0160", "-0,1"}},
                  "Значение параметра j60 должно быть в диапазоне от 0 до 100000 "},
        RangeCase{"J62",
                  {{"K0100", "21"}, {"K0162", "2e5"}},
                  "Значение параметра j62 должно быть в диапазоне от 0 до 100000 "},
        RangeCase{"Medium05KeepsGasRanges",
                  {{"K0100", "05"}, {"K0156", "5000"}},
                  "Удельная теплота сгорания газа должна быть в диапазоне от 0,03 до 0,1 "
                  "ГДж/куб.м"},
        // Order: type code, row 01, row 02, then the rows from top to bottom.
        RangeCase{
            "TypeBeforeInputs", {{"K0100", "05100000"}, {"K0101", "49"}}, kNoTransducer.c_str()},
        RangeCase{"FlowInputsBeforePt", {{"K0101", "49"}, {"K0102", "16"}}, kFlowInputs},
        RangeCase{"PtBeforeRows", {{"K0102", "16"}, {"K0103", "-1"}}, kPtInputs},
        RangeCase{"LeftColumnBeforeRight",
                  {{"K0116", "1"}, {"K0117", "2"}},
                  "Температурный коэффициент расширения материала диафрагмы должен быть в "
                  "диапазоне от 0 до 0,0001 1/град.С"},
        RangeCase{"RowBeforeGasTest", {{"K0100", "12"}, {"K0103", "-1"}}, kQ1},
        RangeCase{"GasIncomplete", {{"K0100", "12"}}, kGasIncomplete}),
    [](const ::testing::TestParamInfo<RangeCase>& info) { return std::string(info.param.name); });

// Channel 1 holds flow inputs 1, 2, pressure 17, temperature 18; channel 3 flow input 30. The
// mode specification names barometric input 40 and outdoor air input 41.
struct InputCase {
  const char* name;
  const char* flow;
  const char* pressureTemperature;
  const char* message;
};

class ChannelPageUInputs : public ::testing::TestWithParam<InputCase> {};

TEST_P(ChannelPageUInputs, AgainstOtherChannelsAndSystemInputs) {
  const InputCase& c = GetParam();
  UPage u(0x50, 1);
  u.Set().checkForStart = 0;
  std::memcpy(u.Set().modeSpec.chars, "00114041", 8);
  model::ChannelRecord& first = u.Set().channels[0];
  first.flowInputs[0] = 1;
  first.flowInputs[1] = 2;
  first.pressureInput = 17;
  first.temperatureInput = 18;
  u.Set().channels[2].flowInputs[0] = 30;
  // Beyond the channel count nothing is looked at.
  u.Set().channelCount = 19;
  u.Set().channels[19].flowInputs[0] = 4;
  u.Enter({{"K0201", c.flow}, {"K0202", c.pressureTemperature}});
  EXPECT_EQ(u.Leave(), c.message);
  if (*c.message != 0) {
    EXPECT_EQ(u.ui.messages[0].caption, "Ошибка");
  }
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ChannelPageUInputs,
    ::testing::Values(
        InputCase{"Free", "04,05,48", "19,20", ""}, InputCase{"Nothing", "", "", ""},
        InputCase{"FiveReadsAsFifty", "5", "", kFlowInputs},
        InputCase{"ZeroFiveIsFive", "05", "", ""},
        InputCase{"Above48", "00,00,49", "", kFlowInputs},
        InputCase{"NotDigits", "0x", "", kFlowInputs},
        InputCase{"AnotherChannelsFlow", "00,30", "",
                  "Канал измерения 2-го преобразователя расхода (перепада давления) уже "
                  "задействован на трубопроводе 03"},
        InputCase{"AnotherChannelsPressure", "00,00,17", "",
                  "Канал измерения 3-го преобразователя расхода (перепада давления) уже "
                  "задействован на трубопроводе 01"},
        InputCase{"AnotherChannelsTemperature", "18", "",
                  "Канал измерения 1-го преобразователя расхода (перепада давления) уже "
                  "задействован на трубопроводе 01"},
        InputCase{"OwnInputsNotCompared", "19", "19,19", ""},
        InputCase{"BeyondTheChannelCount", "04", "", ""},
        InputCase{"FlowOnBarometric", "00,40", "",
                  "Канал измерения 2-го преобразователя расхода (перепада давления) не должен "
                  "совпадать с каналом измерения барометрического давления!"},
        InputCase{"FlowOnOutdoorAir", "41", "",
                  "Канал измерения 1-го преобразователя расхода (перепада давления) не должен "
                  "совпадать с каналом измерения температуры наружного воздуха!"},
        InputCase{"Pressure16", "", "16", kPtInputs}, InputCase{"Pressure17Shared", "", "17", ""},
        InputCase{"Pressure48", "", "48", ""}, InputCase{"Pressure49", "", "49", kPtInputs},
        InputCase{"TemperatureNotDigits", "", "20,a", kPtInputs},
        InputCase{"PressureBelow17", "", "01", kPtInputs},
        InputCase{"PressureOnAnotherFlow", "", "30",
                  "Канал измерения давления уже задействован на трубопроводе 03"},
        InputCase{"PressureOnAnotherTemperature", "", "18",
                  "Канал измерения давления уже задействован на трубопроводе 01"},
        InputCase{"PressureOnBarometric", "", "40",
                  "Канал измерения давления не должен совпадать с каналом измерения "
                  "барометрического давления!"},
        InputCase{"PressureOnOutdoorAir", "", "41",
                  "Канал измерения давления не должен совпадать с каналом измерения температуры "
                  "наружного воздуха!"},
        InputCase{"Temperature18Shared", "", "00,18", ""},
        InputCase{"TemperatureOnAnotherPressure", "", "00,17",
                  "Канал измерения температуры уже задействован на трубопроводе 01"},
        InputCase{"TemperatureOnBarometric", "", "00,40",
                  "Канал измерения температуры не должен совпадать с каналом измерения "
                  "барометрического давления!"},
        InputCase{"TemperatureOnOutdoorAir", "", "00,41",
                  "Канал измерения температуры не должен совпадать с каналом измерения "
                  "температуры наружного воздуха!"},
        // Flow inputs are tested in order, every test of one before the next.
        InputCase{"FirstFlowFirst", "41,30", "",
                  "Канал измерения 1-го преобразователя расхода (перепада давления) не должен "
                  "совпадать с каналом измерения температуры наружного воздуха!"}),
    [](const ::testing::TestParamInfo<InputCase>& info) { return std::string(info.param.name); });

TEST(ChannelPageUTest, InputsAreStoredAndCommitted) {
  UPage u(0x50, 1);
  u.Set().checkForStart = 0;
  u.Enter({{"K0201", "04,05,06"}, {"K0202", "20,21"}});
  EXPECT_EQ(u.Leave(), "");
  const model::ChannelRecord& own = u.Set().channels[1];
  EXPECT_EQ(own.flowInputs[0], 4);
  EXPECT_EQ(own.flowInputs[2], 6);
  EXPECT_EQ(own.pressureInput, 20);
  EXPECT_EQ(own.temperatureInput, 21);
  // A stored input above 99 shows three digits and is refused rather than cut.
  u.Record().flowInputs[1] = 120;
  u.Refill();
  EXPECT_EQ(RowValueText(u.page->Rows()[1]), "04,120,06");
  EXPECT_EQ(u.Leave(), kFlowInputs);
  EXPECT_EQ(u.Record().flowInputs[1], 120);
}

// A flow input on the system-wide barometric input is refused whatever the switch.
TEST(ChannelPageUTest, BarometricInputEvenWithoutStartCheck) {
  for (const int check : {0, 1}) {
    UPage u;
    u.Set().checkForStart = check;
    std::memcpy(u.Set().modeSpec.chars, "00000700", 8);
    u.Enter({{"K0101", "07"}});
    EXPECT_EQ(u.Leave(),
              "Канал измерения 1-го преобразователя расхода (перепада давления) не должен "
              "совпадать с каналом измерения барометрического давления!");
  }
}

TEST(ChannelPageUTest, AssociatedGasTestWhateverTheSwitch) {
  for (const int check : {0, 1}) {
    UPage u;
    u.Set().checkForStart = check;
    u.SetGas(10.0f);
    u.Record().gas.concentrations[12].SetNotSet();
    u.Enter({{"K0100", "12"}, {"K0119", "0.1"}, {"K0125", "20"}});
    EXPECT_EQ(u.Leave(), kGasIncomplete);
    EXPECT_EQ(u.ui.messages[0].caption, "Ошибка");
    u.Record().gas.concentrations[12] = Float32::Of(0.0f);
    EXPECT_EQ(u.Leave(), "");
    // Another medium needs no composition.
    u.SetGas(-1.0f);
    u.Record().gas.concentrations[0].SetNotSet();
    u.Enter({{"K0100", "05"}, {"K0158", "0,7"}});
    EXPECT_EQ(u.Leave(), "");
  }
}

TEST(ChannelPageUTest, CompletionChecks) {
  struct Case {
    Entries entries;
    const char* message;  // with the switch on
  };
  const Entries contract = {{"K0119", "0.1"}, {"K0125", "20"}};
  const Case cases[] = {
      {{{"K0100", "04450000"}}, "Необходимо задать передаточный коэффициент электросчетчика"},
      {{{"K0100", "04450000"}, {"K0109", "1000"}},
       "Необходимо задать коэффициент трансформации электросчетчика"},
      // A meter needs nothing else.
      {{{"K0100", "04450000"}, {"K0109", "1000"}, {"K0110", "1"}}, ""},
      {{{"K0100", "01"}}, "Необходимо задать договорное давление"},
      {{{"K0100", "01"}, {"K0119", "0.1"}}, "Необходимо задать договорную температуру"},
      {{{"K0100", "01"}, {"K0119", "0.1"}, {"K0125", "20"}}, ""},
      {{{"K0100", "01410000"}, {"K0119", "0.1"}, {"K0125", "20"}},
       "Необходимо задать верхний предел измерений 1-го преобразователя объемного расхода "
       "(перепада давления)"},
      {{{"K0100", "01300300"}},
       "Необходимо задать верхний предел измерений 3-го преобразователя объемного расхода "
       "(перепада давления)"},
      {{{"K0100", "01450000"}, {"K0103", "50"}, {"K0106", "1"}, {"K0107", "1"}, {"K0108", "5"}},
       "Необходимо задать коэффициент преобразования объемного расходомера"},
      {{{"K0100", "01110000"}, {"K0103", "50"}, {"K0106", "1"}, {"K0107", "1"}, {"K0108", "5"}},
       "Необходимо задать внутренний диаметр трубопровода при 20 град.С"},
      {{{"K0100", "01000010"}, {"K0119", "0.1"}},
       "Необходимо задать верхний предел измерений преобразователя давления"},
      {{{"K0100", "02"}, {"K0119", "0.1"}},
       "Необходимо задать уставку по давлению на зону линии насыщения"},
      {{{"K0100", "01000001"}, {"K0119", "0.1"}},
       "Необходимо задать верхний предел измерений термопреобразователя с токовым выходным "
       "сигналом"},
      {{{"K0100", "05"}, {"K0119", "0.1"}, {"K0125", "20"}},
       "Необходимо задать плотность природного газа в стандартных условиях"},
      {{{"K0100", "00"}}, ""},
  };
  for (const Case& c : cases) {
    for (const int check : {1, 0}) {
      UPage u;
      u.Set().checkForStart = check;
      u.Enter(c.entries);
      const std::string expected = check != 0 ? c.message : "";
      EXPECT_EQ(u.Leave(), expected) << c.entries.begin()->second << " switch " << check;
      if (!expected.empty()) {
        EXPECT_EQ(u.ui.messages[0].caption, kStartCaption);
      }
    }
  }
}

// The dialog writes the block straight into the set; the page's commit keeps it, a copy takes
// it along, and the copy keeps the target's input assignment.
TEST(ChannelPageUTest, CommitKeepsTheGasBlockAndCopyCarriesIt) {
  UPage u;
  u.Set().checkForStart = 0;
  std::unique_ptr<Form> dialog = u.page->Press(CChannel_U_Page::kGasButton, u.ui).dialog;
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(u.ui.messages.empty());  // the page is not checked first
  dialog->Fill();
  ASSERT_EQ(dialog->EnterValue(dialog->RowIndexOf("K0185"), "100").error, std::nullopt);
  ASSERT_EQ(dialog->EnterValue(dialog->RowIndexOf("K0177"), "1").error, std::nullopt);
  ASSERT_TRUE(dialog->Submit(u.ui).accepted);
  EXPECT_EQ(u.Record().gas.concentrations[4], Float32::Of(100.0f));

  u.Enter({{"K0100", "12"}, {"K0101", "05"}});
  EXPECT_EQ(u.Leave(), kGasIncomplete);  // twelve components still not set
  u.SetGas(100.0f / 13);
  EXPECT_EQ(u.Leave(), "");
  EXPECT_EQ(u.Record().mediumKind, 12);
  EXPECT_EQ(u.Record().flowInputs[0], 5);
  EXPECT_EQ(u.Record().gas.humidityKind, 1);
  EXPECT_EQ(u.Record().gas.concentrations[0], Float32::Of(100.0f / 13));

  model::ChannelRecord& target = u.Set().channels[2];
  target.flowInputs[0] = 9;
  u.Set().pageFilled[2] = 1;
  std::unique_ptr<Form> copy = u.page->Press(ChannelPage::kCopyButton, u.ui).dialog;
  ASSERT_NE(copy, nullptr);
  copy->Fill();
  EXPECT_EQ(copy->SetChecked(2, true).error, std::nullopt);
  u.ui.messages.clear();
  ASSERT_NE(copy->FindButton("copy"), nullptr);
  copy->Press("copy", u.ui);
  EXPECT_EQ(target.mediumKind, 12);
  EXPECT_EQ(target.gas, u.Record().gas);
  EXPECT_EQ(target.flowInputs[0], 9);
  EXPECT_EQ(u.Set().pageFilled[2], 0);
}

TEST(ChannelPageUTest, SheetOfVariantU) {
  model::ConfigurationDocument document;
  document.NewConfiguration(0x53);
  std::string message;
  const auto sheet = MakeChannelSheet(document.Set(), message);
  ASSERT_NE(sheet, nullptr) << message;
  ASSERT_EQ(sheet->PageCount(), 10);
  EXPECT_EQ(sheet->PageAt(9).tabTitle, "Канал учета 10");
  EXPECT_EQ(sheet->PageAt(0).tabTitle, "Канал учета 01");
  EXPECT_NE(dynamic_cast<CChannel_U_Page*>(&sheet->PageAt(3)), nullptr);
}

}  // namespace
}  // namespace tarvo::forms
