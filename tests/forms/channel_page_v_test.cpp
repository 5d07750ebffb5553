#include "forms/channel/channel_page_v.h"

#include <gtest/gtest.h>

#include "channel_page_fixture.h"
#include "forms/channel/channel_sheet.h"
#include "forms/channel/type_code_4.h"

namespace tarvo::forms {
namespace {

using model::Float32;
using VPage = ChannelPageFixture<CChannel_V_Page>;

constexpr const char* kType = "Ошибочно задан параметр <Вид носителя и тип преобразователей>";
const std::string kChannelOff = TypeRefusal(
    "позиция 1 (вид носителя) = 0: канал не используется, остальные позиции должны быть 0, а "
    "позиция 2 = 4");
constexpr const char* kStartCaption = "Ошибка (невозможен пуск на счет)";

TEST(ChannelPageVTest, RowsCodesAndFill) {
  VPage v(0x46, 2);
  const auto& rows = v.page->Rows();
  ASSERT_EQ(rows.size(), 14u);
  const struct {
    std::size_t row;
    const char* code;
    const char* description;
    const char* value;
  } cases[] = {
      {0, "K300", " Вид носителя и тип преобразователей", "0000"},
      {1, "K301", " Верхний предел измерений расходомера, куб.м/ч", "-"},
      {6, "K306", " Аддитивный параметр расходомера ВЭПС-Т, куб.м/ч", "-"},
      {7, "K307", " Температурный коэффициент расходомера ВЭПС-Т, 1/град.C", "-"},
      {8, "K308", " Договорное абсолютное давление, МПа", "-"},
      {9, "K309", " Договорная температура, град.С", "-"},
      {10, "K323", " Верхний предел измерений преобразователя давления, МПа", "-"},
      {11, "K350", " Вид архивных значений температуры и давления", "11"},
      {12, "K351", " Контроль выхода расхода за нижний и верхний пределы измерений", "00"},
      {13, "K352", " Перечень НС, являющихся признаком функционального отказа", "0000000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rows[c.row].code, c.code);
    EXPECT_EQ(rows[c.row].description, c.description) << c.code;
    EXPECT_EQ(rows[c.row].column, 0) << c.code;
    EXPECT_EQ(rows[c.row].Text(), c.value) << c.code;
    EXPECT_TRUE(rows[c.row].visible && rows[c.row].enabled) << c.code;
  }
  EXPECT_EQ(rows[0].cells[0].maxLength, 4);
  EXPECT_EQ(rows[13].cells[0].maxLength, 7);

  v.Record().mediumKind = 1;
  v.Record().typeDigits3to5[0] = 9;
  v.Record().typeDigit7 = 5;
  v.Record().failureList = 0xC1;  // bit 7 is not shown
  v.Refill();
  EXPECT_EQ(rows[0].Text(), "1905");
  EXPECT_EQ(rows[13].Text(), "1000001");
}

TEST(ChannelPageVTest, TailRowsOnlyWithExecution46) {
  for (std::uint8_t code : {0x40, 0x41, 0x44}) {
    VPage v(code);
    for (const char* tail : {"K150", "K151", "K152"}) {
      EXPECT_EQ(v.page->FindRow(tail), nullptr) << tail;
    }
    EXPECT_FALSE(v.page->Rows()[11].enabled);
    // Committing stores zeros there, even over the archive defaults 1 1.
    v.Set().checkForStart = 0;
    v.Record().failureList = 5;
    ASSERT_EQ(v.Record().archiveKind[0], 1);
    ASSERT_EQ(v.Leave(), "");
    EXPECT_EQ(v.Record().archiveKind[0], 0) << int(code);
    EXPECT_EQ(v.Record().archiveKind[1], 0) << int(code);
    EXPECT_EQ(v.Record().failureList, 0) << int(code);
  }
}

TEST(ChannelPageVTest, TailOfExecution46) {
  VPage v(0x46);
  v.Set().checkForStart = 0;
  v.Record().failureList = 0x80;
  v.Refill();
  v.Enter({{"K150", "10"}, {"K151", "1"}, {"K152", "1111111"}});
  ASSERT_EQ(v.Leave(), "");
  EXPECT_EQ(v.Record().archiveKind[0], 1);
  EXPECT_EQ(v.Record().archiveKind[1], 0);
  EXPECT_EQ(v.Record().flowRangeControl[0], 1);
  EXPECT_EQ(v.Record().failureList, 0x7F);
  EXPECT_NE(v.page->EnterValue(v.page->RowIndexOf("K152"), "11111111").error, std::nullopt);
  v.Enter({{"K151", "3"}});
  EXPECT_EQ(v.Leave(),
            "Ошибочно задан параметр <Контроль выхода объемного расхода за нижний и верхний "
            "пределы измерений>");
}

TEST(ChannelPageVTest, CommitResetsWhatThePageDoesNotShow) {
  VPage v(0x46, 1);
  v.Set().checkForStart = 0;
  model::ChannelRecord& record = v.Record();
  record.flowInputs[0] = 5;
  record.temperatureInput = 20;
  record.Slot(23) = Float32::Of(150.0f);
  record.Slot(28) = Float32::Of(4.0f);
  record.irvis2[3] = Float32::Of(1.0f);
  v.Enter({{"K200", "1934"}, {"K209", "20"}});
  ASSERT_EQ(v.Leave(), "");
  EXPECT_EQ(TypeCodeText4(record), "1934");
  EXPECT_EQ(record.Slot(25), Float32::Of(20.0f));
  EXPECT_EQ(record.archiveKind[0], 1);  // shown with execution 46, so kept
  EXPECT_EQ(record.flowInputs[0], 0);
  EXPECT_EQ(record.temperatureInput, 0);
  EXPECT_TRUE(record.Slot(23).IsNotSet());
  EXPECT_EQ(record.Slot(28), Float32::Of(0.0f));
  EXPECT_TRUE(record.irvis2[3].IsNotSet());
}

// Which of the channels 1 to 5 take the type code, per execution code.
TEST(ChannelPageVTest, TypeCodeRulesPerExecutionCodeAndChannel) {
  const struct {
    std::uint8_t executionCode;
    const char* text;
    const char* channels;  // "x" where accepted, "." where refused, channels 1..5
  } cases[] = {
      {0x40, "1100", "....."}, {0x40, "1400", "xxxxx"}, {0x40, "1030", "xxxx."},
      {0x40, "1004", "xxxx."}, {0x40, "1009", "....."}, {0x41, "1300", "xx..."},
      {0x41, "1020", "xx..."}, {0x44, "1900", "xxxxx"}, {0x44, "1600", "xx..."},
      {0x46, "1600", "xxxx."}, {0x46, "1030", "xxxx."}, {0x46, "0400", "....."},
      {0x46, "", "xxxxx"},     {0x46, "1002", "....."}, {0x46, "1008", "xxxx."},
      {0x44, "1", "xxxxx"},    {0x46, "2000", "....."}, {0x46, "10000", "....."},
  };
  for (const auto& c : cases) {
    for (int channel = 0; channel < 5; ++channel) {
      VPage v(c.executionCode, channel);
      v.Set().checkForStart = 0;
      v.EnterTypeCode(c.text);
      const bool accepted = c.channels[channel] == 'x';
      EXPECT_EQ(FirstLine(v.Leave()), accepted ? "" : kType)
          << std::hex << int(c.executionCode) << " " << c.text << " channel " << channel + 1;
    }
  }
}

struct RangeCase {
  const char* name;
  Entries entries;
  const char* message;
};

class ChannelPageVRanges : public ::testing::TestWithParam<RangeCase> {};

TEST_P(ChannelPageVRanges, RefusesWithTheRowsMessage) {
  const RangeCase& c = GetParam();
  VPage v(0x46);
  v.Set().checkForStart = 0;
  v.Enter(c.entries);
  EXPECT_EQ(v.Leave(), c.message);
  if (*c.message != 0) {
    EXPECT_EQ(v.ui.messages[0].caption, "Ошибка");
  }
}

constexpr const char* kLower =
    "Нижний предел измерений расходомера должен быть в диапазоне от нуля до 20% от верхнего "
    "предела измерения расходомера";
constexpr const char* kAdditive =
    "Аддитивный параметр расходомера ВЭПС-Т не должен выходить за +/-10% от верхнего предела "
    "измерений расходомера";
constexpr const char* kContractTemperature =
    "Договорная температура должна быть в диапазоне от 0 до 150 градусов Цельсия";

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ChannelPageVRanges,
    ::testing::Values(
        RangeCase{"Upper",
                  {{"K101", "-0,5"}},
                  "Верхний предел измерений расходомера должен быть в диапазоне от 0 до 999999 "
                  "куб.м/ч"},
        RangeCase{"Lower20Percent", {{"K101", "50"}, {"K102", "10"}}, ""},
        RangeCase{"LowerAbove", {{"K101", "50"}, {"K102", "10.01"}}, kLower},
        RangeCase{"CutOff",
                  {{"K101", "50"}, {"K102", "5"}, {"K103", "6"}},
                  "Отсечка самохода счета должна быть в диапазоне от нуля до нижнего предела "
                  "измерений расходомера"},
        RangeCase{"Contract",
                  {{"K101", "50"}, {"K104", "51"}},
                  "Договорной расход должен быть в диапазоне от нуля до верхнего предела "
                  "измерений расходомера"},
        RangeCase{"Conversion",
                  {{"K105", "-1"}},
                  "Коэффициент преобразования расходомера должен быть в диапазоне от 0 до 100000 "},
        RangeCase{"AdditiveAtTenPercent", {{"K101", "50"}, {"K106", "5"}}, ""},
        RangeCase{"AdditiveAbove", {{"K101", "50"}, {"K106", "5.01"}}, kAdditive},
        RangeCase{"AdditiveUnsetUpper", {{"K106", "0.001"}}, kAdditive},
        RangeCase{"TemperatureCoefficient",
                  {{"K107", "0.0002"}},
                  "Температурный коэффициент расходомера ВЭПС-Т должен быть в диапазоне от "
                  "-0,0001 до 0,0001 "},
        RangeCase{"ContractPressure",
                  {{"K108", "0.08"}},
                  "Договорное давление должно быть в диапазоне от 0,09 до 3 МПа"},
        RangeCase{"ContractTemperatureTop", {{"K109", "150"}}, ""},
        RangeCase{"ContractTemperature", {{"K109", "150.1"}}, kContractTemperature},
        RangeCase{"PressureLimit",
                  {{"K123", "3,5"}},
                  "Верхний предел измерений преобразователя давления должен быть в диапазоне от "
                  "0,01 до 3 МПа"},
        // Order: type code, rows 01..09, row 23, then the tail.
        RangeCase{"TypeFirst", {{"K100", "0400"}, {"K101", "-1"}}, kChannelOff.c_str()},
        RangeCase{"AdditiveBeforeContractPressure", {{"K106", "1"}, {"K108", "5"}}, kAdditive},
        RangeCase{"ContractTemperatureBeforePressureLimit",
                  {{"K109", "-1"}, {"K123", "5"}},
                  kContractTemperature},
        RangeCase{"PressureLimitBeforeTail",
                  {{"K123", "0"}, {"K150", "2"}},
                  "Верхний предел измерений преобразователя давления должен быть в диапазоне от "
                  "0,01 до 3 МПа"}),
    [](const ::testing::TestParamInfo<RangeCase>& info) { return std::string(info.param.name); });

struct CompletionCase {
  const char* name;
  const char* type;
  Entries entries;
  const char* message;
};

class ChannelPageVCompletion : public ::testing::TestWithParam<CompletionCase> {};

TEST_P(ChannelPageVCompletion, DemandsWhatTheTransducersNeed) {
  const CompletionCase& c = GetParam();
  VPage v(0x46);
  ASSERT_EQ(v.Set().checkForStart, 1);
  v.Enter({{"K100", c.type},
           {"K101", "100"},
           {"K102", "10"},
           {"K103", "1"},
           {"K104", "50"},
           {"K105", "2"},
           {"K108", "0.1"},
           {"K109", "20"},
           {"K123", "1.6"}});
  v.Enter(c.entries);
  EXPECT_EQ(v.Leave(), c.message);
  if (*c.message != 0) {
    EXPECT_EQ(v.ui.messages[0].caption, kStartCaption);
  }
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ChannelPageVCompletion,
    ::testing::Values(
        CompletionCase{"Complete", "1410", {}, ""},
        CompletionCase{"Upper",
                       "1410",
                       {{"K101", "-"}, {"K102", "0"}, {"K103", "0"}, {"K104", "0"}},
                       "Необходимо задать верхний предел измерений расходомера"},
        CompletionCase{"Lower",
                       "1410",
                       {{"K102", "-"}, {"K103", "0"}},
                       "Необходимо задать нижний предел измерений расходомера"},
        CompletionCase{
            "CutOff", "1410", {{"K103", "-"}}, "Необходимо задать отсечку самохода счета"},
        CompletionCase{"Contract", "1410", {{"K104", "-"}}, "Необходимо задать договорной расход"},
        CompletionCase{"ConversionWithType4",
                       "1410",
                       {{"K105", "-"}},
                       "Необходимо задать коэффициент преобразования расходомера"},
        CompletionCase{"NoConversionWithType3", "1310", {{"K105", "-"}}, ""},
        CompletionCase{"NoFlowRowsWithoutFlowTransducer",
                       "1010",
                       {{"K101", "-"}, {"K102", "-"}, {"K103", "-"}, {"K104", "-"}, {"K105", "-"}},
                       ""},
        CompletionCase{"ContractPressureBeforeTemperature",
                       "1410",
                       {{"K108", "-"}, {"K109", "-"}, {"K123", "-"}},
                       "Необходимо задать договорное давление"},
        CompletionCase{"ContractTemperatureBeforePressureLimit",
                       "1410",
                       {{"K109", "-"}, {"K123", "-"}},
                       "Необходимо задать договорную температуру"},
        CompletionCase{"PressureLimitLast",
                       "1410",
                       {{"K123", "-"}},
                       "Необходимо задать верхний предел измерений преобразователя давления"},
        CompletionCase{"NoPressureLimitWithoutTransducer", "1400", {{"K123", "-"}}, ""}),
    [](const ::testing::TestParamInfo<CompletionCase>& info) {
      return std::string(info.param.name);
    });

TEST(ChannelPageVTest, NothingIsDemandedWithTheSwitchOffOrMediumZero) {
  for (const auto& [type, checkForStart] :
       std::vector<std::pair<std::string, int>>{{"1410", 0}, {"0000", 1}}) {
    VPage v(0x46);
    v.Set().checkForStart = checkForStart;
    v.Enter({{"K100", type}});
    EXPECT_EQ(v.Leave(), "") << type;
  }
}

TEST(ChannelPageVTest, CopyClearsTheTypesTheTargetCannotHave) {
  const struct {
    std::uint8_t executionCode;
    const char* source;
    int target;  // 0-based
    const char* copied;
  } cases[] = {
      {0x41, "1328", 1, "1328"}, {0x41, "1328", 2, "1008"}, {0x41, "1328", 4, "1000"},
      {0x44, "1928", 2, "1908"}, {0x46, "1934", 3, "1934"}, {0x46, "1334", 4, "1000"},
      {0x40, "1434", 3, "1434"},
  };
  for (const auto& c : cases) {
    VPage v(c.executionCode);
    v.Set().checkForStart = 0;
    v.Set().channels[c.target].pressureInput = 20;
    v.Enter({{"K100", c.source}, {"K101", "7"}});
    v.CopyTo({c.target});
    const model::ChannelRecord& copy = v.Set().channels[c.target];
    EXPECT_EQ(TypeCodeText4(copy), c.copied) << std::hex << int(c.executionCode) << " " << c.target;
    EXPECT_EQ(copy.Slot(1), Float32::Of(7.0f));
    EXPECT_EQ(copy.pressureInput, 20);
    EXPECT_EQ(TypeCodeText4(v.Record()), c.source);
  }
}

TEST(ChannelPageVTest, SheetOfVariantVUsesThePage) {
  model::ConfigurationDocument document;
  document.NewConfiguration(0x40);
  std::string message;
  auto sheet = MakeChannelSheet(document.Set(), message);
  ASSERT_NE(sheet, nullptr) << message;
  ASSERT_EQ(sheet->PageCount(), 4);
  EXPECT_NE(dynamic_cast<CChannel_V_Page*>(&sheet->PageAt(3)), nullptr);
  EXPECT_EQ(sheet->PageAt(3).Rows()[10].code, "K423");
}

}  // namespace
}  // namespace tarvo::forms
