#include "forms/channel/channel_page_uv.h"

#include <gtest/gtest.h>

#include "channel_page_fixture.h"
#include "forms/channel/channel_sheet.h"
#include "forms/channel/type_code_4.h"

namespace tarvo::forms {
namespace {

using model::Float32;
using UvPage = ChannelPageFixture<CChannel_UV_Page>;

constexpr std::uint8_t kUv = 0x60;
constexpr const char* kType = "Ошибочно задан параметр <Вид носителя и тип преобразователей>";
const std::string kChannelOff = TypeRefusal(
    "позиция 1 (вид носителя) = 0: канал не используется, остальные позиции должны быть 0, а "
    "позиция 2 = 1");
constexpr const char* kStartCaption = "Ошибка (невозможен пуск на счет)";

TEST(ChannelPageUvTest, RowsCodesColumnsAndFill) {
  UvPage uv(kUv);
  const auto& rows = uv.page->Rows();
  ASSERT_EQ(rows.size(), 19u);
  const struct {
    std::size_t row;
    const char* code;
    const char* description;
    int column;
    const char* value;  // a new configuration's record
  } cases[] = {
      {0, "K100", " Вид носителя и тип преобразователей", 0, "0000"},
      {1, "K101", " Назначение каналов преобразователей Q,P,T", 0, "00,00,00"},
      {2, "K102", " Верхний предел измерений расходомера, куб.м/ч", 0, "-"},
      {6, "K106", " Коэффициент преобразования расходомера, куб.м/ч/Гц (л/имп)", 0, "-"},
      {9, "K109", " Верхний предел измерений термопреобразователя с токовым выходом", 0, "-"},
      {10, "K110", " Нижний предел измерений термопреобразователя с токовым выходом", 1, "-"},
      {13, "K113", " Нижняя поправка на термопреобразователь, град.С", 1, "-"},
      {14, "K114", " Вид архивных значений температуры и давления", 1, "11"},
      {15, "K115", " Контроль выхода расхода за нижний и верхний пределы измерений", 1, "00"},
      {16, "K116", " Перечень НС, являющихся признаком функционального отказа", 1, "00000000"},
      {17, "K118", " Аддитивный параметр расходомера ВЭПС-Т, куб.м/ч", 1, "-"},
      {18, "K119", " Температурный коэффициент расходомера ВЭПС-Т, 1/град.C", 1, "-"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rows[c.row].code, c.code);
    EXPECT_EQ(rows[c.row].description, c.description) << c.code;
    EXPECT_EQ(rows[c.row].column, c.column) << c.code;
    EXPECT_EQ(RowValueText(rows[c.row]), c.value) << c.code;
  }
  const struct {
    std::size_t row;
    std::size_t cells;
    int width;
  } widths[] = {{0, 1, 4}, {1, 3, 2}, {2, 1, 9}, {14, 1, 2}, {15, 1, 2}, {16, 1, 8}};
  for (const auto& w : widths) {
    ASSERT_EQ(rows[w.row].cells.size(), w.cells);
    for (const Cell& cell : rows[w.row].cells) EXPECT_EQ(cell.maxLength, w.width) << w.row;
  }

  model::ChannelRecord& record = uv.Record();
  record.mediumKind = 1;
  record.typeDigits3to5[0] = 5;
  record.typeDigit6 = 3;
  record.typeDigit7 = 8;
  record.flowInputs[0] = 5;
  record.pressureInput = 17;
  record.temperatureInput = 48;
  record.Slot(1) = Float32::Of(12.5f);
  record.archiveKind[0] = 0;
  record.flowRangeControl[1] = 1;
  record.failureList = 0x81;
  uv.Refill();
  EXPECT_EQ(rows[0].Text(), "1538");
  EXPECT_EQ(RowValueText(rows[1]), "05,17,48");
  EXPECT_EQ(rows[2].Text(), "12,5");
  EXPECT_EQ(rows[14].Text(), "01");
  EXPECT_EQ(rows[15].Text(), "01");
  EXPECT_EQ(rows[16].Text(), "10000001");
}

TEST(ChannelPageUvTest, TenthChannelCodes) {
  model::ConfigurationDocument document;
  document.NewConfiguration(kUv);
  CChannel_UV_Page tenth(document.Set(), 9);
  std::string codes;
  for (const Row& row : tenth.Rows()) codes += row.code + " ";
  EXPECT_EQ(codes,
            "K-00 K-01 K-02 K-03 K-04 K-05 K-06 K-07 K-08 K-09 K-10 K-11 K-12 K-13 K1014 K1015 "
            "K1016 K-18 K-19 ");
}

TEST(ChannelPageUvTest, TypeCodeRules) {
  const struct {
    const char* text;
    const char* stored;  // null when refused
  } cases[] = {
      {"1", "1000"},      {"", "0000"},      {"1538", "1538"},  {"0000", "0000"},
      {"0100", nullptr},  // medium 0 with a transducer
      {"0001", nullptr},  {"1600", nullptr}, {"1040", nullptr}, {"1009", nullptr},
      {"2000", nullptr},  {"1a00", nullptr}, {" 100", nullptr}, {"1-00", nullptr},
      {"10000", nullptr},  // a digit above 9 filled from a record: refused, not cut
  };
  for (const auto& c : cases) {
    UvPage uv(kUv);
    uv.Set().checkForStart = 0;
    uv.EnterTypeCode(c.text);
    EXPECT_EQ(FirstLine(uv.Leave()), c.stored ? "" : kType) << c.text;
    if (c.stored != nullptr) {
      EXPECT_EQ(TypeCodeText4(uv.Record()), c.stored) << c.text;
    }
  }
}

TEST(ChannelPageUvTest, MeasuringInputs) {
  constexpr const char* kQ = "Ошибочно задан номер канала измерения расхода";
  constexpr const char* kP = "Ошибочно задан номер канала измерения давления";
  constexpr const char* kT = "Ошибочно задан номер канала измерения температуры";
  const struct {
    std::vector<std::string> cells;  // Q, P, T
    const char* message;
    int q, p, t;  // stored when accepted
  } cases[] = {
      {{"48", "00", "00"}, "", 48, 0, 0},
      {{"49", "00", "00"}, kQ, 0, 0, 0},
      {{"", "", ""}, "", 0, 0, 0},
      {{"7", "17", "48"}, "", 7, 17, 48},
      {{"00", "16", "00"}, kP, 0, 0, 0},
      {{"00", "49", "00"}, kP, 0, 0, 0},
      {{"00", "00", "16"}, kT, 0, 0, 0},
      {{"00", "00", "49"}, kT, 0, 0, 0},
      {{"4x", "2", "1"}, kP, 0, 0, 0},  // leading digits as atoi reads them: Q 4, P 2
      {{"ab", "18", "20"}, "", 0, 18, 20},
      {{"-1", "00", "00"}, kQ, 0, 0, 0},  // would be stored as input 255
      {{"00", "-5", "00"}, kP, 0, 0, 0},
      {{"49", "16", "16"}, kQ, 0, 0, 0},  // Q before P before T
      {{"00", "16", "49"}, kP, 0, 0, 0},
  };
  for (const auto& c : cases) {
    UvPage uv(kUv);
    uv.Set().checkForStart = 0;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(uv.page->EnterCell(1, i, c.cells[i]).error, std::nullopt);
    EXPECT_EQ(uv.Leave(), c.message) << c.cells[0] << "," << c.cells[1] << "," << c.cells[2];
    if (*c.message == 0) {
      EXPECT_EQ(uv.Record().flowInputs[0], c.q);
      EXPECT_EQ(uv.Record().pressureInput, c.p);
      EXPECT_EQ(uv.Record().temperatureInput, c.t);
    }
  }
}

// A number above 99 read from a device shows as three characters and is not cut to two.
TEST(ChannelPageUvTest, AWideInputFromTheRecordIsRefusedNotCut) {
  UvPage uv(kUv);
  uv.Set().checkForStart = 0;
  uv.Record().pressureInput = 255;
  uv.Refill();
  EXPECT_EQ(uv.page->Rows()[1].cells[1].text, "255");
  EXPECT_EQ(uv.Leave(), "Ошибочно задан номер канала измерения давления");
  EXPECT_EQ(uv.Record().pressureInput, 255);
}

struct RangeCase {
  const char* name;
  Entries entries;
  const char* message;
};

class ChannelPageUvRanges : public ::testing::TestWithParam<RangeCase> {};

TEST_P(ChannelPageUvRanges, RefusesWithTheRowsMessage) {
  const RangeCase& c = GetParam();
  UvPage uv(kUv);
  uv.Set().checkForStart = 0;
  uv.Enter(c.entries);
  EXPECT_EQ(uv.Leave(), c.message);
  if (*c.message != 0) {
    EXPECT_EQ(uv.ui.messages[0].caption, "Ошибка");
    EXPECT_EQ(uv.ui.messages[0].icon, platform::Icon::Error);
  }
}

constexpr const char* kLower =
    "Нижний предел измерений расходомера должен быть в диапазоне от нуля до 20% от верхнего "
    "предела измерения расходомера";
constexpr const char* kCutOff =
    "Отсечка самохода счета должна быть в диапазоне от нуля до нижнего предела измерений "
    "расходомера";
constexpr const char* kContract =
    "Договорной расход должен быть в диапазоне от нуля до верхнего предела измерений расходомера";
constexpr const char* kAdditive =
    "Аддитивный параметр расходомера ВЭПС-Т не должен выходить за +/-10% от верхнего предела "
    "измерений расходомера";
constexpr const char* kArchive =
    "Ошибочно задан параметр <Вид архивных значений температуры и давления>";
constexpr const char* kFlowRange =
    "Ошибочно задан параметр <Контроль выхода объемного расхода за нижний и верхний пределы "
    "измерений>";
constexpr const char* kFailure =
    "Ошибочно задан параметр <Перечень НС, являющихся признаком функционального отказа на узле "
    "учета>";

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ChannelPageUvRanges,
    ::testing::Values(
        RangeCase{"UpperTop", {{"K102", "999999"}}, ""},
        RangeCase{"UpperAbove",
                  {{"K102", "1000000"}},
                  "Верхний предел измерений расходомера должен быть в диапазоне от 0 до 999999 "
                  "куб.м/ч"},
        RangeCase{"Lower20Percent", {{"K102", "100"}, {"K103", "20"}}, ""},
        RangeCase{"LowerAbove20Percent", {{"K102", "100"}, {"K103", "20.5"}}, kLower},
        RangeCase{"CutOffAtLower", {{"K102", "100"}, {"K103", "20"}, {"K104", "20"}}, ""},
        RangeCase{"CutOffAboveLower", {{"K102", "100"}, {"K103", "10"}, {"K104", "10,1"}}, kCutOff},
        RangeCase{"ContractAtUpper", {{"K102", "100"}, {"K105", "100"}}, ""},
        RangeCase{"ContractAboveUpper", {{"K102", "100"}, {"K105", "100.01"}}, kContract},
        // An upper limit not set counts as 0.
        RangeCase{"LowerUnderUnsetUpper", {{"K102", "-"}, {"K103", "0.001"}}, kLower},
        RangeCase{"LowerZeroUnderUnsetUpper", {{"K102", "- -"}, {"K103", "0"}}, ""},
        RangeCase{"LowerDashUnderUnsetUpper", {{"K102", "-"}, {"K103", "--"}}, ""},
        RangeCase{"ContractUnderUnsetUpper", {{"K102", "-"}, {"K105", "1"}}, kContract},
        RangeCase{"AdditiveUnderUnsetUpper", {{"K102", "-"}, {"K118", "-0,1"}}, kAdditive},
        RangeCase{"CutOffUnderUnsetLower", {{"K104", "0.5"}}, kCutOff},
        RangeCase{"Conversion",
                  {{"K106", "100001"}},
                  "Коэффициент преобразования расходомера должен быть в диапазоне от 0 до 100000 "},
        RangeCase{"PressureLimitBelow",
                  {{"K107", "0,009"}},
                  "Верхний предел измерений преобразователя давления должен быть в диапазоне от "
                  "0,01 до 3 МПа"},
        RangeCase{"PressureLimitLow", {{"K107", "0.01"}}, ""},
        RangeCase{"ContractPressure",
                  {{"K108", "3.01"}},
                  "Договорное давление должно быть в диапазоне от 0,09 до 3 МПа"},
        RangeCase{"ContractPressureEmptyIsZero",
                  {{"K108", ""}},
                  "Договорное давление должно быть в диапазоне от 0,09 до 3 МПа"},
        RangeCase{"ThermometerUpper",
                  {{"K109", "49"}},
                  "Верхний предел измерений термопреобразователя с токовым выходным сигналом "
                  "должен быть в диапазоне от 50 до 1000 градусов Цельсия"},
        RangeCase{"ThermometerLower",
                  {{"K110", "100.5"}},
                  "Нижний предел измерений термопреобразователя с токовым выходным сигналом "
                  "должен быть в диапазоне от -100 до 100 градусов Цельсия"},
        RangeCase{"ContractTemperature",
                  {{"K111", "-1"}},
                  "Договорная температура должна быть в диапазоне от 0 до 150 градусов Цельсия"},
        RangeCase{"UpperCorrection",
                  {{"K112", "2.5"}},
                  "Верхняя поправка на термопреобразователь должна быть в диапазоне от -2 до 2 "
                  "градусов Цельсия"},
        RangeCase{"LowerCorrection",
                  {{"K113", "-3"}},
                  "Нижняя поправка на термопреобразователь должна быть в диапазоне от -2 до 2 "
                  "градусов Цельсия"},
        RangeCase{"ArchiveTwo", {{"K114", "2"}}, kArchive},
        RangeCase{"ArchiveLetter", {{"K114", "1x"}}, kArchive},
        RangeCase{"FlowRange", {{"K115", "12"}}, kFlowRange},
        RangeCase{"FailureList", {{"K116", "10000002"}}, kFailure},
        RangeCase{"AdditiveLow", {{"K102", "100"}, {"K118", "-10"}}, ""},
        RangeCase{"AdditiveBelow", {{"K102", "100"}, {"K118", "-10.5"}}, kAdditive},
        RangeCase{"AdditiveAbove", {{"K102", "100"}, {"K118", "10,01"}}, kAdditive},
        RangeCase{"TemperatureCoefficient",
                  {{"K119", "-0.00011"}},
                  "Температурный коэффициент расходомера ВЭПС-Т должен быть в диапазоне от "
                  "-0,0001 до 0,0001 "},
        // Order: type code, inputs, rows 02..13, the tail, then rows 18 and 19.
        RangeCase{
            "TypeBeforeInputs", {{"K100", "0100"}, {"K101", "49,00,00"}}, kChannelOff.c_str()},
        RangeCase{"InputsBeforeRows",
                  {{"K101", "00,16,00"}, {"K102", "-1"}},
                  "Ошибочно задан номер канала измерения давления"},
        RangeCase{"RowsBeforeTail",
                  {{"K113", "3"}, {"K114", "2"}},
                  "Нижняя поправка на термопреобразователь должна быть в диапазоне от -2 до 2 "
                  "градусов Цельсия"},
        RangeCase{"ArchiveBeforeFlowRange", {{"K114", "2"}, {"K115", "2"}}, kArchive},
        RangeCase{"TailBeforeVeps", {{"K116", "2"}, {"K118", "1"}}, kFailure}),
    [](const ::testing::TestParamInfo<RangeCase>& info) { return std::string(info.param.name); });

TEST(ChannelPageUvTest, TailDigits) {
  const struct {
    const char* archive;
    const char* failure;
    int archive0, archive1;
    int bits;
  } cases[] = {
      {"1", "10000001", 1, 0, 0x81},  {"", "", 0, 0, 0}, {"01", "101", 0, 1, 0x05},
      {" 1", "1 1 1 1", 1, 0, 0x0F},  // blanks removed, then read from the left
      {"11", "11111111", 1, 1, 0xFF},
  };
  for (const auto& c : cases) {
    UvPage uv(kUv);
    uv.Set().checkForStart = 0;
    uv.Enter({{"K114", c.archive}, {"K115", c.archive}, {"K116", c.failure}});
    ASSERT_EQ(uv.Leave(), "") << c.archive << " " << c.failure;
    EXPECT_EQ(uv.Record().archiveKind[0], c.archive0) << c.archive;
    EXPECT_EQ(uv.Record().archiveKind[1], c.archive1) << c.archive;
    EXPECT_EQ(uv.Record().flowRangeControl[0], c.archive0) << c.archive;
    EXPECT_EQ(uv.Record().flowRangeControl[1], c.archive1) << c.archive;
    EXPECT_EQ(uv.Record().failureList, c.bits) << c.failure;
  }
}

struct CompletionCase {
  const char* name;
  const char* type;
  Entries entries;
  const char* message;
};

class ChannelPageUvCompletion : public ::testing::TestWithParam<CompletionCase> {};

// Every value set, then one emptied: each demand with its exact message, in order.
TEST_P(ChannelPageUvCompletion, DemandsWhatTheTransducersNeed) {
  const CompletionCase& c = GetParam();
  UvPage uv(kUv);
  ASSERT_EQ(uv.Set().checkForStart, 1);
  uv.Enter({{"K100", c.type},
            {"K102", "100"},
            {"K103", "10"},
            {"K104", "1"},
            {"K105", "50"},
            {"K106", "2"},
            {"K107", "1.6"},
            {"K108", "0.1"},
            {"K109", "150"},
            {"K110", "-50"},
            {"K111", "20"}});
  uv.Enter(c.entries);
  EXPECT_EQ(uv.Leave(), c.message);
  if (std::string(c.message).starts_with("Необходимо")) {
    EXPECT_EQ(uv.ui.messages[0].caption, kStartCaption);
    EXPECT_EQ(uv.ui.messages[0].icon, platform::Icon::Error);
  }
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ChannelPageUvCompletion,
    ::testing::Values(
        CompletionCase{"Complete", "1132", {}, ""},
        CompletionCase{"Upper",
                       "1132",
                       {{"K102", "-"}, {"K103", "0"}, {"K104", "0"}, {"K105", "0"}},
                       "Необходимо задать верхний предел измерений расходомера"},
        CompletionCase{"Lower",
                       "1132",
                       {{"K103", "-"}, {"K104", "0"}},
                       "Необходимо задать нижний предел измерений расходомера"},
        CompletionCase{
            "CutOff", "1132", {{"K104", "-"}}, "Необходимо задать отсечку самохода счета"},
        CompletionCase{"Contract", "1132", {{"K105", "-"}}, "Необходимо задать договорной расход"},
        CompletionCase{"Conversion",
                       "1132",
                       {{"K106", "-"}},
                       "Необходимо задать коэффициент преобразования расходомера"},
        CompletionCase{"PressureLimit",
                       "1132",
                       {{"K107", "-"}},
                       "Необходимо задать верхний предел измерений преобразователя давления"},
        CompletionCase{
            "ContractPressure", "1132", {{"K108", "-"}}, "Необходимо задать договорное давление"},
        CompletionCase{"ThermometerUpper",
                       "1131",
                       {{"K109", "-"}},
                       "Необходимо задать верхний предел измерений термопреобразователя с "
                       "токовым выходным сигналом"},
        CompletionCase{"ThermometerLower",
                       "1133",
                       {{"K110", "-"}},
                       "Необходимо задать нижний предел измерений термопреобразователя с "
                       "токовым выходным сигналом"},
        CompletionCase{"ContractTemperature",
                       "1132",
                       {{"K111", "-"}},
                       "Необходимо задать договорную температуру"},
        CompletionCase{"FlowBeforePressure",
                       "1132",
                       {{"K106", "-"}, {"K107", "-"}},
                       "Необходимо задать коэффициент преобразования расходомера"},
        CompletionCase{"PressureLimitBeforeContractPressure",
                       "1132",
                       {{"K107", "-"}, {"K108", "-"}},
                       "Необходимо задать верхний предел измерений преобразователя давления"},
        // Medium 1 with no flow or pressure transducer and temperature type 4: only the
        // contract values are demanded.
        CompletionCase{"NoTransducersNoLimits",
                       "1004",
                       {{"K102", "-"},
                        {"K103", "-"},
                        {"K104", "-"},
                        {"K105", "-"},
                        {"K106", "-"},
                        {"K107", "-"},
                        {"K109", "-"},
                        {"K110", "-"}},
                       ""},
        CompletionCase{"NoTransducersContractPressure",
                       "1004",
                       {{"K107", "-"}, {"K108", "-"}},
                       "Необходимо задать договорное давление"},
        CompletionCase{"NoTransducersContractTemperature",
                       "1004",
                       {{"K107", "-"}, {"K111", "-"}},
                       "Необходимо задать договорную температуру"},
        CompletionCase{"RangeBeforeCompletion",
                       "1132",
                       {{"K106", "-"}, {"K119", "1"}},
                       "Температурный коэффициент расходомера ВЭПС-Т должен быть в диапазоне от "
                       "-0,0001 до 0,0001 "}),
    [](const ::testing::TestParamInfo<CompletionCase>& info) {
      return std::string(info.param.name);
    });

TEST(ChannelPageUvTest, NothingIsDemandedWithTheSwitchOffOrMediumZero) {
  for (const auto& [type, checkForStart] :
       std::vector<std::pair<std::string, int>>{{"1132", 0}, {"0000", 1}, {"", 1}}) {
    UvPage uv(kUv);
    uv.Set().checkForStart = checkForStart;
    uv.Enter({{"K100", type}});
    EXPECT_EQ(uv.Leave(), "") << type;
  }
}

TEST(ChannelPageUvTest, CommitStoresThePageAndResetsWhatItDoesNotShow) {
  UvPage uv(kUv, 2);
  uv.Set().checkForStart = 0;
  model::ChannelRecord& record = uv.Record();
  record.typeDigit2 = 4;
  record.typeDigits3to5[1] = 2;
  record.flowInputs[1] = 9;
  record.Slot(12) = Float32::Of(6.0f);
  record.Slot(28) = Float32::Of(4.0f);
  record.irvis1[0] = Float32::Of(3.0f);
  uv.Enter({{"K300", "1538"}, {"K301", "05,17,18"}, {"K302", "250"}, {"K316", "01"}});
  ASSERT_EQ(uv.Leave(), "");
  EXPECT_EQ(TypeCodeText4(record), "1538");
  EXPECT_EQ(record.flowInputs[0], 5);
  EXPECT_EQ(record.pressureInput, 17);
  EXPECT_EQ(record.temperatureInput, 18);
  EXPECT_EQ(record.Slot(1), Float32::Of(250.0f));
  EXPECT_EQ(record.failureList, 2);
  // Archive defaults were 1 1; the cell shown kept them.
  EXPECT_EQ(record.archiveKind[0], 1);
  EXPECT_EQ(record.typeDigit2, 0);
  EXPECT_EQ(record.typeDigits3to5[1], 0);
  EXPECT_EQ(record.flowInputs[1], 0);
  EXPECT_TRUE(record.Slot(12).IsNotSet());
  EXPECT_EQ(record.Slot(28), Float32::Of(0.0f));
  EXPECT_TRUE(record.irvis1[0].IsNotSet());
}

TEST(ChannelPageUvTest, CopyKeepsTheTargetsInputsAndClearsNoType) {
  UvPage uv(kUv);
  uv.Set().checkForStart = 0;
  model::ChannelRecord& target = uv.Set().channels[9];
  target.flowInputs[0] = 30;
  target.pressureInput = 31;
  target.Slot(28) = Float32::Of(2.0f);
  uv.Set().pageFilled[9] = 1;
  uv.Enter({{"K100", "1538"}, {"K101", "01,17,18"}, {"K102", "10"}, {"K114", "01"}});
  uv.CopyTo({9});
  ASSERT_EQ(uv.ui.messages.size(), 1u);
  EXPECT_EQ(uv.ui.messages[0].text, "Копирование параметров успешно завершено!");
  EXPECT_EQ(TypeCodeText4(target), "1538");
  EXPECT_EQ(target.Slot(1), Float32::Of(10.0f));
  EXPECT_EQ(target.archiveKind[0], 0);
  EXPECT_EQ(target.archiveKind[1], 1);
  EXPECT_EQ(target.flowInputs[0], 30);
  EXPECT_EQ(target.pressureInput, 31);
  EXPECT_EQ(target.Slot(28), Float32::Of(2.0f));
  EXPECT_EQ(uv.Set().pageFilled[9], 0);
}

TEST(ChannelPageUvTest, CopyButtonDoesNotOpenTheDialogOnARefusal) {
  UvPage uv(kUv);
  uv.Enter({{"K101", "49"}});
  EXPECT_EQ(uv.page->Press(ChannelPage::kCopyButton, uv.ui).outcome, PressResult::Outcome::Refused);
  ASSERT_EQ(uv.ui.messages.size(), 1u);
  EXPECT_EQ(uv.ui.messages[0].text, "Ошибочно задан номер канала измерения расхода");
}

TEST(ChannelPageUvTest, SheetOfVariantUvUsesThePage) {
  model::ConfigurationDocument document;
  document.NewConfiguration(kUv);
  std::string message;
  auto sheet = MakeChannelSheet(document.Set(), message);
  ASSERT_NE(sheet, nullptr) << message;
  ASSERT_EQ(sheet->PageCount(), 10);
  EXPECT_EQ(sheet->PageAt(9).tabTitle, "Канал учета 10");
  EXPECT_NE(dynamic_cast<CChannel_UV_Page*>(&sheet->PageAt(9)), nullptr);
}

}  // namespace
}  // namespace tarvo::forms
