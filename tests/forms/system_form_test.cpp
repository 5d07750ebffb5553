#include "forms/system/system_form.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>

#include "fakes/recording_ui.h"

namespace tarvo::forms {
namespace {

using model::Float32;
using model::ParameterSet;

std::unique_ptr<ParameterSet> NewSet(std::uint8_t executionCode) {
  auto set = std::make_unique<ParameterSet>();
  model::MakeNewConfiguration(*set, executionCode);
  return set;
}

// Fills the form, enters the texts and presses OK; returns the one message shown, or "".
std::string RunOk(ParameterSet& set, const std::map<std::string, std::string>& entries,
                  testing::RecordingUi& ui) {
  auto form = MakeSystemForm(set);
  form->Fill();
  for (const auto& [code, value] : entries) {
    const int row = form->RowIndexOf(code);
    EXPECT_GE(row, 0) << code;
    if (row < 0) return "no row " + code;
    EXPECT_EQ(form->EnterValue(row, value).error, std::nullopt) << code;
  }
  const bool accepted = form->Submit(ui).accepted;
  EXPECT_EQ(accepted, ui.messages.empty());
  EXPECT_LE(ui.messages.size(), 1u);
  if (ui.messages.empty()) return "";
  EXPECT_EQ(ui.messages[0].caption, "Ошибка");
  EXPECT_EQ(ui.messages[0].icon, platform::Icon::Error);
  return ui.messages[0].text;
}

constexpr const char* kMode = "Ошибка при вводе спецификации режима работы вычислителя";
constexpr const char* kBaroInput =
    "Номер канала измерения барометрического давления должен быть в диапазоне от 17 до 47";
constexpr const char* kOutdoorInput =
    "Номер канала измерения температуры наружного воздуха должен быть в диапазоне от 17 до 47";
constexpr const char* kBaroPressure =
    "Договорное барометрическое давление должно либо быть в диапазоне от 0,09 до 0,11 МПа, либо "
    "равняться нулю";
constexpr const char* kTariff = "Ошибочно задано время начала и окончания льготного тарифа";

struct Case {
  const char* name;
  std::uint8_t executionCode;
  std::map<std::string, std::string> entries;
  const char* message;  // "" = accepted
};

class SystemFormChecks : public ::testing::TestWithParam<Case> {};

TEST_P(SystemFormChecks, ShowsTheFirstFailureOnly) {
  const Case& c = GetParam();
  auto set = NewSet(c.executionCode);
  const auto before = std::make_unique<ParameterSet>(*set);
  testing::RecordingUi ui;
  EXPECT_EQ(RunOk(*set, c.entries, ui), c.message);
  // A refusal commits nothing.
  if (*c.message != 0) {
    EXPECT_EQ(std::memcmp(set.get(), before.get(), sizeof *set), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    AllVariants, SystemFormChecks,
    ::testing::Values(
        Case{"EmptyModeV", 0x46, {{"K003", ""}}, ""}, Case{"EmptyModeG", 0x47, {{"K003", ""}}, ""},
        Case{"EmptyModeU", 0x50, {{"K0003", ""}}, ""},
        Case{"EmptyModeUV", 0x60, {{"K003", ""}}, ""}, Case{"EmptyModeL", 0x49, {{"K003", ""}}, ""},
        Case{"LRefusesFirstDigit1", 0x49, {{"K003", "10"}}, kMode},
        Case{"LAcceptsSecondDigit1", 0x49, {{"K003", "01"}}, ""},
        Case{"VAccepts21", 0x46, {{"K003", "21"}}, ""},
        Case{"VRefuses31", 0x44, {{"K003", "31"}}, kMode},
        Case{"VRefuses02", 0x44, {{"K003", "02"}}, kMode},
        Case{"UVAccepts21", 0x60, {{"K003", "21"}}, ""},
        Case{"ModeLetter", 0x46, {{"K003", "1x"}}, kMode},
        Case{"G47RefusesThirdDigit", 0x47, {{"K003", "0010"}}, kMode},
        Case{"G42AcceptsThirdDigit", 0x42, {{"K003", "0010"}}, ""},
        Case{"GRefusesFourthDigit", 0x42, {{"K003", "0001"}}, kMode},
        Case{"UBaroInput00", 0x50, {{"K0003", "01100000"}}, kBaroInput},
        Case{"UBothInputs", 0x50, {{"K0003", "01141718"}, {"K0004", "0,5"}}, ""},
        Case{"UInputsEqual",
             0x50,
             {{"K0003", "01141717"}, {"K0004", "0,5"}},
             "Канал измерения барометрического давления и канал измерения температуры наружного "
             "воздуха не должны совпадать"},
        Case{"UOutdoorInput48", 0x50, {{"K0003", "00041748"}}, kOutdoorInput},
        Case{"UFourthDigit1", 0x50, {{"K0003", "00010000"}}, kMode},
        Case{"UFourthDigit3", 0x50, {{"K0003", "00030000"}}, kMode},
        Case{"UFourthDigit8", 0x50, {{"K0003", "00080000"}}, kMode},
        Case{"UFourthDigit9", 0x50, {{"K0003", "00090000"}}, kMode},
        Case{"UThirdDigit4", 0x50, {{"K0003", "00400000"}}, kMode},
        Case{"UDigits56NotExaminedWithoutBaro", 0x50, {{"K0003", "00009900"}}, ""},
        Case{"UBaroNeedsUpperLimit",
             0x50,
             {{"K0003", "00101700"}, {"K0004", "- -"}},
             "Необходимо задать верхний предел измерений преобразователя барометрического "
             "давления"},
        Case{"UUpperLimitRange",
             0x50,
             {{"K0004", "0,7"}},
             "Верхний предел измерений преобразователя барометрического давления должен быть в "
             "диапазоне от 0,1 до 0,65 МПа"},
        Case{"BaroPressure0", 0x47, {{"K023", "0"}}, ""},
        Case{"BaroPressure009", 0x47, {{"K023", "0.09"}}, ""},
        Case{"BaroPressure011", 0x47, {{"K023", "0,11"}}, ""},
        Case{"BaroPressure005", 0x47, {{"K023", "0,05"}}, kBaroPressure},
        Case{"BaroPressure012", 0x50, {{"K0023", "0.12"}}, kBaroPressure},
        Case{"ColdWaterEmptyIs0", 0x46, {{"K004", ""}}, ""},
        Case{"ColdWater31",
             0x60,
             {{"K021", "31"}},
             "Договорная температура холодной воды должна быть в диапазоне от 0 до 30 градусов "
             "Цельсия"},
        Case{"OutdoorRange",
             0x51,
             {{"K0026", "-50,5"}},
             "Договорная температура наружного воздуха должна быть в диапазоне от -50 до 50 "
             "градусов Цельсия"},
        Case{"CorrectionEmptyG",
             0x42,
             {{"K028", ""}},
             "Параметр 028 должен быть в диапазоне от 0 до 3"},
        Case{"Correction4U",
             0x52,
             {{"K0031", "4"}},
             "Параметр 0031 должен быть в диапазоне от 0 до 3"},
        Case{"Correction3", 0x52, {{"K0031", "3"}}, ""},
        Case{"Tariff23592359", 0x50, {{"K0027", "23592359"}}, ""},
        Case{"Tariff24", 0x50, {{"K0027", "24000000"}}, kTariff},
        Case{"Tariff60Minutes", 0x50, {{"K0027", "00600000"}}, kTariff},
        Case{"TariffShort", 0x50, {{"K0027", "0800"}}, ""},
        Case{"SmsFirstV44NoSuffix",
             0x44,
             {{"K019", "1a"}},
             "Ошибочно задана первая часть телефонного номера для передачи SMS"},
        Case{"SmsFirstV46Suffix",
             0x46,
             {{"K019", "1a"}},
             "Ошибочно задана первая часть телефонного номера для передачи SMS через интерфейс "
             "№1"},
        Case{"SmsSecondInterface2",
             0x47,
             {{"K035", "12-45"}},
             "Ошибочно задана вторая часть телефонного номера для передачи SMS через интерфейс "
             "№2"},
        Case{"SmsLNoSuffix",
             0x49,
             {{"K022", "x"}},
             "Ошибочно задана вторая часть телефонного номера для передачи SMS"},
        // A zero byte in a cell once passed as a digit and was stored among them.
        Case{"SmsZeroByte",
             0x47,
             {{"K035", std::string("12\0", 3)}},
             "Ошибочно задана вторая часть телефонного номера для передачи SMS через интерфейс "
             "№2"},
        Case{"ModeBeforeColdWater", 0x47, {{"K003", "3"}, {"K020", "99"}}, kMode},
        Case{"ColdWaterBeforeBaro",
             0x47,
             {{"K020", "99"}, {"K023", "5"}},
             "Договорная температура холодной воды должна быть в диапазоне от 0 до 30 градусов "
             "Цельсия"}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(SystemFormTest, InputUsedByAChannelIsRefused) {
  auto set = NewSet(0x50);
  set->channels[2].temperatureInput = 18;
  testing::RecordingUi ui;
  EXPECT_EQ(RunOk(*set, {{"K0003", "01041718"}}, ui),
            "Канал, назначаемый для измерения температуры наружного воздуха, уже занят");
  testing::RecordingUi ui2;
  set->channels[4].flowInputs[1] = 17;
  EXPECT_EQ(RunOk(*set, {{"K0003", "01141718"}, {"K0004", "0,5"}}, ui2),
            "Канал, назначаемый для измерения барометрического давления, уже занят");
}

TEST(SystemFormTest, RowsAndInterface2VisibilityFollowTheExecutionCode) {
  auto v44 = NewSet(0x44);
  auto form44 = MakeSystemForm(*v44);
  EXPECT_EQ(form44->FindRow("K034"), nullptr);
  EXPECT_EQ(form44->FindRow("K019")->description,
            " Первая часть телефонного номера для передачи SMS");
  auto v46 = NewSet(0x46);
  auto form46 = MakeSystemForm(*v46);
  ASSERT_NE(form46->FindRow("K034"), nullptr);
  EXPECT_EQ(form46->FindRow("K019")->description,
            " Первая часть телефонного номера для передачи SMS через интерфейс №1");
  auto uv = NewSet(0x60);
  auto formUV = MakeSystemForm(*uv);
  EXPECT_EQ(formUV->Rows()[2].code, "K021");
  EXPECT_NE(formUV->FindRow("K0035"), nullptr);
  auto u = NewSet(0x53);
  auto formU = MakeSystemForm(*u);
  EXPECT_EQ(formU->Rows()[1].code, "K0004");
  EXPECT_EQ(formU->FindRow("K0018")->kind, CellKind::CheckBox);
}

TEST(SystemFormTest, FillShowsTheGroup) {
  auto set = NewSet(0x50);
  std::memcpy(set->modeSpec.chars, "01141718", 8);
  std::memcpy(set->sms1Second.chars, "12345678", 8);
  set->tariffZones[0] = 8;
  set->tariffZones[3] = 30;
  set->correctionFlag = 2;
  set->daylightSaving = 1;
  set->contractColdWaterTemp = Float32::Of(12.5f);
  auto form = MakeSystemForm(*set);
  form->Fill();
  EXPECT_EQ(form->FindRow("K0003")->Text(), "01141718");
  EXPECT_EQ(form->FindRow("K0030")->Text(), "1234567");
  EXPECT_EQ(form->FindRow("K0027")->Text(), "08000030");
  EXPECT_EQ(form->FindRow("K0031")->Text(), "2");
  EXPECT_TRUE(form->FindRow("K0018")->checked);
  EXPECT_EQ(form->FindRow("K0020")->Text(), "12,5");
  EXPECT_EQ(form->FindRow("K0004")->Text(), "-");
  auto g = NewSet(0x47);
  std::memcpy(g->modeSpec.chars, "21000000", 8);
  auto formG = MakeSystemForm(*g);
  formG->Fill();
  EXPECT_EQ(formG->FindRow("K003")->Text(), "2100");
}

TEST(SystemFormTest, OkCommitsTheWholeGroupFromAResetWorkingCopy) {
  auto set = NewSet(0x49);
  set->contractBaroPressure = Float32::Of(0.095f);
  set->contractOutdoorTemp = Float32::Of(-5.0f);
  std::memcpy(set->sms2First.chars, "12300000", 8);
  testing::RecordingUi ui;
  EXPECT_EQ(
      RunOk(*set,
            {{"K003", "01"}, {"K004", ""}, {"K015", "1"}, {"K021", "12"}, {"K022", "3456789"}}, ui),
      "");
  EXPECT_EQ(set->contractBaroPressure, Float32::Of(0.1f));
  EXPECT_TRUE(set->contractOutdoorTemp.IsNotSet());
  EXPECT_STREQ(set->sms2First.chars, "00000000");
  EXPECT_STREQ(set->modeSpec.chars, "01000000");
  EXPECT_STREQ(set->sms1First.chars, "12000000");
  EXPECT_STREQ(set->sms1Second.chars, "34567890");
  EXPECT_EQ(set->daylightSaving, 1);
  EXPECT_EQ(set->contractColdWaterTemp, Float32::Of(0.0f));  // empty reads as 0
}

TEST(SystemFormTest, StoredValuesOfEveryKind) {
  auto set = NewSet(0x50);
  testing::RecordingUi ui;
  EXPECT_EQ(
      RunOk(
          *set,
          {{"K0023", "---"}, {"K0027", "0800"}, {"K0031", "3"}, {"K0029", ""}, {"K0026", "-12,25"}},
          ui),
      "");
  EXPECT_TRUE(set->contractBaroPressure.IsNotSet());
  EXPECT_EQ(set->tariffZones[0], 8);
  EXPECT_EQ(set->tariffZones[1], 0);
  EXPECT_EQ(set->correctionFlag, 3);
  EXPECT_STREQ(set->sms1First.chars, "00000000");
  EXPECT_EQ(set->contractOutdoorTemp, Float32::Of(-12.25f));
}

TEST(SystemFormTest, HiddenInterface2IsResetOnOk) {
  auto set = NewSet(0x42);
  std::memcpy(set->sms2Second.chars, "99999990", 8);
  testing::RecordingUi ui;
  EXPECT_EQ(RunOk(*set, {}, ui), "");
  EXPECT_STREQ(set->sms2Second.chars, "00000000");
}

TEST(SystemFormTest, NoFormWithoutAVariant) {
  ParameterSet set{};
  set.Reset();
  EXPECT_EQ(MakeSystemForm(set), nullptr);
}

}  // namespace
}  // namespace tarvo::forms
