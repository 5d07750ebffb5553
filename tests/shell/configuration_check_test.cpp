#include "shell/configuration_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "forms/form_messages.h"
#include "model/device_variant.h"
#include "model/parameter_set.h"

namespace tarvo::shell {
namespace {

// The set as it lies in memory, padding included.
std::vector<unsigned char> Bytes(const model::ParameterSet& set) {
  std::vector<unsigned char> bytes(sizeof set);
  std::memcpy(bytes.data(), &set, sizeof set);
  return bytes;
}

std::unique_ptr<model::ParameterSet> NewSet(std::uint8_t executionCode) {
  auto set = std::make_unique<model::ParameterSet>();
  model::MakeNewConfiguration(*set, executionCode, 0);
  return set;
}

// Every channel of a new configuration given a medium, so that the start-of-counting demands
// apply to it.
std::unique_ptr<model::ParameterSet> SetWithMedia(std::uint8_t executionCode) {
  auto set = NewSet(executionCode);
  for (model::ChannelRecord& channel : set->channels) channel.mediumKind = 1;
  return set;
}

std::string Described(const std::vector<Refusal>& refusals) {
  std::string text;
  for (const Refusal& r : refusals) text += r.name + " " + r.code + " " + r.message + "\n";
  return text;
}

class EveryExecution : public ::testing::TestWithParam<std::uint8_t> {};

TEST_P(EveryExecution, ANewConfigurationPassesWithTheSwitchOff) {
  const auto set = SetWithMedia(GetParam());
  set->checkForStart = 0;
  const auto before = Bytes(*set);
  const auto refusals = CheckConfiguration(*set);
  EXPECT_TRUE(refusals.empty()) << Described(refusals);
  EXPECT_EQ(Bytes(*set), before);
  EXPECT_TRUE(CheckConfiguration(*NewSet(GetParam())).empty()) << "as the dialog makes it";
}

TEST_P(EveryExecution, TheStartCheckListsEveryDemandOfEachChannelPageInPageOrder) {
  const auto set = SetWithMedia(GetParam());
  set->checkForStart = 0;
  const auto before = Bytes(*set);
  const auto refusals = CheckConfiguration(*set, StartCheck::On);
  std::vector<int> perChannel(static_cast<std::size_t>(set->channelCount), 0);
  std::set<std::string> codes;
  int lastChannel = 0;
  for (const Refusal& refusal : refusals) {
    ASSERT_EQ(refusal.target.kind, FormTarget::Kind::Channel) << Described(refusals);
    const int channel = refusal.target.index;
    EXPECT_GE(channel, lastChannel) << "in page order";
    lastChannel = channel;
    ++perChannel.at(static_cast<std::size_t>(channel));
    EXPECT_EQ(refusal.name, "channel " + std::to_string(channel + 1));
    EXPECT_EQ(refusal.caption, forms::kStartErrorCaption);
    EXPECT_EQ(refusal.message.rfind("Необходимо задать", 0), 0u) << refusal.message;
    // Each demand names the row that shows the value, once.
    EXPECT_EQ(refusal.code.rfind('K', 0), 0u) << refusal.message;
    EXPECT_TRUE(codes.insert(refusal.code).second) << refusal.code << " listed twice";
  }
  for (const int count : perChannel) EXPECT_GE(count, 2) << Described(refusals);
  EXPECT_EQ(Bytes(*set), before);
  EXPECT_TRUE(CheckConfiguration(*set).empty()) << "the switch as stored: off";
}

INSTANTIATE_TEST_SUITE_P(Codes, EveryExecution, ::testing::ValuesIn(model::AllExecutionCodes()),
                         [](const auto& info) {
                           char name[8];
                           std::snprintf(name, sizeof name, "x%02X", info.param);
                           return std::string(name);
                         });

// A value out of range as an older file or a device may hold it.
struct StoredValueCase {
  const char* name;
  std::uint8_t executionCode;
  std::function<void(model::ParameterSet&)> store;
  const char* form;
  const char* code;
  const char* message;
};

class StoredValue : public ::testing::TestWithParam<StoredValueCase> {};

TEST_P(StoredValue, IsNamedWithItsFormRowAndMessage) {
  const StoredValueCase& c = GetParam();
  const auto set = NewSet(c.executionCode);
  c.store(*set);
  const auto before = Bytes(*set);
  const auto refusals = CheckConfiguration(*set);
  ASSERT_EQ(refusals.size(), 1u) << Described(refusals);
  EXPECT_EQ(refusals[0].name, c.form);
  EXPECT_EQ(refusals[0].code, c.code);
  EXPECT_EQ(refusals[0].caption, "Ошибка");
  EXPECT_EQ(refusals[0].message, c.message);
  EXPECT_EQ(Bytes(*set), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredValue,
    ::testing::Values(
        StoredValueCase{
            "SystemWide", 0x47,
            [](model::ParameterSet& set) { set.contractBaroPressure = model::Float32::Of(0.12f); },
            "system", "K023",
            "Договорное барометрическое давление должно либо быть в диапазоне от 0,09 до 0,11 МПа, "
            "либо равняться нулю"},
        StoredValueCase{
            "ChannelPage", 0x50,
            [](model::ParameterSet& set) { set.channels[2].Slot(7) = model::Float32::Of(-500.0f); },
            "channel 3", "K0309",
            "Коэффициент преобразования объемного расходомера должен быть в диапазоне от 0 до "
            "100000 "},
        StoredValueCase{"NodePage", 0x47,
                        [](model::ParameterSet& set) { set.nodes[1].reportHour = 30; }, "node 2",
                        "П215",
                        "Отчетный час суток должен быть в диапазоне от 00 до 23 (кроме 02 и 03)"},
        StoredValueCase{
            "DialogBehindAButton", 0x42,
            [](model::ParameterSet& set) { set.channels[0].irvis1[0] = model::Float32::Of(NAN); },
            "channel 1/irvis", "K170",
            "Значение параметра K170 должно быть конечным числом не больше 3,4e38 по модулю"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConfigurationCheck, ListsSeveralRefusalsInFormOrder) {
  const auto set = NewSet(0x47);
  set->nodes[0].reportHour = 40;
  set->channels[1].Slot(7) = model::Float32::Of(-500.0f);
  set->contractBaroPressure = model::Float32::Of(0.12f);
  std::vector<std::string> names;
  for (const Refusal& refusal : CheckConfiguration(*set)) names.push_back(refusal.name);
  EXPECT_EQ(names, (std::vector<std::string>{"system", "channel 2", "node 1"}));
}

}  // namespace
}  // namespace tarvo::shell
