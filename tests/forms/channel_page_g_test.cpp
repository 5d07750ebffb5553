#include "forms/channel/channel_page_g.h"

#include <gtest/gtest.h>

#include "forms/channel/channel_sheet.h"
#include "forms/channel/copy_channel_dlg.h"
#include "forms/channel/irvis_k300_dlg.h"
#include "forms/channel/type_code_g.h"
#include "forms/channel_page_fixture.h"
#include "model/document.h"

namespace tarvo::forms {
namespace {

using model::Float32;

constexpr const char* kType = "Ошибочно задан параметр <Вид носителя и тип преобразователей>";
const std::string kChannelOff = TypeRefusal(
    "позиция 1 (вид носителя) = 0: канал не используется, остальные позиции должны быть 0, а "
    "позиция 2 = 1");
const std::string kNoIrvisWith47 = TypeRefusal(
    "позиция 3 (тип 1-го преобразователя расхода) = 6: при исполнении 47 допустимы 0–5, 7–9");
constexpr const char* kIrvis = "Необходимо задать параметры расходомера ИРВИС-К300";
constexpr const char* kStartCaption = "Ошибка (невозможен пуск на счет)";

// Channel 1 of a new configuration of the execution code, its page filled.
struct GPage : ChannelPageFixture<CChannel_G_Page> {
  explicit GPage(std::uint8_t executionCode = 0x42, int channelIndex = 0)
      : ChannelPageFixture(executionCode, channelIndex) {}
  void FillIrvisTable(float value) {
    for (auto& v : Record().irvis1) v = Float32::Of(value);
    for (auto& v : Record().irvis2) v = Float32::Of(value);
  }
};

TEST(TypeCodeGTest, RulesPerExecutionCode) {
  struct Case {
    const char* text;
    std::uint8_t executionCode;
    const char* stored;  // the code as read back, null when refused
  };
  const Case cases[] = {
      {"5", 0x42, "5000000"},       {"", 0x42, "0000000"},
      {"0000000", 0x47, "0000000"}, {"A100000", 0x47, "A100000"},
      {"B100000", 0x47, "B100000"}, {"A100000", 0x42, nullptr},  // letters exceed 9 unless 47
      {"C100000", 0x47, nullptr},   {"5A00000", 0x47, nullptr},  // a letter only in front
      {"a100000", 0x47, nullptr},   {"5 00000", 0x42, nullptr},
      {"5б", 0x42, nullptr},        {"0100000", 0x42, nullptr},  // medium 0 with another digit
      {"0000001", 0x47, nullptr},   {"5012000", 0x42, nullptr},  // flow method 0 with a transducer
      {"5412000", 0x42, nullptr},                                // flow method 4 with two
      {"5401000", 0x42, "5401000"}, {"5312000", 0x42, "5312000"},
      {"5123000", 0x42, "5123000"}, {"9373338", 0x43, "9373338"},  // the largest characters
      {"9470008", 0x43, "9470008"}, {"5500000", 0x43, nullptr},
      {"5180000", 0x45, nullptr},   {"5114000", 0x45, nullptr},
      {"5100400", 0x42, nullptr},   {"5100009", 0x42, nullptr},
      {"5980099", 0x47, "5980099"},                              // no largest characters with 47
      {"5160000", 0x42, "5160000"}, {"5160000", 0x47, nullptr},  // no ИРВИС-К300 with 47
      {"51200000", 0x42, nullptr},  // a record whose digit took two characters
  };
  for (const Case& c : cases) {
    model::ChannelRecord record{};
    record.mediumKind = 7;
    const bool read = ReadTypeCodeG(c.text, c.executionCode, record);
    EXPECT_EQ(read, c.stored != nullptr) << c.text << " " << int(c.executionCode);
    if (c.stored != nullptr) {
      EXPECT_EQ(TypeCodeTextG(record), c.stored) << c.text;
    } else {
      EXPECT_EQ(record.mediumKind, 7) << "refused, yet stored: " << c.text;
    }
  }
}

TEST(TypeCodeGTest, MediumShownInHexadecimal) {
  const struct {
    std::uint8_t medium;
    std::uint8_t method;
    const char* text;
  } cases[] = {{10, 1, "A100000"},
               {11, 0, "B000000"},
               {15, 2, "F200000"},
               {16, 0, "0000000"},
               {9, 4, "9400000"}};
  for (const auto& c : cases) {
    model::ChannelRecord record{};
    record.mediumKind = c.medium;
    record.typeDigit2 = c.method;
    EXPECT_EQ(TypeCodeTextG(record), c.text);
  }
  GPage g(0x47);
  g.Record().mediumKind = 10;
  g.Record().typeDigits3to5[0] = 3;
  g.Set().pageFilled[0] = 0;
  g.page->Fill();
  EXPECT_EQ(g.page->Rows()[0].Text(), "A030000");
  EXPECT_EQ(g.page->Rows()[0].cells[0].maxLength, 7);
}

// A record read from elsewhere may hold a digit above 9: it shows as two characters, and leaving
// the page must not cut the text to seven and so shift the digits into other fields.
TEST(ChannelPageGTest, ATypeDigitAbove9IsRefusedNotShifted) {
  GPage g;
  g.Set().checkForStart = 0;
  g.Record().mediumKind = 5;
  g.Record().typeDigit2 = 12;
  g.Set().pageFilled[0] = 0;
  g.page->Fill();
  EXPECT_EQ(g.page->Rows()[0].Text(), "51200000");
  EXPECT_EQ(g.Leave(), TypeRefusal("в коде 8 знаков, а допускается не более 7"));
  EXPECT_EQ(g.Record().typeDigit2, 12);
  g.Enter({{"K100", "5100000"}});
  EXPECT_EQ(g.Leave(), "");
  EXPECT_EQ(g.Record().typeDigit2, 1);
}

TEST(ChannelPageGTest, RowsCodesAndColumns) {
  GPage g(0x42, 1);
  ASSERT_EQ(g.page->Rows().size(), 30u);
  const struct {
    std::size_t row;
    const char* code;
    const char* description;
    int column;
  } cases[] = {
      {0, "K200", " Вид носителя и тип преобразователей", 0},
      {1, "K202", " Верхний предел измерений Qв1, куб.м/ч (dPв1, кПа)", 0},
      {9, "K210", " Температурный коэффициент, 1/град.C", 0},
      {15, "K216", " Коэффициент притупления кромки диафрагмы", 0},
      {16, "K217", " Верхний предел измерений преобр-ля давления, МПа", 1},
      {25, "K226", " Нижняя поправка на термопреобразователь, град.С", 1},
      {26, "K259", " Удельная теплота сгорания газа, ГДж/куб.м", 1},
      {29, "K265", " Молярная доля диоксида углерода в природном газе", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(g.page->Rows()[c.row].code, c.code);
    EXPECT_EQ(g.page->Rows()[c.row].description, c.description);
    EXPECT_EQ(g.page->Rows()[c.row].column, c.column) << c.code;
  }
  EXPECT_EQ(g.page->Rows()[0].Text(), "0000000");
  EXPECT_EQ(g.page->Rows()[1].Text(), "-");
  EXPECT_EQ(g.page->Rows()[1].cells[0].maxLength, 9);

  model::ConfigurationDocument ten;
  ten.NewConfiguration(0x42);
  ten.Set().channelCount = 10;
  CChannel_G_Page tenth(ten.Set(), 9);
  EXPECT_EQ(tenth.Rows()[0].code, "K1000");
  EXPECT_EQ(tenth.Rows()[1].code, "K-02");
  EXPECT_EQ(tenth.Rows()[29].code, "K-65");
}

struct RangeCase {
  const char* name;
  std::uint8_t executionCode;
  Entries entries;  // switch off: only the type code, the rows and the table check run
  const char* message;
};

class ChannelPageGRanges : public ::testing::TestWithParam<RangeCase> {};

TEST_P(ChannelPageGRanges, RefusesWithTheRowsMessage) {
  const RangeCase& c = GetParam();
  GPage g(c.executionCode);
  g.Set().checkForStart = 0;
  g.Enter(c.entries);
  EXPECT_EQ(g.Leave(), c.message);
  if (*c.message != 0) {
    EXPECT_EQ(g.ui.messages[0].caption, "Ошибка");
    EXPECT_EQ(g.ui.messages[0].icon, platform::Icon::Error);
  }
}

constexpr const char* kQ1 =
    "Верхний предел измерения 1-го преобразователя объемного расхода (перепада давления) должен "
    "быть в диапазоне от 0 до 999999 куб.м/ч (кПа)";
constexpr const char* kLowerFlow =
    "Нижний предел измерений преобразователя объемного расхода (перепада давления) должен быть в "
    "диапазоне от нуля до 20% от верхнего предела измерения самого чувствительного "
    "преобразователя";
constexpr const char* kCutOff =
    "Отсечка самохода счета должна быть в диапазоне от нуля до нижнего предела измерений "
    "объемного расхода (перепада давления)";
constexpr const char* kContract =
    "Договорной расход (перепад давления) должен быть в диапазоне от нуля до максимального "
    "верхнего предела измерений преобразователя";
constexpr const char* kAdditive =
    "Аддитивный параметр расходомера не должен выходить за +/-10% от верхнего предела измерений "
    "расходомера";
constexpr const char* kOrifice =
    "Диаметр отверстия диафрагмы при 20 град.С должен быть в диапазоне 10%-80% от внутреннего "
    "диаметра трубопровода";
constexpr const char* kHeight =
    "Поправка на высоту установки преобразователя давления должна быть в диапазоне +/-10% от "
    "верхнего предела измерений преобразователя давления";
constexpr const char* kSaturation =
    "Уставка по давлению на зону линии насыщения должна быть в диапазоне 0-5% от верхнего предела "
    "измерений преобразователя давления";

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ChannelPageGRanges,
    ::testing::Values(
        RangeCase{"Q1Top", 0x42, {{"K102", "999999"}}, ""},
        RangeCase{"Q1Above", 0x42, {{"K102", "1000000"}}, kQ1},
        RangeCase{"Q2Negative",
                  0x42,
                  {{"K103", "-1"}},
                  "Верхний предел измерения 2-го преобразователя объемного расхода (перепада "
                  "давления) должен быть в диапазоне от 0 до 999999 куб.м/ч (кПа)"},
        RangeCase{"Q3Above",
                  0x42,
                  {{"K104", "1e6"}},
                  "Верхний предел измерения 3-го преобразователя объемного расхода (перепада "
                  "давления) должен быть в диапазоне от 0 до 999999 куб.м/ч (кПа)"},
        // Transducers 1 and 2 with limits 100 and 40: lower limit up to 8, contract up to 100.
        RangeCase{"LowerFlow8",
                  0x42,
                  {{"K100", "5312000"}, {"K102", "100"}, {"K103", "40"}, {"K105", "8"}},
                  ""},
        RangeCase{"LowerFlowAbove8",
                  0x42,
                  {{"K100", "5312000"}, {"K102", "100"}, {"K103", "40"}, {"K105", "8,01"}},
                  kLowerFlow},
        RangeCase{"Contract100",
                  0x42,
                  {{"K100", "5312000"}, {"K102", "100"}, {"K103", "40"}, {"K107", "100"}},
                  ""},
        RangeCase{"ContractAbove100",
                  0x42,
                  {{"K100", "5312000"}, {"K102", "100"}, {"K103", "40"}, {"K107", "100.1"}},
                  kContract},
        // A present transducer whose limit is not set counts as 0.
        RangeCase{"LowerFlowUnsetLimit",
                  0x42,
                  {{"K100", "5312000"}, {"K102", "100"}, {"K105", "1"}},
                  kLowerFlow},
        // An absent transducer's limit does not count.
        RangeCase{"LowerFlowAbsentTransducer",
                  0x42,
                  {{"K100", "5310000"}, {"K102", "100"}, {"K103", "1"}, {"K105", "20"}},
                  ""},
        RangeCase{"NoTransducerLower", 0x42, {{"K105", "199999,8"}}, ""},
        RangeCase{"NoTransducerLowerAbove", 0x42, {{"K105", "199999.9"}}, kLowerFlow},
        RangeCase{"NoTransducerContract", 0x42, {{"K107", "999999"}}, ""},
        RangeCase{"NoTransducerContractAbove", 0x42, {{"K107", "1000000"}}, kContract},
        RangeCase{"CutOffZeroUnderUnsetLower", 0x42, {{"K106", "0"}}, ""},
        RangeCase{"CutOffDashUnderUnsetLower", 0x42, {{"K106", "--"}}, ""},
        RangeCase{"CutOffAboveUnsetLower", 0x42, {{"K106", "0,001"}}, kCutOff},
        RangeCase{"CutOffAtLower", 0x42, {{"K105", "5"}, {"K106", "5"}}, ""},
        RangeCase{"CutOffAboveLower", 0x42, {{"K105", "5"}, {"K106", "5.1"}}, kCutOff},
        RangeCase{"Conversion100000", 0x42, {{"K108", "100000"}}, ""},
        RangeCase{"ConversionAbove",
                  0x42,
                  {{"K108", "100001"}},
                  "Коэффициент преобразования объемного расходомера должен быть в диапазоне от 0 "
                  "до 100000 "},
        RangeCase{"AdditiveWideLow", 0x42, {{"K109", "-999999"}}, ""},
        RangeCase{"AdditiveWideHigh", 0x42, {{"K109", "999999"}}, ""},
        RangeCase{"AdditiveWideAbove", 0x42, {{"K109", "1000000"}}, kAdditive},
        RangeCase{"AdditiveType4", 0x42, {{"K100", "5140000"}, {"K102", "50"}, {"K109", "-5"}}, ""},
        RangeCase{"AdditiveType4Above",
                  0x42,
                  {{"K100", "5140000"}, {"K102", "50"}, {"K109", "5,01"}},
                  kAdditive},
        RangeCase{"TemperatureCoefficient",
                  0x42,
                  {{"K110", "0.0002"}},
                  "Температурный коэффициент объемного расходомера должен быть в диапазоне от "
                  "-0,0001 до 0,0001 "},
        RangeCase{"PipeBelow",
                  0x42,
                  {{"K111", "9"}},
                  "Внутренний диаметр трубопровода при 20 град.С должен быть в диапазоне от 10 до "
                  "2000 мм"},
        RangeCase{"PipeTop", 0x42, {{"K111", "2000"}}, ""},
        RangeCase{"PipeExpansion",
                  0x42,
                  {{"K112", "0,0002"}},
                  "Температурный коэффициент расширения материала трубопровода должен быть в "
                  "диапазоне от 0 до 0,0001 1/град.С"},
        RangeCase{"Roughness",
                  0x42,
                  {{"K113", "1.6"}},
                  "Эквивалентная шероховатость материала трубопровода должна быть в диапазоне от "
                  "0 до 1,5 мм"},
        RangeCase{"OrificeUnderUnsetPipe", 0x42, {{"K114", "0"}}, ""},
        RangeCase{"OrificeAboveUnsetPipe", 0x42, {{"K114", "1"}}, kOrifice},
        RangeCase{"Orifice10Percent", 0x42, {{"K111", "100"}, {"K114", "10"}}, ""},
        RangeCase{"Orifice80Percent", 0x42, {{"K111", "100"}, {"K114", "80"}}, ""},
        RangeCase{"OrificeBelow10Percent", 0x42, {{"K111", "100"}, {"K114", "9.9"}}, kOrifice},
        RangeCase{"OrificeAbove80Percent", 0x42, {{"K111", "100"}, {"K114", "80.1"}}, kOrifice},
        RangeCase{"OrificeExpansion",
                  0x42,
                  {{"K115", "-0.1"}},
                  "Температурный коэффициент расширения материала диафрагмы должен быть в "
                  "диапазоне от 0 до 0,0001 1/град.С"},
        RangeCase{"Bluntness",
                  0x42,
                  {{"K116", "0.99"}},
                  "Коэффициент притупления кромки диафрагмы должен быть в диапазоне от 1 до 1,05 "},
        RangeCase{"PressureLimit",
                  0x42,
                  {{"K117", "31"}},
                  "Верхний предел измерений преобразователя давления должен быть в диапазоне от 0 "
                  "до 30 МПа"},
        RangeCase{"ContractPressureLow", 0x42, {{"K118", "0.09"}}, ""},
        RangeCase{"ContractPressureBelow",
                  0x42,
                  {{"K118", "0,08"}},
                  "Договорное абсолютное давление должно быть в диапазоне от 0,09 до 30 МПа"},
        RangeCase{"HeightCorrection", 0x42, {{"K117", "1.6"}, {"K119", "-0,16"}}, ""},
        RangeCase{"HeightCorrectionAbove", 0x42, {{"K117", "1.6"}, {"K119", "0.2"}}, kHeight},
        RangeCase{"HeightUnderUnsetLimit", 0x42, {{"K119", "0.01"}}, kHeight},
        RangeCase{"Saturation5Percent", 0x42, {{"K117", "1.6"}, {"K120", "0.08"}}, ""},
        RangeCase{"SaturationAbove", 0x42, {{"K117", "1.6"}, {"K120", "0.081"}}, kSaturation},
        RangeCase{"Dryness",
                  0x42,
                  {{"K121", "0.69"}},
                  "Договорная степень сухости насыщенного пара должна быть в диапазоне от 0,7 до "
                  "1 "},
        RangeCase{"CurrentUpper",
                  0x42,
                  {{"K122", "49"}},
                  "Верхний предел измерений термопреобразователя с токовым выходным сигналом "
                  "должен быть в диапазоне от 50 до 1000 градусов Цельсия"},
        RangeCase{"CurrentLower",
                  0x42,
                  {{"K123", "-101"}},
                  "Нижний предел измерений термопреобразователя с токовым выходным сигналом "
                  "должен быть в диапазоне от -100 до 100 градусов Цельсия"},
        RangeCase{"ContractTemperature",
                  0x42,
                  {{"K124", "-251"}},
                  "Договорная температура должна быть в диапазоне от -250 до 1000 градусов "
                  "Цельсия"},
        RangeCase{"UpperCorrection",
                  0x42,
                  {{"K125", "2,1"}},
                  "Верхняя поправка на термопреобразователь должна быть в диапазоне от -2 до 2 "
                  "градусов Цельсия"},
        RangeCase{"LowerCorrection",
                  0x42,
                  {{"K126", "-2.1"}},
                  "Нижняя поправка на термопреобразователь должна быть в диапазоне от -2 до 2 "
                  "градусов Цельсия"},
        RangeCase{"Heat",
                  0x42,
                  {{"K159", "0.02"}},
                  "Удельная теплота сгорания газа должна быть в диапазоне от 0,03 до 0,1 "
                  "ГДж/куб.м"},
        RangeCase{"Density",
                  0x42,
                  {{"K161", "1.1"}},
                  "Плотность природного газа в стандартных условиях должна быть в диапазоне от "
                  "0,5 до 1 кг/куб.м"},
        RangeCase{"Nitrogen",
                  0x42,
                  {{"K163", "0.2"}},
                  "Молярная доля азота в природном газе должна быть в диапазоне от 0 до 0,1 "},
        RangeCase{"CarbonDioxide",
                  0x42,
                  {{"K165", "0.2"}},
                  "Молярная доля диоксида углерода в природном газе должна быть в диапазоне от 0 "
                  "до 0,1 "},
        // Order: the type code before any row, rows from top to bottom.
        RangeCase{
            "TypeBeforeRows", 0x42, {{"K100", "0100000"}, {"K102", "-5"}}, kChannelOff.c_str()},
        RangeCase{"TopRowFirst", 0x42, {{"K102", "-1"}, {"K165", "5"}}, kQ1},
        RangeCase{"LeftColumnBeforeRight",
                  0x42,
                  {{"K116", "2"}, {"K117", "31"}},
                  "Коэффициент притупления кромки диафрагмы должен быть в диапазоне от 1 до 1,05 "},
        RangeCase{"RowBeforeTableCheck", 0x42, {{"K100", "5460000"}, {"K102", "-1"}}, kQ1},
        RangeCase{"TableIncomplete", 0x42, {{"K100", "5460000"}}, kIrvis},
        RangeCase{"NoTableWith47", 0x47, {{"K100", "5160000"}}, kNoIrvisWith47.c_str()}),
    [](const ::testing::TestParamInfo<RangeCase>& info) { return std::string(info.param.name); });

TEST(ChannelPageGTest, IrvisRowsTakeItsParametersWithTheirOwnMessages) {
  struct Case {
    Entries entries;
    const char* message;
  };
  const Case cases[] = {
      {{{"K111", "5"}, {"K114", "100"}, {"K116", "-3"}}, ""},  // pipe bounds do not apply
      {{{"K111", "1e21"}}, "Параметр j11 - за пределами допустимого диапазона!"},
      {{{"K112", "-2e20"}}, "Параметр j12 - за пределами допустимого диапазона!"},
      {{{"K113", "1e20"}, {"K116", "1e21"}}, "Параметр j16 - за пределами допустимого диапазона!"},
      {{{"K115", "-1e21"}}, "Параметр j15 - за пределами допустимого диапазона!"},
  };
  for (const Case& c : cases) {
    GPage g;
    g.Set().checkForStart = 0;
    g.FillIrvisTable(1.0f);
    g.Enter({{"K100", "5460000"}});
    g.Enter(c.entries);
    EXPECT_EQ(g.Leave(), c.message) << c.entries.begin()->first;
  }
}

TEST(ChannelPageGTest, TableCheckIgnoresTheSwitch) {
  for (const int checkForStart : {0, 1}) {
    GPage g;
    g.Set().checkForStart = checkForStart;
    g.FillIrvisTable(2.0f);
    g.Record().irvis2[13].SetNotSet();
    g.Enter({{"K100", "5460000"}});
    EXPECT_EQ(g.Leave(), kIrvis);
    EXPECT_EQ(g.ui.messages[0].caption, "Ошибка");
    EXPECT_EQ(g.Record().mediumKind, 0) << "refused: nothing committed";
    g.Record().irvis2[13] = Float32::Of(0.0f);  // 0 counts as set
    const std::string message = g.Leave();
    EXPECT_EQ(message, checkForStart != 0 ? "Необходимо задать верхний предел измерений 1-го "
                                            "преобразователя объемного расхода (перепада давления)"
                                          : "");
  }
}

// A channel of medium 5, flow method 3, transducers 1 and 2, pressure and current-output
// temperature transducers, with every value it needs to start counting.
const Entries kComplete = {
    {"K100", "5312011"}, {"K102", "100"}, {"K103", "40"},  {"K105", "5"},   {"K106", "1"},
    {"K107", "50"},      {"K111", "100"}, {"K112", "0"},   {"K113", "0,1"}, {"K114", "50"},
    {"K115", "0"},       {"K116", "1"},   {"K117", "1,6"}, {"K118", "0,2"}, {"K122", "100"},
    {"K123", "-50"},     {"K124", "20"},  {"K161", "0,7"},
};

struct CompletionCase {
  const char* name;
  Entries changes;  // over kComplete
  const char* message;
};

class ChannelPageGCompletion : public ::testing::TestWithParam<CompletionCase> {};

TEST_P(ChannelPageGCompletion, DemandsTheFirstValueNotSet) {
  const CompletionCase& c = GetParam();
  GPage g;
  g.FillIrvisTable(1.0f);
  g.Enter(kComplete);
  g.Enter(c.changes);
  EXPECT_EQ(g.Leave(), c.message);
  if (*c.message != 0) {
    // A range error still comes first, with its own caption.
    const bool demand = std::string(c.message).starts_with("Необходимо задать");
    EXPECT_EQ(g.ui.messages[0].caption, demand ? kStartCaption : "Ошибка");
    EXPECT_EQ(g.ui.messages[0].icon, platform::Icon::Error);
    EXPECT_TRUE(g.Record().Slot(1).IsNotSet()) << "refused: nothing committed";
  }
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ChannelPageGCompletion,
    ::testing::Values(
        CompletionCase{"Complete", {}, ""},
        CompletionCase{"Q1",
                       {{"K102", "-"}, {"K105", "0"}, {"K106", "0"}, {"K107", "40"}},
                       "Необходимо задать верхний предел измерений 1-го преобразователя объемного "
                       "расхода (перепада давления)"},
        CompletionCase{"Q2",
                       {{"K103", "-"}, {"K105", "0"}, {"K106", "0"}},
                       "Необходимо задать верхний предел измерений 2-го преобразователя объемного "
                       "расхода (перепада давления)"},
        CompletionCase{"Q3",
                       {{"K100", "5312111"}, {"K105", "0"}, {"K106", "0"}},
                       "Необходимо задать верхний предел измерений 3-го преобразователя объемного "
                       "расхода (перепада давления)"},
        CompletionCase{"AbsentTransducerNotDemanded", {{"K100", "5310011"}, {"K103", "-"}}, ""},
        CompletionCase{"Lower",
                       {{"K105", "-"}, {"K106", "-"}},
                       "Необходимо задать нижний предел измерений объемного расхода (перепада "
                       "давления)"},
        CompletionCase{"CutOff", {{"K106", "-"}}, "Необходимо задать отсечку самохода счета"},
        CompletionCase{"Contract",
                       {{"K107", "-"}},
                       "Необходимо задать договорной объемный расход (перепад давления)"},
        CompletionCase{"Conversion4",
                       {{"K100", "5340011"}},
                       "Необходимо задать коэффициент преобразования объемного расходомера"},
        CompletionCase{"Conversion5",
                       {{"K100", "5350011"}},
                       "Необходимо задать коэффициент преобразования объемного расходомера"},
        CompletionCase{"Pipe",
                       {{"K111", "-"}, {"K114", "-"}},
                       "Необходимо задать внутренний диаметр трубопровода при 20 град.С"},
        CompletionCase{"PipeExpansion",
                       {{"K112", "-"}},
                       "Необходимо задать коэффициент температурного расширения материала "
                       "трубопровода"},
        CompletionCase{"Roughness",
                       {{"K113", "-"}},
                       "Необходимо задать эквивалентную шероховатость материала трубопровода"},
        CompletionCase{"Orifice",
                       {{"K114", "-"}},
                       "Необходимо задать диаметр отверстия диафрагмы при 20 град.С"},
        CompletionCase{"OrificeExpansion",
                       {{"K115", "-"}},
                       "Необходимо задать коэффициент температурного расширения материала "
                       "диафрагмы"},
        CompletionCase{"Bluntness",
                       {{"K116", "-"}},
                       "Необходимо задать коэффициент притупления кромки диафрагмы"},
        CompletionCase{"FlowMethod4NoPipe",
                       {{"K100", "5410011"}, {"K103", "-"}, {"K111", "-"}, {"K114", "-"}},
                       ""},
        CompletionCase{
            "IrvisJ11", {{"K100", "5460011"}, {"K111", "-"}}, "Необходимо задать параметр j11"},
        CompletionCase{
            "IrvisJ16", {{"K100", "5460011"}, {"K116", "-"}}, "Необходимо задать параметр j16"},
        CompletionCase{"NoFlowMethodNoFlowRows",
                       {{"K100", "5000011"},
                        {"K102", "-"},
                        {"K105", "-"},
                        {"K106", "-"},
                        {"K107", "-"},
                        {"K111", "-"},
                        {"K114", "-"}},
                       ""},
        CompletionCase{"PressureLimit",
                       {{"K117", "-"}},
                       "Необходимо задать верхний предел измерений преобразователя давления"},
        CompletionCase{"NoPressureTransducer", {{"K100", "5312001"}, {"K117", "-"}}, ""},
        CompletionCase{
            "ContractPressure", {{"K118", "-"}}, "Необходимо задать договорное давление"},
        CompletionCase{"SteamSetPoint",
                       {{"K100", "2312011"}},
                       "Необходимо задать уставку по давлению на зону линии насыщения"},
        CompletionCase{"SteamDryness",
                       {{"K100", "2312011"}, {"K120", "0,05"}},
                       "Необходимо задать договорную степень сухости насыщенного пара"},
        CompletionCase{"CurrentUpper",
                       {{"K100", "5312013"}, {"K122", "-"}},
                       "Необходимо задать верхний предел измерений термопреобразователя с "
                       "токовым выходным сигналом"},
        CompletionCase{"CurrentLower",
                       {{"K123", "-"}},
                       "Необходимо задать нижний предел измерений термопреобразователя с "
                       "токовым выходным сигналом"},
        CompletionCase{"NoCurrentOutput", {{"K100", "5312014"}, {"K122", "-"}, {"K123", "-"}}, ""},
        CompletionCase{
            "ContractTemperature", {{"K124", "-"}}, "Необходимо задать договорную температуру"},
        CompletionCase{"Density",
                       {{"K161", "-"}},
                       "Необходимо задать плотность природного газа в стандартных условиях"},
        CompletionCase{"DensityOnlyForMedium5", {{"K100", "3312011"}, {"K161", "-"}}, ""},
        CompletionCase{"RangeBeforeCompletion",
                       {{"K118", "-"}, {"K165", "1"}},
                       "Молярная доля диоксида углерода в природном газе должна быть в диапазоне "
                       "от 0 до 0,1 "}),
    [](const ::testing::TestParamInfo<CompletionCase>& info) {
      return std::string(info.param.name);
    });

TEST(ChannelPageGTest, NothingIsDemandedWithTheSwitchOffOrMediumZero) {
  for (const auto& [type, checkForStart] :
       std::vector<std::pair<std::string, int>>{{"5312011", 0}, {"0000000", 1}, {"", 1}}) {
    GPage g;
    g.Set().checkForStart = checkForStart;
    g.Enter({{"K100", type}});
    EXPECT_EQ(g.Leave(), "") << type;
  }
}

TEST(ChannelPageGTest, CommitKeepsTheIrvisTableAndResetsWhatThePageDoesNotShow) {
  GPage g;
  g.Set().checkForStart = 0;
  model::ChannelRecord& record = g.Record();
  g.FillIrvisTable(3.0f);
  record.flowInputs[0] = 5;
  record.Slot(28) = Float32::Of(4.0f);
  record.Slot(10) = Float32::Of(6.0f);
  record.failureList = 3;
  g.Enter({{"K100", "5460000"}, {"K111", "7"}, {"K165", "0,05"}});
  ASSERT_EQ(g.Leave(), "");
  EXPECT_EQ(record.irvis1[0], Float32::Of(3.0f));
  EXPECT_EQ(record.irvis2[13], Float32::Of(3.0f));
  EXPECT_EQ(record.typeDigits3to5[0], 6);
  EXPECT_EQ(record.Slot(12), Float32::Of(7.0f));
  EXPECT_EQ(record.Slot(32), Float32::Of(0.05f));
  EXPECT_EQ(record.flowInputs[0], 0);
  EXPECT_EQ(record.Slot(28), Float32::Of(0.0f));
  EXPECT_TRUE(record.Slot(10).IsNotSet());
  EXPECT_EQ(record.failureList, 0);
}

TEST(ChannelPageGTest, IrvisButtonOpensTheDialogWithoutCheckingThePage) {
  GPage g;
  Button* button = g.page->FindButton(CChannel_G_Page::kIrvisButton);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->label, "Параметры ИРВИС-К300");
  EXPECT_TRUE(button->visible);
  EXPECT_TRUE(button->OpensDialog());
  g.Enter({{"K100", "0100000"}});  // would be refused on leaving
  auto dialog = g.page->Press(CChannel_G_Page::kIrvisButton, g.ui).dialog;
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(g.ui.messages.empty());
  EXPECT_EQ(static_cast<CIrvisK300Dlg&>(*dialog).ChannelIndex(), 0);
}

TEST(ChannelPageGTest, Execution47HidesTheIrvisButton) {
  GPage g(0x47);
  EXPECT_FALSE(g.page->FindButton(CChannel_G_Page::kIrvisButton)->visible);
  EXPECT_EQ(g.page->Press(CChannel_G_Page::kIrvisButton, g.ui).outcome,
            PressResult::Outcome::Unavailable);
  EXPECT_TRUE(OpenDialogs(*g.page, g.ui).empty());
  GPage h(0x45);
  ASSERT_EQ(OpenDialogs(*h.page, h.ui).size(), 1u);
}

TEST(ChannelPageGTest, CopyOnExecution47KeepsOnlyFlowTransducer1OffChannel1) {
  GPage g(0x47);
  g.Set().checkForStart = 0;
  g.Enter({{"K100", "5123000"}, {"K102", "10"}});
  auto dialog = g.page->Press(ChannelPage::kCopyButton, g.ui).dialog;
  ASSERT_NE(dialog, nullptr);
  dialog->Fill();
  EXPECT_EQ(dialog->SetChecked(1, true).error, std::nullopt);
  EXPECT_EQ(dialog->SetChecked(2, true).error, std::nullopt);
  dialog->Press(CCopyChannelDlg::kCopyButton, g.ui);
  for (int target : {1, 2}) {
    const model::ChannelRecord& copy = g.Set().channels[target];
    EXPECT_EQ(TypeCodeTextG(copy), "5120000") << target;
    EXPECT_EQ(copy.Slot(1), Float32::Of(10.0f));
    EXPECT_EQ(g.Set().pageFilled[target], 0);
  }
  EXPECT_EQ(TypeCodeTextG(g.Set().channels[0]), "5123000");
}

TEST(ChannelPageGTest, CopyCarriesTheIrvisTable) {
  GPage g(0x42);
  g.Set().checkForStart = 0;
  g.FillIrvisTable(8.0f);
  g.Enter({{"K100", "5460000"}});
  auto dialog = g.page->Press(ChannelPage::kCopyButton, g.ui).dialog;
  ASSERT_NE(dialog, nullptr);
  dialog->Fill();
  EXPECT_EQ(dialog->SetChecked(1, true).error, std::nullopt);
  dialog->Press(CCopyChannelDlg::kCopyButton, g.ui);
  EXPECT_EQ(g.Set().channels[1].irvis2[5], Float32::Of(8.0f));
  EXPECT_EQ(TypeCodeTextG(g.Set().channels[1]), "5460000");
}

TEST(ChannelPageGTest, SheetOfVariantGUsesThePage) {
  model::ConfigurationDocument document;
  document.NewConfiguration(0x47);
  std::string message;
  auto sheet = MakeChannelSheet(document.Set(), message);
  ASSERT_NE(sheet, nullptr) << message;
  ASSERT_EQ(sheet->PageCount(), 3);
  EXPECT_EQ(sheet->PageAt(2).Rows()[0].code, "K300");
  EXPECT_NE(dynamic_cast<CChannel_G_Page*>(&sheet->PageAt(2)), nullptr);
}

}  // namespace
}  // namespace tarvo::forms
