#include "forms/channel/channel_page_l.h"

#include <gtest/gtest.h>

#include "forms/channel/channel_sheet.h"
#include "forms/channel/copy_channel_dlg.h"
#include "forms/channel/type_code_l.h"
#include "forms/channel_page_fixture.h"

namespace tarvo::forms {
namespace {

using model::Float32;

constexpr const char* kType = "Ошибочно задан параметр <Вид носителя и тип преобразователей>";
const std::string kFlowType1 =
    TypeRefusal("позиция 2 (тип преобразователя расхода) = 1: допустимы 0, 5");
const std::string kFlowType3 =
    TypeRefusal("позиция 2 (тип преобразователя расхода) = 3: допустимы 0, 5");
const std::string kNoPressureOnChannel3 =
    TypeRefusal("позиция 3 (тип преобразователя давления) = 1: на канале 3 допустимо только 0");
constexpr const char* kStartCaption = "Ошибка (невозможен пуск на счет)";
constexpr std::uint8_t kExecutionL = 0x49;

// A page of a new ЛУР-Л configuration, filled.
struct LPage : ChannelPageFixture<CChannel_L_Page> {
  explicit LPage(int channelIndex = 0) : ChannelPageFixture(kExecutionL, channelIndex) {}
};

TEST(TypeCodeLTest, RulesPerPositionAndChannel) {
  struct Case {
    const char* text;
    int channelIndex;
    const char* stored;  // the code as read back, null when refused
  };
  const Case cases[] = {
      {"1", 0, "1000"},     {"", 0, "0000"},      {"1500", 0, "1500"},  {"1300", 0, nullptr},
      {"1010", 1, "1010"},  {"1030", 1, "1030"},  {"1040", 0, nullptr}, {"1010", 2, nullptr},
      {"1010", 3, nullptr}, {"1504", 3, "1504"},  {"1002", 0, nullptr}, {"1004", 0, "1004"},
      {"1008", 0, "1008"},  {"1009", 0, nullptr}, {"1001", 0, nullptr}, {"2000", 0, nullptr},
      {"0500", 0, nullptr}, {"0010", 0, nullptr}, {"0004", 0, nullptr}, {"15 4", 0, nullptr},
      {"1a", 0, nullptr},   {"1б", 0, nullptr},   {"-", 0, nullptr},    {"15000", 0, nullptr},
  };
  for (const Case& c : cases) {
    model::ChannelRecord record{};
    record.mediumKind = 7;
    record.typeDigit2 = 3;
    record.typeDigits3to5[1] = 2;
    const bool read = ReadTypeCodeL(c.text, c.channelIndex, record);
    EXPECT_EQ(read, c.stored != nullptr) << c.text << " channel " << c.channelIndex + 1;
    if (c.stored != nullptr) {
      EXPECT_EQ(TypeCodeTextL(record), c.stored) << c.text;
      // The flow method and flow transducers 2 and 3 are not on this page: always 0.
      EXPECT_EQ(record.typeDigit2, 0) << c.text;
      EXPECT_EQ(record.typeDigits3to5[1], 0) << c.text;
    } else {
      EXPECT_EQ(record.mediumKind, 7) << "refused, yet stored: " << c.text;
    }
  }
}

// A record read from elsewhere may hold a digit above 9: it shows as more than four characters,
// and leaving the page must refuse it rather than cut it into other fields.
TEST(ChannelPageLTest, ATypeDigitAbove9IsRefusedNotShifted) {
  LPage l;
  l.Set().checkForStart = 0;
  l.Record().mediumKind = 1;
  l.Record().typeDigit6 = 12;
  l.Set().pageFilled[0] = 0;
  l.page->Fill();
  EXPECT_EQ(l.page->Rows()[0].Text(), "10120");
  EXPECT_EQ(l.Leave(), TypeRefusal("в коде 5 знаков, а допускается не более 4"));
  EXPECT_EQ(l.Record().typeDigit6, 12);
}

TEST(ChannelPageLTest, RowsCodesAndValueCells) {
  LPage l(1);
  ASSERT_EQ(l.page->Rows().size(), 7u);
  const struct {
    const char* code;
    const char* description;
  } cases[] = {
      {"K200", " Вид носителя и тип преобразователей"},
      {"K201", " Коэффициент преобразования расходомера, куб.м/ч/Гц (л/имп)"},
      {"K202", " Договорное абсолютное давление, МПа"},
      {"K203", " Договорная температура, град.С"},
      {"K214", " Верхний предел измерений преобразователя давления, МПа"},
      {"K223", " Верхний предел измерений расходомера, куб.м/ч"},
      {"K226", " Договорной расход, куб.м/ч"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(l.page->Rows()[i].code, cases[i].code);
    EXPECT_EQ(l.page->Rows()[i].description, cases[i].description);
    EXPECT_EQ(l.page->Rows()[i].column, 0) << cases[i].code;
  }
  EXPECT_EQ(l.page->Rows()[0].Text(), "0000");
  EXPECT_EQ(l.page->Rows()[0].cells[0].maxLength, 4);
  EXPECT_EQ(l.page->Rows()[1].Text(), "-");
  EXPECT_EQ(l.page->Rows()[6].cells[0].maxLength, 9);
  EXPECT_EQ(l.page->buttons.size(), 1u) << "only the copy button";

  // The type code row spells channel 10 out; the value rows use K-NN.
  model::ConfigurationDocument ten;
  ten.NewConfiguration(kExecutionL);
  CChannel_L_Page tenth(ten.Set(), 9);
  EXPECT_EQ(tenth.Rows()[0].code, "K1000");
  EXPECT_EQ(tenth.Rows()[1].code, "K-01");
  EXPECT_EQ(tenth.Rows()[6].code, "K-26");
}

TEST(ChannelPageLTest, FillShowsTheRecordsFields) {
  LPage l;
  model::ChannelRecord& record = l.Record();
  record.mediumKind = 1;
  record.typeDigits3to5[0] = 5;
  record.typeDigit6 = 2;
  record.typeDigit7 = 7;
  const int slots[] = {7, 19, 25, 18, 1, 6};
  for (int i = 0; i < 6; ++i) record.Slot(slots[i]) = Float32::Of(1.5f + i);
  l.Set().pageFilled[0] = 0;
  l.page->Fill();
  EXPECT_EQ(l.page->Rows()[0].Text(), "1527");
  const char* shown[] = {"1,5", "2,5", "3,5", "4,5", "5,5", "6,5"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(l.page->Rows()[1 + i].Text(), shown[i]);
}

struct RangeCase {
  const char* name;
  int channelIndex;
  Entries entries;  // switch off: only the type code and the rows are checked
  const char* message;
};

class ChannelPageLRanges : public ::testing::TestWithParam<RangeCase> {};

TEST_P(ChannelPageLRanges, RefusesWithTheRowsMessage) {
  const RangeCase& c = GetParam();
  LPage l(c.channelIndex);
  l.Set().checkForStart = 0;
  l.Enter(c.entries);
  EXPECT_EQ(l.Leave(), c.message);
  if (*c.message != 0) {
    EXPECT_EQ(l.ui.messages[0].caption, "Ошибка");
    EXPECT_EQ(l.ui.messages[0].icon, platform::Icon::Error);
    EXPECT_EQ(l.Record().mediumKind, 0) << "refused: nothing committed";
  }
}

constexpr const char* kPressure = "Договорное давление должно быть в диапазоне от 0,09 до 3 МПа";
constexpr const char* kContractFlow =
    "Договорной расход должен быть в диапазоне от нуля до верхнего предела измерений расходомера";

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ChannelPageLRanges,
    ::testing::Values(
        RangeCase{"TypeOnChannel2", 1, {{"K200", "1010"}}, ""},
        RangeCase{"TypeOnChannel3", 2, {{"K300", "1010"}}, kNoPressureOnChannel3.c_str()},
        RangeCase{"Type1300", 0, {{"K100", "1300"}}, kFlowType3.c_str()},
        RangeCase{"Conversion100000", 0, {{"K101", "100000"}}, ""},
        RangeCase{"ConversionAbove",
                  0,
                  {{"K101", "100001"}},
                  "Коэффициент преобразования расходомера должен быть в диапазоне от 0 до 100000 "},
        RangeCase{"Pressure3", 0, {{"K102", "3"}}, ""},
        RangeCase{"PressureAbove", 0, {{"K102", "3,01"}}, kPressure},
        RangeCase{"PressureLow", 0, {{"K102", "0.09"}}, ""},
        RangeCase{"PressureBelow", 0, {{"K102", "0,08"}}, kPressure},
        RangeCase{"PressureEmptyIsZero", 0, {{"K102", ""}}, kPressure},
        RangeCase{"PressureDashes", 0, {{"K102", " - -"}}, ""},
        RangeCase{"Temperature150", 0, {{"K103", "150"}}, ""},
        RangeCase{"TemperatureBelow",
                  0,
                  {{"K103", "-1"}},
                  "Договорная температура должна быть в диапазоне от 0 до 150 градусов Цельсия"},
        RangeCase{"PressureLimitZero",
                  0,
                  {{"K114", "0"}},
                  "Верхний предел измерений преобразователя давления должен быть в диапазоне от "
                  "0,01 до 3 МПа"},
        RangeCase{"PressureLimitLow", 0, {{"K114", "0,01"}}, ""},
        RangeCase{"FlowLimitTop", 0, {{"K123", "999999"}}, ""},
        RangeCase{"FlowLimitAbove",
                  0,
                  {{"K123", "1000000"}},
                  "Верхний предел измерений расходомера должен быть в диапазоне от 0 до 999999 "
                  "куб.м/ч"},
        RangeCase{"ContractAtLimit", 0, {{"K123", "50"}, {"K126", "50"}}, ""},
        RangeCase{"ContractAboveLimit", 0, {{"K123", "50"}, {"K126", "50,1"}}, kContractFlow},
        RangeCase{"ContractZeroUnderUnsetLimit", 0, {{"K126", "0"}}, ""},
        RangeCase{"ContractDashUnderUnsetLimit", 0, {{"K126", "-"}}, ""},
        RangeCase{"ContractAboveUnsetLimit", 0, {{"K126", "0,001"}}, kContractFlow},
        RangeCase{"ContractNegative", 0, {{"K123", "50"}, {"K126", "-1"}}, kContractFlow},
        // Order: the type code first, then the rows top to bottom.
        RangeCase{"TypeBeforeRows", 0, {{"K100", "0100"}, {"K101", "-1"}}, kFlowType1.c_str()},
        RangeCase{"TopRowFirst", 0, {{"K102", "5"}, {"K123", "-1"}}, kPressure}),
    [](const ::testing::TestParamInfo<RangeCase>& info) { return std::string(info.param.name); });

// Medium 1, a flowmeter and a pressure transducer, with every value needed to start counting.
const Entries kComplete = {
    {"K100", "1514"}, {"K101", "10"},  {"K102", "0,2"}, {"K103", "20"},
    {"K114", "1,6"},  {"K123", "100"}, {"K126", "50"},
};

struct CompletionCase {
  const char* name;
  Entries changes;  // over kComplete
  const char* message;
};

class ChannelPageLCompletion : public ::testing::TestWithParam<CompletionCase> {};

TEST_P(ChannelPageLCompletion, DemandsTheFirstValueNotSet) {
  const CompletionCase& c = GetParam();
  LPage l;
  l.Enter(kComplete);
  l.Enter(c.changes);
  EXPECT_EQ(l.Leave(), c.message);
  if (*c.message != 0) {
    const bool demand = std::string(c.message).starts_with("Необходимо задать");
    EXPECT_EQ(l.ui.messages[0].caption, demand ? kStartCaption : "Ошибка");
    EXPECT_EQ(l.ui.messages[0].icon, platform::Icon::Error);
    EXPECT_EQ(l.Record().mediumKind, 0) << "refused: nothing committed";
  }
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ChannelPageLCompletion,
    ::testing::Values(
        CompletionCase{"Complete", {}, ""},
        CompletionCase{"Conversion",
                       {{"K101", "-"}, {"K102", "-"}},
                       "Необходимо задать коэффициент преобразования расходомера"},
        CompletionCase{"FlowLimit",
                       {{"K123", "-"}, {"K126", "0"}},
                       "Необходимо задать верхний предел измерений расходомера"},
        CompletionCase{"ContractFlow", {{"K126", "-"}}, "Необходимо задать договорной расход"},
        CompletionCase{"NoFlowmeterNoFlowRows",
                       {{"K100", "1014"}, {"K101", "-"}, {"K123", "-"}, {"K126", "-"}},
                       ""},
        CompletionCase{"ContractPressure",
                       {{"K102", "-"}, {"K103", "-"}},
                       "Необходимо задать договорное давление"},
        CompletionCase{"ContractTemperature",
                       {{"K103", "-"}, {"K114", "-"}},
                       "Необходимо задать договорную температуру"},
        CompletionCase{"PressureLimit",
                       {{"K114", "-"}},
                       "Необходимо задать верхний предел измерений преобразователя давления"},
        CompletionCase{"NoPressureTransducer", {{"K100", "1504"}, {"K114", "-"}}, ""},
        CompletionCase{"RangeBeforeCompletion", {{"K101", "-"}, {"K126", "101"}}, kContractFlow}),
    [](const ::testing::TestParamInfo<CompletionCase>& info) {
      return std::string(info.param.name);
    });

TEST(ChannelPageLTest, NothingIsDemandedWithTheSwitchOffOrMediumZero) {
  for (const auto& [type, checkForStart] :
       std::vector<std::pair<std::string, int>>{{"1514", 0}, {"0000", 1}, {"", 1}}) {
    LPage l;
    l.Set().checkForStart = checkForStart;
    l.Enter({{"K100", type}});
    EXPECT_EQ(l.Leave(), "") << type;
  }
}

TEST(ChannelPageLTest, CommitResetsWhatThePageDoesNotShow) {
  LPage l;
  l.Set().checkForStart = 0;
  model::ChannelRecord& record = l.Record();
  record.typeDigit2 = 3;
  record.typeDigits3to5[2] = 2;
  record.flowInputs[0] = 5;
  record.Slot(2) = Float32::Of(9.0f);
  record.Slot(28) = Float32::Of(4.0f);
  record.irvis1[0] = Float32::Of(3.0f);
  record.gas.concentrationKind = 2;
  record.failureList = 3;
  l.Enter({{"K100", "1524"}, {"K101", "2,5"}, {"K123", "80"}, {"K126", "40"}});
  ASSERT_EQ(l.Leave(), "");
  EXPECT_EQ(TypeCodeTextL(record), "1524");
  EXPECT_EQ(record.typeDigit2, 0);
  EXPECT_EQ(record.typeDigits3to5[2], 0);
  EXPECT_EQ(record.Slot(7), Float32::Of(2.5f));
  EXPECT_EQ(record.Slot(1), Float32::Of(80.0f));
  EXPECT_EQ(record.Slot(6), Float32::Of(40.0f));
  EXPECT_TRUE(record.Slot(19).IsNotSet());
  EXPECT_TRUE(record.Slot(2).IsNotSet());
  EXPECT_EQ(record.flowInputs[0], 0);
  EXPECT_EQ(record.Slot(28), Float32::Of(0.0f));
  EXPECT_TRUE(record.irvis1[0].IsNotSet());
  EXPECT_EQ(record.gas.concentrationKind, 0);
  EXPECT_EQ(record.failureList, 0);
}

// Copying channel 1 clears the pressure transducer type from channel 3 on; the input
// assignment and slot 28 of the targets stay.
TEST(ChannelPageLTest, CopyClearsThePressureTypeFromChannel3On) {
  LPage l;
  l.Set().checkForStart = 0;
  for (int target = 1; target < 4; ++target) {
    l.Set().channels[target].pressureInput = 7;
    l.Set().channels[target].Slot(28) = Float32::Of(2.0f);
    l.Set().pageFilled[target] = 1;
  }
  l.Enter({{"K100", "1535"}, {"K114", "2"}});
  auto dialog = l.page->Press(ChannelPage::kCopyButton, l.ui).dialog;
  ASSERT_NE(dialog, nullptr);
  dialog->Fill();
  for (int target = 1; target < 4; ++target) {
    EXPECT_EQ(dialog->SetChecked(target, true).error, std::nullopt);
  }
  dialog->Press(CCopyChannelDlg::kCopyButton, l.ui);
  const char* copied[] = {"1535", "1535", "1505", "1505"};
  for (int target = 0; target < 4; ++target) {
    const model::ChannelRecord& copy = l.Set().channels[target];
    EXPECT_EQ(TypeCodeTextL(copy), copied[target]) << target + 1;
    EXPECT_EQ(copy.Slot(18), Float32::Of(2.0f)) << target + 1;
    if (target == 0) continue;
    EXPECT_EQ(copy.pressureInput, 7);
    EXPECT_EQ(copy.Slot(28), Float32::Of(2.0f));
    EXPECT_EQ(l.Set().pageFilled[target], 0);
  }
  // The copied code is accepted by page 3 itself.
  CChannel_L_Page third(l.Set(), 2);
  third.Fill();
  EXPECT_EQ(third.Rows()[0].Text(), "1505");
  EXPECT_TRUE(third.Submit(l.ui).accepted);
}

TEST(ChannelPageLTest, CopyButtonRefusesAPageThatFails) {
  LPage l;
  l.Enter({{"K100", "1300"}});
  EXPECT_EQ(l.page->Press(ChannelPage::kCopyButton, l.ui).outcome, PressResult::Outcome::Refused);
  ASSERT_EQ(l.ui.messages.size(), 1u);
  EXPECT_EQ(l.ui.messages[0].text, kFlowType3);
}

TEST(ChannelPageLTest, SheetOfVariantLUsesThePage) {
  model::ConfigurationDocument document;
  document.NewConfiguration(kExecutionL);
  std::string message;
  auto sheet = MakeChannelSheet(document.Set(), message);
  ASSERT_NE(sheet, nullptr) << message;
  ASSERT_EQ(sheet->PageCount(), 4);
  EXPECT_EQ(sheet->PageAt(3).Rows()[0].code, "K400");
  EXPECT_NE(dynamic_cast<CChannel_L_Page*>(&sheet->PageAt(3)), nullptr);
}

}  // namespace
}  // namespace tarvo::forms
